/* A frame hook for the tests: paints the top-left 16x16 luma block white on
   every picture and counts its calls. "fail" as first argument refuses to
   configure. */
#include <stdint.h>
#include <string.h>

typedef struct {
    uint8_t* data[4];
    int linesize[4];
} HookPicture;

static int calls;
static int releases;

int Configure(void** ctx, int argc, char* argv[]) {
    if (argc > 1 && strcmp(argv[1], "fail") == 0) return -1;
    *ctx = &calls;
    return 0;
}

void Process(void* ctx, HookPicture* pic, int pix_fmt, int width, int height, int64_t pts) {
    (void)pix_fmt;
    (void)pts;
    ++*(int*)ctx;
    for (int y = 0; y < 16 && y < height; ++y) memset(pic->data[0] + y * pic->linesize[0], 255, width < 16 ? width : 16);
}

void Release(void* ctx) {
    (void)ctx;
    ++releases;
}

int HookCalls(void) { return calls; }
int HookReleases(void) { return releases; }
