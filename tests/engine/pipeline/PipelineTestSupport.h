// Shared by the pipeline tests: conversions built from option steps, and the
// ffprobe / ffmpeg tools to look at what came out.
#pragma once

#include "tests/engine/converter/ConverterTestSupport.h"
#include "tests/support/TestMedia.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace TestMedia {
bool RunTool(const QString& program, const QStringList& args, QByteArray* out, QByteArray* err);
}

// Reads the run counters of the converter.
class TPipelineFFmpeg : public TTestFFmpeg {
public:
    using TTestFFmpeg::TTestFFmpeg;
    int Dups() const { return Fnb_frames_dup; }
    int Drops() const { return Fnb_frames_drop; }
};

// Steps in order: an option (name, value), "-i" (input path) or "-o"/"-oj"
// (output path, "-oj" joins the inputs). False when an attach failed.
using Steps = std::vector<std::pair<QString, QString>>;

inline bool Build(TCustomFFmpeg& f, const Steps& steps) {
    for (const auto& [name, value] : steps) {
        if (name == QLatin1String("-i")) {
            if (!f.OpenInputFile(value)) return false;
        } else if (name == QLatin1String("-o") || name == QLatin1String("-oj")) {
            if (f.OpenOutputFile(value, name == QLatin1String("-oj")) < 0) return false;
        } else {
            f.SetOption(name, value);
        }
    }
    return true;
}

// Runs the conversion on this thread; the fatal message, "" on success.
inline QString Convert(TCustomFFmpeg& f, const Steps& steps) {
    if (!Build(f, steps)) return QStringLiteral("attach: ") + f.LastErrMsg();
    f.StartConvert(false);
    return f.FatalException() ? f.FatalMessage() : QString();
}

struct ProbeResult {
    bool ok = false;
    double duration = 0;
    QJsonArray streams;
    QJsonObject Stream(const QString& type) const {
        for (const auto& s : streams)
            if (s.toObject().value(QStringLiteral("codec_type")).toString() == type) return s.toObject();
        return {};
    }
    QString Codec(const QString& type) const { return Stream(type).value(QStringLiteral("codec_name")).toString(); }
    int Int(const QString& type, const char* key) const {
        const QJsonValue v = Stream(type).value(QLatin1String(key));
        return v.isString() ? v.toString().toInt() : v.toInt();
    }
};

// ffprobe's view, with packet counts; ok is false when it reports any error.
inline ProbeResult Probe(const QString& path) {
    QByteArray out, err;
    ProbeResult r;
    const bool ran = TestMedia::RunTool(
        QStringLiteral("ffprobe"),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_packets"), QStringLiteral("-show_entries"),
         QStringLiteral("format=duration:stream=codec_type,codec_name,width,height,sample_rate,nb_read_packets"),
         QStringLiteral("-of"), QStringLiteral("json"), path},
        &out, &err);
    const QJsonObject doc = QJsonDocument::fromJson(out).object();
    r.ok = ran && err.trimmed().isEmpty();
    r.duration = doc.value(QStringLiteral("format")).toObject().value(QStringLiteral("duration")).toString().toDouble();
    r.streams = doc.value(QStringLiteral("streams")).toArray();
    return r;
}

// The decoded output through the ffmpeg tool as raw bytes (e.g. "rgb24", "s16le").
inline QByteArray Decode(const QString& path, const QStringList& outputArgs) {
    QByteArray out;
    QStringList args{QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path};
    args += outputArgs;
    args << QStringLiteral("-");
    TestMedia::RunTool(QStringLiteral("ffmpeg"), args, &out, nullptr);
    return out;
}

class PipelineTest : public ConverterTest {
protected:
    QString Out(const QString& name) const { return FDir.filePath(name); }
    QTemporaryDir FDir;
    LogCapture FLog;
};
