/* Entry points for the loader tests. */
int qv_stub_answer(void) { return 42; }
int qv_stub_counter = 7;
