#include "app/jobs/JobState.h"

#include "app/jobs/ProgressTexts.h"

namespace jobs {

namespace {
constexpr char16_t kFailed[] = u"失败：";
const QString kNoOutput = QStringLiteral("At least one output file must be specified");
}  // namespace

QString FailedText(const QString& message) { return QString::fromUtf16(kFailed) + message; }

QString TaskFailureReason(const QString& engineMessage, const QString& rememberedRefusal) {
    if (!rememberedRefusal.isEmpty() && engineMessage == kNoOutput) return rememberedRefusal;
    return engineMessage;
}

void NoteRefusal(TJobRow& row, TJobRecord& record, const QString& message) {
    row[siProgress] = FailedText(message);
    record.Refusal = message;
}

void ApplyProgress(TJobRow& row, const TProgressInfo& info) {
    row[siProgress] = ProgressPercentText(info.CurrentDuration, info.TotalDuration);
    if (const auto fps = FpsText(info.FPS)) row[siFps] = *fps;
    row[siElapsed] = ElapsedClockText(info.CurrentDuration);
    row[siOutputSize] = MegabyteText(info.CurrentSize);
}

TTaskEnd TaskEnd(const TTerminateInfo& info, const QString& rememberedRefusal, const QString& inputPath) {
    TTaskEnd end;
    if (info.Exception) {
        const QString reason = TaskFailureReason(info.ExceptionMsg, rememberedRefusal);
        end.ProgressText = FailedText(reason);
        end.Warning = inputPath.isEmpty() ? reason : inputPath + QStringLiteral(": ") + reason;
    } else if (info.Finished) {
        // A cut-off input converts what is there; the row says it ended early
        // instead of a plain 100%.
        end.ProgressText = info.ExceptionMsg.isEmpty() ? QStringLiteral("100%")
                                                       : QStringLiteral("100%：") + info.ExceptionMsg;
    } else if (!info.ExceptionMsg.isEmpty()) {
        // A stop whose partial output was removed: the row says so rather than
        // keep a percentage of a file that is gone.
        end.ProgressText = info.ExceptionMsg;
    }
    return end;
}

QString LogLineText(TThreadID threadId, TLogLevel level, const QString& message) {
    return QStringLiteral("#%1.%2: ").arg(threadId).arg(static_cast<int>(level)) + message;
}

}  // namespace jobs
