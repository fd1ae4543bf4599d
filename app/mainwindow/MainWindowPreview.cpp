// The preview: the selected job's input plays paused in Panel6, with play,
// pause, stop, mute and a position slider, and the player's settings on the
// hidden Panel5.
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/PreviewSlider.h"

#include "engine/AVProbe.h"
#include "engine/FFBase.h"
#include "engine/Player.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/bars/SkinSlider.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/views/SkinListView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSlider>

#include <algorithm>

namespace mainwindow {

int SliderValueAt(int AMaxValue, std::int64_t APTS, std::int64_t ADuration) {
    if (ADuration <= 0 || APTS <= 0 || AMaxValue <= 0) return 0;
    // 128 bits: a late or corrupt position must clamp, never wrap.
    const __int128 v = static_cast<__int128>(AMaxValue) * APTS / ADuration;
    return v >= AMaxValue ? AMaxValue : static_cast<int>(v);
}

std::int64_t SeekTargetAt(std::int64_t ADuration, int AValue, int AMaxValue) {
    if (AMaxValue <= 0) return 0;
    return static_cast<std::int64_t>(static_cast<__int128>(ADuration) * AValue / AMaxValue);
}

}  // namespace mainwindow

namespace {

const char* const kStateNames[] = {"Play", "Pause", "Resume", "Step", "Stop", "End"};

// Every move of the window reaches WMWindowPosChanged.
class TWindowMoveFilter : public QObject {
public:
    explicit TWindowMoveFilter(TForm1* form) : QObject(form), FForm(form) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == FForm && e->type() == QEvent::Move) FForm->WMWindowPosChanged(FForm);
        return false;
    }

private:
    TForm1* FForm;
};

template <class T>
T* PlaceHidden(TForm1* form, TWinControl* parent, const char* name, int x, int y, int w, int h) {
    auto* c = new T(form);
    c->SetName(QString::fromLatin1(name));
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
}

// Selects the entry equal to text; no selection when there is none.
void SelectEntry(TComboBox* list, const QString& text) { list->SetItemIndex(list->Items().IndexOf(text)); }

}  // namespace

void TForm1::CreatePreviewControls() {
    qvSkinSlider1->SetSkinDataName(QStringLiteral("slider"));
    qvSkinSlider1->SetOptions(soShowFocus | soSmooth);
    qvSkinSlider1->SetTransparent(true);

    for (TComboBox* list : {cboScreens, cboVideoDriver, cboAudioDriver}) list->SetStyle(csDropDownList);
    cboVideoDriver->Items().AddStrings(QStringList{"Default", "DDraw", "GDI"});
    cboVideoDriver->SetItemIndex(0);
    cboAudioDriver->Items().AddStrings(QStringList{"Default", "DSound", "waveOut"});
    cboAudioDriver->SetItemIndex(0);
    chkOpenPaused->SetCaption(QStringLiteral("Open Paused"));
    chkStayOnTop = PlaceHidden<TCheckBox>(this, Panel5, "chkStayOnTop", 160, 30, 120, 17);
    chkStayOnTop->SetCaption(QStringLiteral("Stay On Top"));
    TrackBar2 = PlaceHidden<TTrackBar>(this, Panel5, "TrackBar2", 160, 52, 150, 30);
    TrackBar2->SetMin(0);
    TrackBar2->SetMax(128);
    TrackBar2->SetPosition(128);
    TrackBar2->SetPageSize(10);
    TrackBar2->SetFrequency(20);
    TrackBar2->Widget()->setTickPosition(QSlider::TicksBothSides);
    Label2 = PlaceHidden<TCustomLabel>(this, Panel5, "Label2", 160, 90, 60, 13);
    Label3 = PlaceHidden<TCustomLabel>(this, Panel5, "Label3", 230, 90, 60, 13);
    for (TCustomLabel* l : {Label2, Label3}) l->SetCaption(QStringLiteral("N/A"));
    cboVideo = PlaceHidden<TComboBox>(this, Panel5, "cboVideo", 8, 120, 120, 21);
    cboAudio = PlaceHidden<TComboBox>(this, Panel5, "cboAudio", 134, 120, 120, 21);
    cboSubtitle = PlaceHidden<TComboBox>(this, Panel5, "cboSubtitle", 260, 120, 120, 21);
    for (TComboBox* list : {cboVideo, cboAudio, cboSubtitle}) {
        list->SetStyle(csDropDownList);
        list->SetEnabled(false);
    }
}

