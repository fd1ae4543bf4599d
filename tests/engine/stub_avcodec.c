/* A stand-in libavcodec.so.59 for the loader tests: every listed entry as an
 * empty function, avcodec_version answering QV_STUB_MAJOR, and with
 * QV_STUB_HIDE one entry renamed away so binding must fail on it. */
#include "engine/FFmpegEntries.h"

#define avcodec_version qv_stub_replaced_avcodec_version
#ifdef QV_STUB_HIDE
#define avcodec_send_packet qv_stub_hidden_entry
#endif

#define QV_STUB_ENTRY(name) void name(void) {}
QV_AVCODEC_ENTRIES(QV_STUB_ENTRY)

#undef avcodec_version
unsigned avcodec_version(void) { return (unsigned)QV_STUB_MAJOR << 16; }
