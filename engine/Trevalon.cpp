// The task list: tasks and their probes, adding inputs and outputs, and the
// fixed order in which an output record becomes converter options.
#include "engine/Trevalon.h"

#include "engine/FFFileNames.h"
#include "engine/FFmpegLoader.h"

#include <QDateTime>

#include <cmath>

namespace {

struct TOptionLine {
    QString Name;
    QString Value;
};

// Option text: lines of name=value, split at line breaks or the literal
// "<CRLF>". A line without "=" is a name with an empty value.
std::vector<TOptionLine> OptionLines(const QString& AText) {
    QString text = AText.trimmed();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QLatin1String("<CRLF>"), QLatin1String("\n"));
    std::vector<TOptionLine> lines;
    for (const QString& line : text.split(u'\n')) {
        if (line.isEmpty()) continue;
        const int eq = line.indexOf(u'=');
        lines.push_back(eq < 0 ? TOptionLine{line, QString()} : TOptionLine{line.left(eq), line.mid(eq + 1)});
    }
    return lines;
}

bool IsOneOf(const QString& AName, std::initializer_list<const char*> ANames) {
    for (const char* n : ANames)
        if (AName == QLatin1String(n)) return true;
    return false;
}

int64_t ToTime(const QString& AValue) {
    bool ok = false;
    const qlonglong v = AValue.trimmed().toLongLong(&ok);
    return ok ? v : NoTimeValue;
}

// An input record from option text: TimeStart is a field, every other line
// passes on as an option line.
TInputOptions InputOptionsFromText(const QString& AText) {
    TInputOptions options;
    InitInputOptions(options);
    for (const TOptionLine& line : OptionLines(AText)) {
        if (line.Name.compare(QLatin1String("TimeStart"), Qt::CaseInsensitive) == 0)
            options.TimeStart = ToTime(line.Value);
        else
            options.ExtOptions += line.Name + u'=' + line.Value + u'\n';
    }
    return options;
}

// A name the libraries could only open through a protocol reading the given
// stream object; none is registered, so such an open fails plainly.
QString StreamName(const QIODevice* AStream, const QString& APrivateData) {
    return QStringLiteral("stream:%1:%2").arg(reinterpret_cast<quintptr>(AStream)).arg(APrivateData);
}

// The stream-option list of one attach: "def_<key>" defaults first, then one
// entry per option line of a per-stream key, in the order given.
class TStreamOptions {
public:
    QString Value(const QString& AName) const {
        for (const auto& [n, v] : FItems)
            if (n == AName) return v;
        return QString();
    }
    void SetDefault(const QString& AKey, const QString& AValue) {
        if (AValue.isEmpty()) return;
        const QString name = QStringLiteral("def_") + AKey;
        for (auto& item : FItems)
            if (item.first == name) {
                item.second = AValue;
                return;
            }
        FItems.emplace_back(name, AValue);
    }
    void Append(const QString& AName, const QString& AValue) { FItems.emplace_back(AName, AValue); }
    // The first pending entry of AKey, removed; else the default.
    QString Take(const QString& AKey) {
        for (auto it = FItems.begin(); it != FItems.end(); ++it)
            if (it->first == AKey) {
                const QString v = it->second;
                FItems.erase(it);
                return v;
            }
        return Value(QStringLiteral("def_") + AKey);
    }

private:
    std::vector<std::pair<QString, QString>> FItems;
};