void TForm1::BindPreviewHandlers() {
    Button31->OnClick = [this](QObject* s) { Button31Click(s); };
    DUDuvuvu->OnFileOpen = [this](QObject* s, std::int64_t d, int w, int h, int& sw, int& sh) {
        DUDuvuvuFileOpen(s, d, w, h, sw, sh);
    };
    DUDuvuvu->OnPosition = [this](QObject* s, std::int64_t pts) { DUDuvuvuPosition(s, pts); };
    DUDuvuvu->OnState = [this](QObject* s, TPlayState state) { DUDuvuvuState(s, state); };
    qvSkinButton13->OnClick = [this](QObject* s) { qvSkinButton13Click(s); };
    qvSkinButton14->OnClick = [this](QObject* s) { qvSkinButton14Click(s); };
    qvSkinButton15->OnClick = [this](QObject* s) { qvSkinButton15Click(s); };
    qvSkinButton16->OnClick = [this](QObject* s) { qvSkinButton16Click(s); };
    qvSkinButton20->OnClick = [this](QObject* s) { qvSkinButton20Click(s); };
    qvSkinSlider1->OnMouseDown = [this](QObject* s, Qt::MouseButton b, Qt::KeyboardModifiers k, int x, int y) {
        qvSkinSlider1MouseDown(s, b, k, x, y);
    };
    qvSkinSlider1->OnMouseUp = [this](QObject* s, Qt::MouseButton b, Qt::KeyboardModifiers k, int x, int y) {
        qvSkinSlider1MouseUp(s, b, k, x, y);
    };
    TrackBar2->OnChange = [this](QObject* s) { TrackBar2Change(s); };
    installEventFilter(new TWindowMoveFilter(this));
}

TWinControl* TForm1::FindChildControl(const QString& AName) const {
    for (TControl* c : Controls()) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w && w->Name() == AName) return w;
    }
    return nullptr;
}

void TForm1::Button31Click(QObject*) {
    if (!DUDuvuvu->AVLibLoaded() && !DUDuvuvu->LoadAVLib(GetApplicationPath() + QStringLiteral("LibAV"))) {
        mmoLog->Lines().Add(DUDuvuvu->LastErrMsg());
        return;
    }
    const int screen = cboScreens->ItemIndex();
    FScreenControl = FindChildControl(screen >= 0 ? cboScreens->Items()[screen] : QString());
    const int video = cboVideoDriver->ItemIndex();
    DUDuvuvu->SetVideoDriver(video == 1 ? vdDirectDraw : video == 2 ? vdGDI : vdDefault);
    const int audio = cboAudioDriver->ItemIndex();
    DUDuvuvu->SetAudioDriver(audio == 1 ? adDirectSound : audio == 2 ? adWaveOut : adDefault);
    if (!DUDuvuvu->Open(T_Movie_PLayer_FileName, Panel6, chkOpenPaused->Checked()))
        mmoLog->Lines().Add(DUDuvuvu->LastErrMsg());
}

void TForm1::DUDuvuvuFileOpen(QObject*, std::int64_t ADuration, int AFrameWidth, int AFrameHeight,
                              int& AScreenWidth, int& AScreenHeight) {
    TAVProbe* probe = DUDuvuvu->AVProbe();
    mmoLog->Lines().Add(probe->FileInfoText());
    // asprintf is locale-free: the point stays a point.
    mmoLog->Lines().Add(QString::asprintf("duration: %.2f, frame size: %dx%d", double(ADuration) / 1000000,
                                          AFrameWidth, AFrameHeight));
    if (FScreenControl) {
        AScreenWidth = FScreenControl->Width();
        AScreenHeight = FScreenControl->Height();
    } else if (const QScreen* desktop = QGuiApplication::primaryScreen()) {
        AScreenWidth = desktop->size().width();
        AScreenHeight = desktop->size().height();
    }
    FDuration = ADuration;
    Label2->SetCaption(QString::asprintf("%.2f", double(ADuration) / 1000000));
    Label3->SetCaption(QStringLiteral("0.0"));
    qvSkinSlider1->SetIncrement(5);
    qvSkinSlider1->SetMaxValue(qvSkinSlider1->Width());
    qvSkinSlider1->SetValue(0);

    {
        struct TUpdating {
            TStrings& Items;
            explicit TUpdating(TStrings& items) : Items(items) { Items.BeginUpdate(); }
            ~TUpdating() { Items.EndUpdate(); }
        } video(cboVideo->Items()), audio(cboAudio->Items()), subtitle(cboSubtitle->Items());
        for (TComboBox* list : {cboVideo, cboAudio, cboSubtitle}) list->Items().Clear();
        for (int i = 0; i < probe->StreamCount(); ++i) {
            if (probe->IsVideoStream(i))
                cboVideo->Items().Add(QStringLiteral("Video#%1").arg(i));
            else if (probe->IsAudioStream(i))
                cboAudio->Items().Add(QStringLiteral("Audio#%1").arg(i));
            else if (probe->IsSubtitleStream(i))
                cboSubtitle->Items().Add(QStringLiteral("Subtitle#%1").arg(i));
        }
    }
    ShowStreamChoices();
}

