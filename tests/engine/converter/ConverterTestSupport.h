// Shared by the converter tests: the libraries loaded once, captured engine
// log lines, and a converter whose option state and tables tests may read.
#pragma once

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpeg.h"
#include "engine/FFmpegLoader.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <mutex>

// Engine messages, collected on the sending thread.
class LogCapture {
public:
    LogCapture() {
        GetLogger()->SetTriggerEventInMainThread(false);
        GetLogger()->SetLogLevel(llInfo);
        GetLogger()->OnLog = [this](QObject*, TThreadID, TLogLevel level, const QString& msg) {
            std::lock_guard lock(FLock);
            FLines << QStringLiteral("%1|%2").arg(int(level)).arg(msg);
        };
    }
    ~LogCapture() { GetLogger()->OnLog = nullptr; }
    bool Has(TLogLevel level, const QString& text) const {
        std::lock_guard lock(FLock);
        return FLines.contains(QStringLiteral("%1|%2").arg(int(level)).arg(text));
    }
    bool Contains(const QString& part) const {
        std::lock_guard lock(FLock);
        for (const QString& l : FLines)
            if (l.contains(part)) return true;
        return false;
    }
    QStringList Lines() const {
        std::lock_guard lock(FLock);
        return FLines;
    }

private:
    mutable std::mutex FLock;
    QStringList FLines;
};

class ConverterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(FFLoader().Load(ConverterLibraries)) << FFLoader().LastErrMsg().toStdString();
    }
};

// Opens the protected tables to the tests and lets them replace the transcode.
class TTestFFmpeg : public TCustomFFmpeg {
public:
    explicit TTestFFmpeg(int AMaxFiles = 4) : TCustomFFmpeg(AMaxFiles) { InitTask(); }
    ~TTestFFmpeg() override { Stop(true); }

    std::function<void(TTestFFmpeg&)> Body;  // the transcode; empty = the engine's own

    using TCustomFFmpeg::CheckPause;
    using TCustomFFmpeg::Fbitstream_filters;
    using TCustomFFmpeg::Finput_files_ts_scale;
    using TCustomFFmpeg::Foutput_files;
    using TCustomFFmpeg::OpenOutputFilesIO;

protected:
    void Transcode() override {
        if (Body)
            Body(*this);
        else
            TCustomFFmpeg::Transcode();
    }
};

// Runs a call expected to throw FFmpegException; its message, or "" when none.
template <typename F>
QString ErrorOf(F&& f) {
    try {
        f();
    } catch (const FFmpegException& e) {
        return e.Message();
    }
    return QString();
}