QString NormText(TOptionNormType ANorm) {
    switch (ANorm) {
    case ntPAL: return QStringLiteral("pal");
    case ntNTSC: return QStringLiteral("ntsc");
    default: return QStringLiteral("auto");
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// TFFmpeg

TFFmpeg::TFFmpeg(int AMaxFiles) : TCustomFFmpeg(AMaxFiles) {
    FAVProbes.resize(AMaxFiles);
    FInputOptions.resize(AMaxFiles);
    FOutputOptions.resize(AMaxFiles);
}

TFFmpeg::~TFFmpeg() {
    // The worker must be done before the probes it reports about go away.
    Stop(true);
    FAVProbes.clear();
    FInputOptions.clear();
    FOutputOptions.clear();
}

TAVProbe* TFFmpeg::AVProbe(int AFileIndex) const {
    if (AFileIndex < 0 || AFileIndex >= static_cast<int>(FAVProbes.size())) return nullptr;
    return FAVProbes[AFileIndex].get();
}

const TInputOptions* TFFmpeg::InputOptions(int AFileIndex) const {
    if (AFileIndex < 0 || AFileIndex >= static_cast<int>(FInputOptions.size())) return nullptr;
    return FInputOptions[AFileIndex].get();
}

const TOutputOptions* TFFmpeg::OutputOptions(int AFileIndex) const {
    if (AFileIndex < 0 || AFileIndex >= static_cast<int>(FOutputOptions.size())) return nullptr;
    return FOutputOptions[AFileIndex].get();
}

void TFFmpeg::ApplyExtOptions(const QString& AText, bool AWithStreamKeys) {
    for (const TOptionLine& line : OptionLines(AText)) {
        const QString name = line.Name.toLower();
        if (IsOneOf(name, {"newvideo", "newaudio", "newsubtitle", "apre", "vpre", "spre", "vfilters", "vf"})) continue;
        if (!AWithStreamKeys && IsOneOf(name, {"acodec", "vcodec", "scodec", "s"})) continue;
        SetOption(name, line.Value);
    }
}

TAVProbe* TFFmpeg::OpenProbe(int AFileIndex) {
    auto& probe = FAVProbes.at(AFileIndex);
    if (!probe) probe = std::make_unique<TAVProbe>();
    probe->SetFileHandle(InputFile(AFileIndex));
    return probe.get();
}

void TFFmpeg::StoreInputOptions(int AFileIndex, const TInputOptions* AOptions) {
    auto& slot = FInputOptions.at(AFileIndex);
    if (!AOptions) {
        if (slot) InitInputOptions(*slot);
        return;
    }
    slot = std::make_unique<TInputOptions>(*AOptions);
}

void TFFmpeg::StoreOutputOptions(int AFileIndex, const TOutputOptions* AOptions) {
    auto& slot = FOutputOptions.at(AFileIndex);
    if (!AOptions) {
        if (slot) InitOutputOptions(*slot);
        return;
    }
    slot = std::make_unique<TOutputOptions>(*AOptions);
}

void TFFmpeg::DetachProbes() {
    for (auto& probe : FAVProbes) {
        if (!probe || !probe->FileHandle()) continue;
        try {
            probe->SetFileHandle(nullptr);
        } catch (const EEngineError&) {
            // Only when the libraries were unloaded during the run; the task's
            // end must still be counted.
        }
    }
}

// ---------------------------------------------------------------------------
// TFFmpegList

int TFFmpegList::Add(std::unique_ptr<TFFmpeg> ATask) {
    FList.push_back(std::move(ATask));
    return Count() - 1;
}

void TFFmpegList::Clear() {
    // Taken out first: a task's destructor waits for its worker, which may
    // still look its task up here.
    std::vector<std::unique_ptr<TFFmpeg>> tasks;
    tasks.swap(FList);
    tasks.clear();
}

void TFFmpegList::Delete(int AIndex) {
    Items(AIndex);
    FList.erase(FList.begin() + AIndex);
}

void TFFmpegList::Exchange(int AIndex1, int AIndex2) {
    Items(AIndex1);
    Items(AIndex2);
    std::swap(FList[AIndex1], FList[AIndex2]);
}

TFFmpeg* TFFmpegList::Items(int AIndex) const {
    if (AIndex < 0 || AIndex >= Count()) throw EEngineError(QStringLiteral("List index out of bounds (%1)").arg(AIndex));
    return FList[AIndex].get();
}

int TFFmpegList::IndexOf(const TCustomFFmpeg* ATask) const {
    for (int i = 0; i < Count(); ++i)
        if (FList[i].get() == ATask) return i;
    return -1;
}

void TFFmpegList::PauseAll() {
    for (auto& task : FList) task->Pause();
}

void TFFmpegList::ResumeAll() {
    for (auto& task : FList) task->Resume();
}

void TFFmpegList::StopAll(bool AWaitFor) {
    for (auto& task : FList) task->StopOrTerminate(AWaitFor);
}

namespace {
void SwitchPostHook(TFFmpeg& ATask, TPostHook AHook, bool AOn) {
    std::lock_guard lock(PostHookLock());
    const TPostHooks hooks = ATask.Options().FPostHooks;
    ATask.SetPostHooks(AOn ? hooks | (1u << AHook) : hooks & ~(1u << AHook));
}
}  // namespace

void TFFmpegList::SetPreviewAll(bool AValue) {
    for (auto& task : FList) SwitchPostHook(*task, phPreview, AValue);
}

void TFFmpegList::SetPreviewBitmapAll(bool AValue) {
    for (auto& task : FList) SwitchPostHook(*task, phBitmap, AValue);
}

// ---------------------------------------------------------------------------
// TCustomTrevalon: construction and properties

TCustomTrevalon::TCustomTrevalon(QObject* AOwner)
    : TFFBaseComponent(AOwner),
      FAVProbe(std::make_unique<TAVProbe>()),
      FSelf(std::make_shared<std::atomic<TCustomTrevalon*>>(this)) {}

TCustomTrevalon::~TCustomTrevalon() {
    // Every task must have reported before the list goes: a worker that is
    // still terminating looks its task up in it.
    StopTasks(true);
    FSelf->store(nullptr);
    FFFmpegList.Clear();
    FAVProbe.reset();
    for (std::recursive_mutex* lock : {&FHookLock, &FPreviewLock, &FProgressLock, &FTerminateLock}) {
        lock->lock();
        lock->unlock();
    }
}

std::unique_ptr<TFFmpeg> TCustomTrevalon::CreateTask(int AMaxFiles) { return std::make_unique<TFFmpeg>(AMaxFiles); }

bool TCustomTrevalon::LoadAVLib(const TPathFileName& APath) {
    return LoadComponentLibraries(ConverterLibraries, APath, FLastErrMsg);
}

bool TCustomTrevalon::AVLibLoaded() const { return FFLoader().Loaded(ConverterLibraries); }

void TCustomTrevalon::UnloadAVLib() { FFLoader().Unload(ConverterLibraries); }

void TCustomTrevalon::SetPreview(bool AValue) {
    FPreview = AValue;
    FFFmpegList.SetPreviewAll(AValue);
}

void TCustomTrevalon::SetPreviewBitmap(bool AValue) {
    FPreviewBitmap = AValue;
    FFFmpegList.SetPreviewBitmapAll(AValue);
}

void TCustomTrevalon::SetProgressInterval(int AValue) { FProgressInterval = AValue <= 100 ? 100 : AValue; }

void TCustomTrevalon::CheckNotWorking(const QString& AOperation) const {
    if (FWorking) throw EEngineError(QStringLiteral("Cannot %1 while working.").arg(AOperation));
}

// ---------------------------------------------------------------------------
// Tasks and inputs

void TCustomTrevalon::BindTask(TFFmpeg& ATask) {
    ATask.OnProgress = [this](TCustomFFmpeg* Sender, int AFileIndex, int AFrameNumber, int AFPS, float AQuality,
                              float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration, int64_t ATotalDuration) {
        DoProgress(Sender, AFileIndex, AFrameNumber, AFPS, AQuality, ABitRate, ACurrentSize, ACurrentDuration,
                   ATotalDuration);
    };
    ATask.OnTerminate = [this](TCustomFFmpeg* Sender) { DoTaskTerminate(Sender); };
}

bool TCustomTrevalon::OpenTaskInput(TFFmpeg& ATask, const QString& AFileName, PInputOptions AOptions) {
    const int index = ATask.nb_input_files();
    try {
        if (AOptions) {
            if (AOptions->FileName.isEmpty()) AOptions->FileName = AFileName;
            ATask.StoreInputOptions(index, AOptions);
            ATask.ApplyExtOptions(AOptions->ExtOptions, true);
            ATask.SetFormat(AOptions->FileFormat);
            ATask.SetStartTime(AOptions->TimeStart);
            if (AOptions->ProgramID >= 0) ATask.SetProgramID(AOptions->ProgramID);
        } else {
            ATask.StoreInputOptions(index, nullptr);
        }
        if (!ATask.OpenInputFile(AFileName)) {
            ATask.StoreInputOptions(index, nullptr);
            FLastErrMsg = ATask.LastErrMsg();
            return false;
        }
        ATask.OpenProbe(index);
        // Until its run the task needs what was read, not the open file.
        ParkInputIO(ATask.InputFile(index));
        return true;
    } catch (const EEngineError& e) {
        if (index < ATask.MaxFiles()) ATask.StoreInputOptions(index, nullptr);
        FLastErrMsg = e.Message();
        return false;
    }
}

int TCustomTrevalon::AddTask(const QString& AFileName, PInputOptions AOptions) {
    CheckNotWorking(QStringLiteral("AddTask"));
    std::unique_ptr<TFFmpeg> task;
    try {
        // Without the libraries the converter has nothing to call.
        TCustomAVProbe::CheckLibraries();
        if (!FFLoader().Loaded(avFilter)) throw EEngineError(QStringLiteral("LibAVFilter not loaded."));
        if (!FFLoader().Loaded(swResample)) throw EEngineError(QStringLiteral("LibSwResample not loaded."));
        task = CreateTask(FCustomMaxFiles);
        task->InitTask();
        task->SetVerbose(FVerbose);
        task->SetPostHooks((FPreview ? 1u << phPreview : 0u) | (FPreviewBitmap ? 1u << phBitmap : 0u));
        task->OnPreviewBitmap = [this](TCustomFFmpeg* Sender, const QImage& ABitmap, int AFrameNumber, int64_t APTS) {
            DoPreviewBitmap(Sender, ABitmap, AFrameNumber, APTS);
        };
    } catch (const EEngineError& e) {
        FLastErrMsg = e.Message();
        return -1;
    }
    // A failed open frees the task: nothing of it stays in the list.
    if (!OpenTaskInput(*task, AFileName, AOptions)) return -1;
    BindTask(*task);
    return FFFmpegList.Add(std::move(task));
}

int TCustomTrevalon::AddTask(const QString& AFileName, const QString& AExtOptions) {
    TInputOptions options = InputOptionsFromText(AExtOptions);
    return AddTask(AFileName, &options);
}

int TCustomTrevalon::AddTask(QIODevice* AStream, const QString& APrivateData, PInputOptions AOptions) {
    return AddTask(StreamName(AStream, APrivateData), AOptions);
}

bool TCustomTrevalon::AddInputFile(int ATaskIndex, const QString& AFileName, PInputOptions AOptions) {
    CheckNotWorking(QStringLiteral("AddInputFile"));
    TFFmpeg* task = FFFmpegList.Items(ATaskIndex);
    // The task's tables were sized when it was made; a later CustomMaxFiles
    // cannot grow them.
    if (task->nb_input_files() >= task->MaxFiles()) {
        FLastErrMsg = QStringLiteral("max input files %1 reached").arg(task->MaxFiles());
        return false;
    }
    return OpenTaskInput(*task, AFileName, AOptions);
}

bool TCustomTrevalon::AddInputFile(int ATaskIndex, const QString& AFileName, const QString& AExtOptions) {
    TInputOptions options = InputOptionsFromText(AExtOptions);
    return AddInputFile(ATaskIndex, AFileName, &options);
}

TAVProbe* TCustomTrevalon::GetTaskAVProbe(int ATaskIndex, int AFileIndex) const {
    return FFFmpegList.Items(ATaskIndex)->AVProbe(AFileIndex);
}

void TCustomTrevalon::ClearTasks() {
    if (FWorking && !FTerminated) throw EEngineError(QStringLiteral("Cannot ClearTasks while working."));
    FFFmpegList.Clear();
    FLastErrMsg.clear();
    ResetRun();
}

void TCustomTrevalon::Exchange(int ATaskIndex1, int ATaskIndex2) {
    CheckNotWorking(QStringLiteral("Exchange"));
    FFFmpegList.Exchange(ATaskIndex1, ATaskIndex2);
}

void TCustomTrevalon::RemoveTask(int ATaskIndex) {
    CheckNotWorking(QStringLiteral("RemoveTask"));
    FFFmpegList.Delete(ATaskIndex);
}

// ---------------------------------------------------------------------------
// Outputs

bool TCustomTrevalon::SetOutputFile(int ATaskIndex, const QString& AFileName, POutputOptions AOptions) {
    CheckNotWorking(QStringLiteral("SetOutputFile"));
    TFFmpeg* task = FFFmpegList.Items(ATaskIndex);
    if (task->nb_output_files() >= task->MaxFiles()) {
        FLastErrMsg = QStringLiteral("max output files %1 reached").arg(task->MaxFiles());
        return false;
    }
    const int index = task->nb_output_files();
    bool opened = false;
    try {
        TStreamOptions L;
        bool join = false;
        if (AOptions) {
            TOutputOptions& o = *AOptions;
            if (o.FileName.isEmpty()) o.FileName = AFileName;
            task->StoreOutputOptions(index, &o);

            L.SetDefault(QStringLiteral("acodec"), o.AudioCodec);
            L.SetDefault(QStringLiteral("vcodec"), o.VideoCodec);
            L.SetDefault(QStringLiteral("scodec"), o.SubtitleCodec);
            L.SetDefault(QStringLiteral("apre"), o.AudioPreset);
            L.SetDefault(QStringLiteral("vpre"), o.VideoPreset);
            L.SetDefault(QStringLiteral("spre"), o.SubtitlePreset);
            L.SetDefault(QStringLiteral("s"), o.FrameSize);
            L.SetDefault(QStringLiteral("vf"), o.VideoFilters);
            // A line of a per-stream key is the default when the record left
            // it open, and also waits for the new stream of its kind.
            for (const TOptionLine& line : OptionLines(o.ExtOptions)) {
                QString name = line.Name.toLower();
                if (line.Value.isEmpty() ||
                    !IsOneOf(name, {"acodec", "vcodec", "scodec", "apre", "vpre", "spre", "s", "vfilters", "vf"}))
                    continue;
                if (name == QLatin1String("vfilters")) name = QStringLiteral("vf");
                if (L.Value(QStringLiteral("def_") + name).isEmpty()) L.SetDefault(name, line.Value);
                L.Append(name, line.Value);
            }

            if (o.TargetType == ttVCD || o.TargetType == ttSVCD || o.TargetType == ttDVD) {
                const QString target = o.TargetType == ttVCD    ? QStringLiteral("vcd")
                                       : o.TargetType == ttSVCD ? QStringLiteral("svcd")
                                                                : QStringLiteral("dvd");
                task->SetTarget(target, NormText(o.NormType),
                                o.NormDefault == ntPAL ? QStringLiteral("pal") : QStringLiteral("ntsc"));
            }

            task->SetAudioCodec(L.Value(QStringLiteral("def_acodec")));
            task->SetVideoCodec(L.Value(QStringLiteral("def_vcodec")));
            task->SetSubtitleCodec(L.Value(QStringLiteral("def_scodec")));
            for (const char* key : {"apre", "vpre", "spre"}) {
                const QString v = L.Value(QStringLiteral("def_") + QLatin1String(key));
                if (!v.isEmpty()) task->SetOption(QLatin1String(key), v);
            }

            task->ApplyExtOptions(o.ExtOptions, false);

            // After the option lines, so a field that passes its guard wins.
            const auto number = [&](const char* AName, int AValue) {
                if (AValue > 0) task->SetOption(QLatin1String(AName), QString::number(AValue));
            };
            const auto flag = [&](const char* AName, bool AValue) {
                if (AValue) task->SetOption(QLatin1String(AName), QStringLiteral("1"));
            };
            task->SetFormat(o.FileFormat);
            number("packetsize", o.PacketSize);
            number("muxrate", o.MuxRate);
            if (o.MuxDelay > 0) task->SetMuxMaxDelay(o.MuxDelay);
            if (o.MuxPreload > 0) task->SetMuxPreload(o.MuxPreload);
            flag("an", o.DisableAudio);
            task->SetAudioVolume(o.AudioVolume);
            if (o.AudioChannels > 0) task->SetAudioChannels(o.AudioChannels);
            if (o.AudioSampleRate > 0) task->SetAudioSampleRate(o.AudioSampleRate);
            number("ab", o.AudioBitrate);
            number("abt", o.AudioBitRateTolerance);
            task->SetOption(QStringLiteral("alang"), o.AudioLanguage);
            task->SetAudioSyncMethod(o.AudioSyncMethod);
            task->SetAudioTag(o.AudioTag);
            flag("vn", o.DisableVideo);
            if (!o.FrameRate.isEmpty()) task->SetFrameRate(o.FrameRate);
            task->SetAspectRatio(o.FrameAspectRatio);
            if (o.CropTop > 0) task->SetCropTop(o.CropTop);
            if (o.CropBottom > 0) task->SetCropBottom(o.CropBottom);
            if (o.CropLeft > 0) task->SetCropLeft(o.CropLeft);
            if (o.CropRight > 0) task->SetCropRight(o.CropRight);
            number("g", o.GroupPictureSize);
            number("vb", o.VideoBitrate);
            number("maxrate", o.VideoMaxRate);
            number("minrate", o.VideoMinRate);
            number("bt", o.VideoBitRateTolerance);
            number("bufsize", o.VideoBufSize);
            task->SetVideoSyncMethod(o.VideoSyncMethod);
            task->SetVideoTag(o.VideoTag);
            task->SetOption(QStringLiteral("vlang"), o.VideoLanguage);
            flag("sn", o.DisableSubtitle);
            task->SetOption(QStringLiteral("slang"), o.SubtitleLanguage);
            task->SetOption(QStringLiteral("isync"), o.InputSync ? QStringLiteral("1") : QStringLiteral("0"));
            flag("copyts", o.CopyTimestamp);
            task->SetStartTime(o.TimeStart);
            task->SetRecordingTime(o.TimeLength);
            if (o.Info.TimeStamp == 0) {
                task->SetOption(QStringLiteral("timestamp"), QStringLiteral("now"));
            } else if (o.Info.TimeStamp > 0) {
                const auto seconds = static_cast<qint64>(
                    std::llround((o.Info.TimeStamp - 25569.0 - LocalTimeZoneOffset()) * 86400.0));
                task->SetOption(QStringLiteral("timestamp"), QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
                                                                 .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")));
            }
            if (o.Info.Year > 0) task->AddMetadata("year", std::to_string(o.Info.Year));
            if (o.Info.Track > 0) task->AddMetadata("track", std::to_string(o.Info.Track));
            const std::pair<const char*, const QString*> texts[] = {
                {"title", &o.Info.Title},         {"author", &o.Info.Author}, {"copyright", &o.Info.Copyright},
                {"comment", &o.Info.Comment},     {"album", &o.Info.Album},   {"genre", &o.Info.Genre},
            };
            for (const auto& [key, value] : texts)
                if (!value->isEmpty()) task->AddMetadata(key, value->toStdString());

            const QString size = L.Value(QStringLiteral("def_s"));
            if (!size.isEmpty()) task->SetFrameSize(size);
            task->SetVideoFilters(L.Value(QStringLiteral("def_vf")));

            if (o.CustomHook) {
                task->OnCustomHook = [this](TCustomFFmpeg* Sender, QImage& ABitmap, int AFrameNumber, int64_t APTS,
                                            bool& AUpdate, bool& AStopHook) {
                    DoCustomHook(Sender, ABitmap, AFrameNumber, APTS, AUpdate, AStopHook);
                };
            }
            join = o.Join;
        } else {
            task->StoreOutputOptions(index, nullptr);
        }

        if (task->OpenOutputFile(AFileName, join, AOptions && AOptions->NoOverwrite) < 0) {
            FLastErrMsg = task->LastErrMsg();
            task->StoreOutputOptions(index, nullptr);
            return false;
        }
        opened = true;

        if (AOptions) {
            // The n-th line of a key goes with the n-th new stream of its kind.
            const auto take = [&](const char* AKey) {
                const QString key = QLatin1String(AKey);
                const QString v = L.Take(key);
                if (!v.isEmpty()) task->SetOption(key, v);
            };
            for (const TOptionLine& line : OptionLines(AOptions->ExtOptions)) {
                const QString name = line.Name.toLower();
                if (name == QLatin1String("newaudio")) {
                    take("acodec");
                    take("apre");
                } else if (name == QLatin1String("newvideo")) {
                    take("vcodec");
                    take("vpre");
                    take("s");
                    take("vf");
                } else if (name == QLatin1String("newsubtitle")) {
                    take("scodec");
                    take("spre");
                } else {
                    continue;
                }
                task->SetOption(name, line.Value);
            }
        }
        return true;
    } catch (const EEngineError& e) {
        FLastErrMsg = e.Message();
        if (!opened) task->StoreOutputOptions(index, nullptr);
        return false;
    }
}

bool TCustomTrevalon::SetOutputFile(int ATaskIndex, const QString& AFileName, const QString& AExtOptions) {
    TOutputOptions options;
    InitOutputOptions(options);
    for (const TOptionLine& line : OptionLines(AExtOptions)) {
        const auto is = [&](const char* AName) { return line.Name.compare(QLatin1String(AName), Qt::CaseInsensitive) == 0; };
        if (is("Hook") || is("CustomHook"))
            options.CustomHook = true;
        else if (is("Join"))
            options.Join = true;
        else if (is("TimeStart"))
            options.TimeStart = ToTime(line.Value);
        else if (is("TimeLength"))
            options.TimeLength = ToTime(line.Value);
        else
            options.ExtOptions += line.Name + u'=' + line.Value + u'\n';
    }
    return SetOutputFile(ATaskIndex, AFileName, &options);
}

bool TCustomTrevalon::SetOutputStream(int ATaskIndex, QIODevice* AStream, const QString& APrivateData,
                                      POutputOptions AOptions) {
    return SetOutputFile(ATaskIndex, StreamName(AStream, APrivateData), AOptions);
}