// Which lists are offered and which entry each shows: the player tells the
// streams it chose while it raises OnFileOpen.
void TForm1::ShowStreamChoices() {
    const int videoIndex = DUDuvuvu->VideoStreamIndex();
    cboVideo->SetEnabled(cboVideo->Items().Count() >= 2 && videoIndex >= 0);
    SelectEntry(cboVideo, QStringLiteral("Video#%1").arg(videoIndex));
    cboAudio->SetEnabled(cboAudio->Items().Count() >= 2 && DUDuvuvu->AudioStreamIndex() >= 0);
    SelectEntry(cboAudio, QStringLiteral("Audio#%1").arg(DUDuvuvu->AudioStreamIndex()));
    TStrings& subtitles = cboSubtitle->Items();
    cboSubtitle->SetEnabled(subtitles.Count() >= 1 && videoIndex >= 0);
    if (cboSubtitle->Enabled()) {
        subtitles.Insert(0, QStringLiteral("Subtitle#-1"));
        SelectEntry(cboSubtitle, QStringLiteral("Subtitle#%1").arg(DUDuvuvu->SubtitleStreamIndex()));
    }
}

void TForm1::DUDuvuvuPosition(QObject*, std::int64_t APTS) {
    if (qvSkinSlider1_down_UP != QLatin1String("UP")) return;
    Label3->SetCaption(QString::asprintf("%.2f", double(APTS) / 1000000));
    if (APTS >= 0 && FDuration > 0)
        qvSkinSlider1->SetValue(mainwindow::SliderValueAt(qvSkinSlider1->MaxValue(), APTS, FDuration));
}

void TForm1::DUDuvuvuState(QObject*, TPlayState AState) {
    mmoLog->Lines().Add(QString::fromLatin1(kStateNames[AState]));
    switch (AState) {
    case psPlay:
    case psResume:
        if (chkStayOnTop->Checked()) SetFormStyle(fsStayOnTop);
        break;
    case psPause:
    case psStep:
        SetFormStyle(fsNormal);
        break;
    case psStop:
        SetFormStyle(fsNormal);
        // The panel paints its own background over the last picture.
        if (QWidget* screen = DUDuvuvu->ScreenHandle()) screen->repaint();
        break;
    case psEnd:
        DUDuvuvu->Seek(std::int64_t(0), {sfAny}, false);
        DUDuvuvu->Pause();
        break;
    }
}

void TForm1::qvSkinButton13Click(QObject*) {
    DUDuvuvu->Resume();
    lvFiles->SetFocus();
}

void TForm1::qvSkinButton14Click(QObject*) {
    DUDuvuvu->Pause();
    lvFiles->SetFocus();
}

// Back to the file's first picture, paused. Whatever goes wrong is dropped:
// the preview is only ever a view of the job.
void TForm1::qvSkinButton15Click(QObject*) {
    if (!lvFiles->Selected()) return;
    try {
        DUDuvuvu->Stop(true);
        if (!DUDuvuvu->Open(T_Movie_PLayer_FileName, Panel6, chkOpenPaused->Checked()))
            mmoLog->Lines().Add(DUDuvuvu->LastErrMsg());
        lvFiles->SetFocus();
    } catch (...) {
        try {
            DUDuvuvu->Stop(true);
        } catch (...) {
        }
    }
}

void TForm1::qvSkinButton16Click(QObject*) {
    DUDuvuvu->SetMute(true);
    qvSkinButton20->SetVisible(true);
    qvSkinButton16->SetVisible(false);
}

void TForm1::qvSkinButton20Click(QObject*) {
    DUDuvuvu->SetMute(false);
    qvSkinButton20->SetVisible(false);
    qvSkinButton16->SetVisible(true);
}

void TForm1::qvSkinSlider1MouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    qvSkinSlider1_down_UP = QStringLiteral("Down");
    DUDuvuvu->Pause();
}

// A preview paused before the drag plays after it. A move forward never goes
// back: where the key frame before the target lies behind where playback
// was, the player decodes on to the target.
void TForm1::qvSkinSlider1MouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    DUDuvuvu->Pause();
    DUDuvuvu->Seek(mainwindow::SeekTargetAt(FDuration, qvSkinSlider1->Value(), qvSkinSlider1->MaxValue()),
                   TSeekFlags{}, false, DUDuvuvu->CurrentPTS());
    DUDuvuvu->Resume();
    qvSkinSlider1_down_UP = QStringLiteral("UP");
}

void TForm1::TrackBar2Change(QObject*) { DUDuvuvu->SetAudioVolume(TrackBar2->Position()); }

void TForm1::WMWindowPosChanged(QObject*) {
    if (DUDuvuvu) DUDuvuvu->UpdateScreenPosition();
}
