// Filled in with the task queue.
int main() { return 0; }
