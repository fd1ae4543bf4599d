// Clips the odd and broken media tests make for themselves (into the media
// cache, once per build tree), and the ffprobe fields they look at.
#pragma once

#include "tests/engine/pipeline/PipelineTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <functional>

namespace OddMedia {

// Writes to a private name first, so parallel test processes never see half a file.
inline QString Place(const QString& name, const std::function<bool(const QString& tmp)>& make) {
    const QString dir = TestMedia::CacheDir();
    const QString path = dir + QStringLiteral("/odd-") + name;
    if (QFileInfo::exists(path)) return path;
    QDir().mkpath(dir);
    const QString tmp =
        QStringLiteral("%1/.tmp-%2-odd-%3").arg(dir).arg(QCoreApplication::applicationPid()).arg(name);
    if (!make(tmp)) {
        QFile::remove(tmp);
        ADD_FAILURE() << "cannot make " << name.toStdString();
        return {};
    }
    if (std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) != 0)
        QFile::remove(tmp);
    return path;
}

// A clip the ffmpeg tool makes from its arguments (the output path is appended).
inline QString Clip(const QString& name, const QString& args) {
    return Place(name, [&args](const QString& tmp) {
        QStringList a = args.split(u' ', Qt::SkipEmptyParts);
        a << tmp;
        QString err;
        const bool ok = TestMedia::RunFFmpeg(a, &err);
        if (!ok) ADD_FAILURE() << err.toStdString();
        return ok;
    });
}

// A copy of another clip with its bytes changed.
inline QString Patched(const QString& name, const QString& source, const std::function<void(QByteArray&)>& patch) {
    return Place(name, [&](const QString& tmp) {
        QFile in(source);
        if (source.isEmpty() || !in.open(QIODevice::ReadOnly)) return false;
        QByteArray bytes = in.readAll();
        patch(bytes);
        QFile out(tmp);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    });
}

// ffprobe's streams; empty when it reports an error.
inline QJsonArray Streams(const QString& path) {
    QByteArray out, err;
    const bool ran = TestMedia::RunTool(
        QStringLiteral("ffprobe"),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_streams"), QStringLiteral("-of"),
         QStringLiteral("json"), path},
        &out, &err);
    if (!ran || !err.trimmed().isEmpty()) {
        ADD_FAILURE() << "ffprobe " << path.toStdString() << ": " << err.toStdString();
        return {};
    }
    return QJsonDocument::fromJson(out).object().value(QStringLiteral("streams")).toArray();
}

inline QJsonObject First(const QJsonArray& streams, const QString& type) {
    for (const auto& s : streams)
        if (s.toObject().value(QStringLiteral("codec_type")).toString() == type) return s.toObject();
    return {};
}

inline int Count(const QJsonArray& streams, const QString& type) {
    int n = 0;
    for (const auto& s : streams) n += s.toObject().value(QStringLiteral("codec_type")).toString() == type;
    return n;
}

inline int Int(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isString() ? v.toString().toInt() : v.toInt();
}

// The rotation ffprobe reads from a stream's display matrix, 0 without one.
inline int Rotation(const QJsonObject& stream) {
    for (const auto& sd : stream.value(QStringLiteral("side_data_list")).toArray())
        if (sd.toObject().contains(QStringLiteral("rotation"))) return Int(sd.toObject(), "rotation");
    return 0;
}

}  // namespace OddMedia
