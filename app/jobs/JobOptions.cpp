#include "app/jobs/JobOptions.h"

#include "app/profiles/OptionValues.h"

namespace jobs {

using namespace profiles;

int PairPosition(TOptionRole role) {
    for (int i = 0; i < OptionRoleCount; ++i)
        if (DigitOrder[i] == role) return i;
    return 0;
}

TJobSubItem ValueColumn(TOptionRole role) {
    switch (role) {
    case orFrameSize: return siFrameSize;
    case orVideoBitrate: return siVideoBitrate;
    case orFrameRate: return siFrameRate;
    case orAudioBitrate: return siAudioBitrate;
    case orSampleRate: return siSampleRate;
    case orAspectMode: return siAspect;
    }
    return siFrameSize;
}

QString OptionPair(int index) {
    return index <= 9 ? QLatin1Char('0') + QString::number(index) : QString::number(index);
}

QString OptionDigits(const TOptionIndexes& indexes) {
    QString digits;
    for (TOptionRole role : DigitOrder) digits += OptionPair(indexes[role]);
    return digits;
}

QString ReplacePair(const QString& digits, TOptionRole role, int index) {
    const int at = 2 * PairPosition(role);
    return digits.left(at) + OptionPair(index) + digits.mid(at + 2);
}

std::optional<TOptionIndexes> ReadOptionDigits(const QString& digits) {
    TOptionIndexes indexes{};
    for (int i = 0; i < OptionRoleCount; ++i) {
        try {
            indexes[DigitOrder[i]] = IntegerValue(digits.mid(2 * i, 2));
        } catch (const EOptionValueError&) {
            return std::nullopt;
        }
    }
    return indexes;
}

namespace {

// One list's text into its field; the aspect mode leaves its field alone for
// a text no list offers.
void ApplyText(TOptionRole role, const QString& text, bool autoAsText, TJobFields& f) {
    switch (role) {
    case orFrameSize: f.Video_FrameSize = FrameSizeValue(text); return;
    case orFrameRate: f.Video_FrameRate = FrameRateValue(text); return;
    case orVideoBitrate: f.Video_VideoBitrate = VideoBitrateValue(text); return;
    case orSampleRate: f.Video_AudioSampleRate = SampleRateValue(text, autoAsText); return;
    case orAudioBitrate: f.Video_AudioBitrate = AudioBitrateValue(text); return;
    case orAspectMode:
        if (const auto aspect = AspectModeValue(text)) f.Video_FrameAspectRatio = *aspect;
        return;
    }
}

QString FieldText(TOptionRole role, const TJobFields& f) {
    switch (role) {
    case orFrameSize: return f.Video_FrameSize;
    case orFrameRate: return f.Video_FrameRate;
    case orVideoBitrate: return QString::number(f.Video_VideoBitrate);
    case orSampleRate: return f.Video_AudioSampleRate;
    case orAudioBitrate: return QString::number(f.Video_AudioBitrate);
    case orAspectMode: return f.Video_FrameAspectRatio;
    }
    return {};
}

}  // namespace

void ApplyOptionTexts(const TOptionTexts& texts, TJobFields& fields) {
    for (TOptionRole role : {orFrameSize, orFrameRate, orVideoBitrate, orSampleRate, orAudioBitrate, orAspectMode})
        ApplyText(role, texts[role], true, fields);
}

void WriteOptionColumns(const TJobFields& fields, TJobRow& row) {
    for (TOptionRole role : DigitOrder) row[ValueColumn(role)] = FieldText(role, fields);
}

void ApplyOptionChange(TOptionRole role, int index, const QString& text, TJobFields& fields, TJobRow& row) {
    row[siOptionDigits] = ReplacePair(row[siOptionDigits], role, index);
    ApplyText(role, text, false, fields);
    row[ValueColumn(role)] = FieldText(role, fields);
}

}  // namespace jobs
