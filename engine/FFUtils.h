// Shared engine helpers: texts for times, error codes, codecs and media types;
// the frame interval of a rate; the generic options; decoded pictures to
// 24-bit images.
#pragma once

#include "engine/FFmpegLoader.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// "hh:mm:ss.zzz", "N/A" for an unset time.
QString DurationToText(std::int64_t us);
// Microseconds per frame, at least 1; 40000 (25 frames per second) for a rate
// with a part that is zero or negative.
std::int64_t FrameIntervalUs(AVRational rate);
// "<prefix>: <text of the code>"; system codes the table lacks read as the
// system describes them ("Is a directory").
QString ErrorText(const QString& prefix, int code);
// The clockwise turn (0, 90, 180 or 270 degrees) that shows the stream's
// pictures upright, from its display matrix; 0 without one.
int StreamDisplayRotation(const AVStream* st);
QString MediaTypeName(int type);
// "name(long name)" of the codec the context names, else a text from its id or tag.
QString CodecDisplayName(const AVCodecContext* ctx, bool encoder);
QString CodecDisplayName(AVCodecID id, std::uint32_t codecTag, bool encoder);
// The value of the first entry with exactly that key, else def.
QString MetadataValue(const AVDictionary* metadata, const char* key, const QString& def = QString());

// Options that are not the converter's own: the libraries' option names of
// codecs, formats and the scaler. Values are checked when set and kept per
// kind until a codec, file or scaler opens, where the dictionaries are passed in.
// One per converter; used on its own thread.
struct TFFOptions {
    // Codec options per media type in the libraries' order: video, audio, data, subtitle, attachment.
    AVDictionary* codec_opts[5] = {};
    AVDictionary* format_opts = nullptr;
    AVDictionary* sws_opts = nullptr;
    std::vector<std::string> opt_names;  // every name set so far, in order
    int sws_flags = SWS_BICUBIC;
};

// All fields empty, without freeing.
void ClearFFOptions(TFFOptions& options);
void CreateFFOptions(TFFOptions& options, int swsFlags);
void FreeFFOptions(TFFOptions& options);
// False for a blank name or value and for an unknown name; false with the
// library's "Invalid value" line for a value the option refuses. "b" is the
// video bit rate only; "vb"/"ab"/"sb" name the video/audio/subtitle option.
bool SetGenericOption(TFFOptions& options, const std::string& name, const std::string& value);
// Copies for one open (the caller frees them; entries left over were not used).
AVDictionary* CodecOptions(const TFFOptions& options, AVMediaType type);
AVDictionary* FormatOptions(const TFFOptions& options);
// Sets the scaler options on a scaler context before sws_init_context.
void ApplyScalerOptions(const TFFOptions& options, SwsContext* sws);

// A decoded picture into a reused 24-bit image; one per converter or probe.
struct TRGBConvertContext {
    AVPixelFormat RGBPixFmt = AV_PIX_FMT_BGR24;  // the byte order of the image
    QImage Bitmap;
    SwsContext* toRGB_convert_ctx = nullptr;
    SwsContext* fromRGB_convert_ctx = nullptr;
};
using PRGBConvertContext = TRGBConvertContext*;

// Frees the scaler contexts and the image; needs no library when no scaler was made.
void ResetRGBConvertContext(PRGBConvertContext ctx);
QImage CreateFrameBitmap(int width, int height);
// False only when no scaler context can be made for the picture's format.
bool PictureToBitmap(PRGBConvertContext ctx, const std::uint8_t* const data[4], const int linesize[4],
                     AVPixelFormat format, int height, int width);

// After a backward seek to `target` (in the time base of stream `seekIndex`,
// or AV_TIME_BASE for -1): reads to the first key packet of stream `keyIndex`.
// Demuxers that search by timestamp (transport streams) land on any packet
// before the target, so that key may lie after the target, or no key may
// follow at all in the last key-frame interval; then it seeks further back
// (0.5 s, doubling) and reads again, until a step lands before the start.
// True with the key packet in pkt, to be decoded first (a key without a time
// counts as in time; one still late after the last try is taken as it is).
// False when no key packet is near: the input is put back at the target as
// the demuxer places it, and `landed` tells whether that seek worked.
// `stop` ends the search early (the player's abort).
bool SettleOnKeyPacket(AVFormatContext* ic, int seekIndex, int keyIndex, std::int64_t target, int flags,
                       AVPacket* pkt, bool* landed = nullptr, const std::function<bool()>& stop = {});

// The whole file; 0, or -1 when it cannot be opened. The data is followed by
// a zero byte, so text files read as one C string.
int ReadFileToBuffer(const QString& fileName, QByteArray& buffer);
