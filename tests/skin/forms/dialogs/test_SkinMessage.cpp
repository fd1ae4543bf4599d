// Message boxes as built and as driven: captions, pictures, the show-again
// answer, places, and the keys and clicks of a box in its modal loop (driven
// by queued events, never by waiting).
#include "skin/forms/dialogs/SkinMessage.h"

#include "platform/Application.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/forms/Velmora.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// What a built box looked like when it was shown; ShowBox answers without a loop.
struct TSeen {
    bool Shown = false;
    QString Caption, Text;
    int TextWidth = 0;
    QStringList Buttons;  // captions in kind order
    bool HasImage = false, ImageEmpty = true;
    TRect ImageBounds{};
    bool HasCheck = false, Checked = false;
    QString CheckCaption;
    int Left = 0, Top = 0, Width = 0, ClientHeight = 0;
    TPosition Position = poDesigned;
    int ButtonHeight = 0;
    int HelpContext = 0;
    QString HelpFile;
};

class TProbeMessage : public TqvSkinMessage {
public:
    TSeen Seen;
    TModalResult Answer = mrOk;
    bool Toggle = false;  // the user flips the check box
    bool Throw = false;
    QPointer<TqvMessageForm> Form;

protected:
    TModalResult ShowBox(TqvMessageForm* f) override {
        Form = f;
        Seen = {};
        Seen.Shown = true;
        Seen.Caption = f->Caption();
        Seen.Text = f->Message()->Caption();
        Seen.TextWidth = f->Message()->Width();
        for (int i = 0; i < kMsgDlgBtnCount; ++i)
            if (auto* b = f->Button(TMsgDlgBtn(i))) {
                Seen.Buttons << b->Caption();
                Seen.ButtonHeight = b->Height();
            }
        if (auto* img = f->Image()) {
            Seen.HasImage = true;
            Seen.ImageEmpty = img->Picture().Empty();
            Seen.ImageBounds = img->BoundsRect();
        }
        if (auto* cb = f->DisplayCheckBox()) {
            Seen.HasCheck = true;
            Seen.Checked = cb->Checked();
            Seen.CheckCaption = cb->Caption();
            if (Toggle) cb->SetChecked(!cb->Checked());
        }
        Seen.Left = f->Left(), Seen.Top = f->Top(), Seen.Width = f->Width();
        Seen.ClientHeight = f->ClientHeight();
        Seen.Position = f->Position();
        Seen.HelpContext = f->HelpContext();
        Seen.HelpFile = f->HelpFile();
        if (Throw) throw std::runtime_error("modal run failed");
        return Answer;
    }
};

TqvMessageForm* OpenBox() {
    for (TForm* f : Application()->Forms())
        if (auto* m = qobject_cast<TqvMessageForm*>(f)) return m;
    return nullptr;
}

void Click(QWidget* w) {
    SendMouse(w, QEvent::MouseButtonPress, {5, 5});
    SendMouse(w, QEvent::MouseButtonRelease, {5, 5});
}

TEST(SkinMessage, CaptionsFromTheModelsStringsElseBuiltIn) {
    Application()->SetTitle(QStringLiteral("Quorvelia"));
    TProbeMessage m;
    struct Row {
        TMsgDlgType Type;
        const char* Caption;
    };
    for (Row r : {Row{mtWarning, "Warning"}, Row{mtError, "Error"}, Row{mtInformation, "Information"},
                  Row{mtConfirmation, "Confirm"}, Row{mtCustom, "Quorvelia"}}) {
        m.MessageDlg(QStringLiteral("Text"), r.Type, MsgBtn(mbOK), 0);
        EXPECT_EQ(m.Seen.Caption, QString::fromLatin1(r.Caption)) << r.Type;
        EXPECT_TRUE(m.Seen.HasImage);
        EXPECT_EQ(m.Seen.ImageEmpty, r.Type == mtCustom) << r.Type;
    }
    m.MessageDlg(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0);
    EXPECT_EQ(m.Seen.ImageBounds, Bounds(5, 10, 32, 32));
    m.MessageDlg(QStringLiteral("Text"), mtConfirmation, ~0u, 0);
    EXPECT_EQ(m.Seen.Buttons, (QStringList{"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All",
                                           "N&oToAll", "&YesToAll", "&Help", "Close"}));
    // The caller's caption wins, for the custom type as well.
    m.MessageDlg2(QStringLiteral("Text"), QStringLiteral("Converting"), mtCustom, MsgBtn(mbOK), 0);
    EXPECT_EQ(m.Seen.Caption, QStringLiteral("Converting"));

    // With the caption model's strings: its lines, an absent key an empty caption,
    // the custom type still the application's title.
    TqvSkinData model;
    TqvResourceStrData strings;
    strings.SetResStrings({"MSG_CAP_WARNING=Achtung", "MSG_BTN_YES=&Ja", "MSG_BTN_OK=Gut"});
    model.SetResourceStrData(&strings);
    m.SetCtrlSkinData(&model);
    m.ShowAgainFlag = true;
    m.MessageDlg(QStringLiteral("Text"), mtWarning, MsgBtn(mbYes) | MsgBtn(mbNo) | MsgBtn(mbOK), 0);
    EXPECT_EQ(m.Seen.Caption, QStringLiteral("Achtung"));
    EXPECT_EQ(m.Seen.Buttons, (QStringList{"&Ja", "", "Gut"}));
    EXPECT_EQ(m.Seen.CheckCaption, QStringLiteral("Do not display this message again"));
    m.MessageDlg(QStringLiteral("Text"), mtError, 0, 0);
    EXPECT_EQ(m.Seen.Caption, QString());
    m.MessageDlg(QStringLiteral("Text"), mtCustom, 0, 0);
    EXPECT_EQ(m.Seen.Caption, QStringLiteral("Quorvelia"));
    strings.SetResStrings({"MSG_CAP_SHOWFLAG=Nicht mehr zeigen"});
    m.MessageDlg(QStringLiteral("Text"), mtWarning, 0, 0);
    EXPECT_EQ(m.Seen.CheckCaption, QStringLiteral("Nicht mehr zeigen"));
}

TEST(SkinMessage, AnAmpersandInTheTextIsShownAsIs) {
    TProbeMessage m;
    m.MessageDlg(QStringLiteral("Tom & Jerry.mp4"), mtWarning, MsgBtn(mbOK), 0);
    const int withAmpersand = m.Seen.TextWidth;
    m.MessageDlg(QStringLiteral("Tom  Jerry.mp4"), mtWarning, MsgBtn(mbOK), 0);
    EXPECT_GT(withAmpersand, m.Seen.TextWidth);
}

TEST(SkinMessage, ButtonHeightFromTheSkinsButtonRecord) {
    TProbeMessage m;
    TqvSkinData model;
    model.Empty = false;
    auto rec = std::make_unique<TqvDataSkinButtonControl>(QStringLiteral("button"));
    rec->SkinRect = Bounds(0, 0, 70, 23);
    model.CtrlList.push_back(std::move(rec));
    model.CtrlList.push_back(std::make_unique<TqvDataSkinControl>(QStringLiteral("plain")));
    m.SetCtrlSkinData(&model);
    m.MessageDlg(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0);
    const int labelHeight = m.Seen.ClientHeight - 23 - 50;
    EXPECT_EQ(m.Seen.ButtonHeight, 23);
    EXPECT_GT(labelHeight, 5);
    // A record of another kind, or none: the row is 25 high.
    m.ButtonSkinDataName = QStringLiteral("plain");
    m.MessageDlg(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0);
    EXPECT_EQ(m.Seen.ClientHeight, 25 + labelHeight + 50);
    // An empty model is no skin, whatever records it still holds.
    model.Empty = true;
    m.ButtonSkinDataName = QStringLiteral("button");
    m.MessageDlg(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0);
    EXPECT_EQ(m.Seen.ClientHeight, 25 + labelHeight + 50);
}

TEST(SkinMessage, ShowAgainAnswerIsWrittenBackHoweverTheBoxEnds) {
    struct Row {
        bool Flag, Value, Toggle, Wide, Throw;
        bool HasCheck, StartsChecked, ValueAfter;
    };
    for (const Row& r : {
             Row{false, false, true, false, false, false, false, false},  // flag off: never written
             Row{true, false, false, false, false, true, true, false},    // untouched: stays off
             Row{true, false, true, false, false, true, true, true},      // tick cleared: on
             Row{true, true, false, false, false, true, false, true},
             Row{true, true, true, false, false, true, false, false},
             Row{true, false, true, true, false, false, false, false},  // wide: never
             Row{true, false, true, false, true, true, true, true},     // thrown: still written
         }) {
        TProbeMessage m;
        m.ShowAgainFlag = r.Flag;
        m.ShowAgainFlagValue = r.Value;
        m.Toggle = r.Toggle;
        m.Throw = r.Throw;
        auto call = [&] {
            return r.Wide ? m.WideMessageDlg(QStringLiteral("Text"), mtWarning, MsgBtn(mbOK), 0)
                          : m.MessageDlg(QStringLiteral("Text"), mtWarning, MsgBtn(mbOK), 0);
        };
        if (r.Throw) EXPECT_THROW(call(), std::runtime_error);
        else EXPECT_EQ(call(), mrOk);
        EXPECT_EQ(m.Seen.HasCheck, r.HasCheck);
        EXPECT_EQ(m.Seen.Checked, r.StartsChecked);
        EXPECT_EQ(m.ShowAgainFlagValue, r.ValueAfter);
        EXPECT_TRUE(m.Form.isNull()) << "the box is freed";
        EXPECT_EQ(OpenBox(), nullptr);
    }
}

TEST(SkinMessage, ShowAgainClickedInTheModalLoop) {
    TqvSkinMessage m;
    m.ShowAgainFlag = true;
    QTimer::singleShot(0, [] {
        TqvMessageForm* f = OpenBox();
        ASSERT_TRUE(f);
        EXPECT_TRUE(f->isVisible());
        Click(f->DisplayCheckBox());
        Click(f->Button(mbNo));
    });
    EXPECT_EQ(m.MessageDlg(QStringLiteral("Replace the file?"), mtConfirmation, MsgBtn(mbYes) | MsgBtn(mbNo), 0),
              mrNo);
    EXPECT_TRUE(m.ShowAgainFlagValue);
    EXPECT_EQ(OpenBox(), nullptr);
}

TEST(SkinMessage, PlacesCentredAtAPointOrWhereTheHandlerSays) {
    TProbeMessage m;
    m.MessageDlg(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0);
    EXPECT_EQ(m.Seen.Position, poScreenCenter);
    m.MessageDlgPos(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0, -10000, 40);
    EXPECT_EQ(m.Seen.Position, poDesigned);
    EXPECT_EQ(m.Seen.Left, -10000);
    EXPECT_EQ(m.Seen.Top, 40);

    int calls = 0, seenX = 0, seenY = 0, seenW = 0;
    m.OnSetShowPos = [&](int& x, int& y, int w, int) {
        ++calls;
        seenX = x, seenY = y, seenW = w;
        x = 300, y = 200;
    };
    m.MessageDlgPos(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0, 100, 50);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenX, 100);
    EXPECT_EQ(seenY, 50);
    EXPECT_EQ(seenW, m.Seen.Width);
    EXPECT_EQ(m.Seen.Left, 300);
    EXPECT_EQ(m.Seen.Top, 200);
    // A centred box moved by the handler stays where it was put.
    m.CustomMessageDlgPos(QStringLiteral("Text"), QStringLiteral("C"), nullptr, 0, MsgBtn(mbOK), 0, kMsgCentred,
                          kMsgCentred);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(m.Seen.Position, poDesigned);
    EXPECT_EQ(m.Seen.Left, 300);
    // Calls without a place, and the wide one with a place, never ask.
    m.MessageDlg(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0);
    m.WideMessageDlgPos(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK), 0, 10, 10);
    EXPECT_EQ(calls, 2);
}

TEST(SkinMessage, PicturesFromAListAndTheHelpFields) {
    TProbeMessage m;
    TImageList images;
    images.SetSize(24, 24);
    QImage img(24, 24, QImage::Format_RGB32);
    img.fill(Qt::red);
    images.Add(img);
    m.CustomMessageDlgHelp(QStringLiteral("Text"), QStringLiteral("C"), &images, 0, MsgBtn(mbOK), 7,
                           QStringLiteral("help.txt"));
    EXPECT_TRUE(m.Seen.HasImage);
    EXPECT_EQ(m.Seen.ImageBounds.Width(), 24);
    EXPECT_EQ(m.Seen.HelpContext, 7);
    EXPECT_EQ(m.Seen.HelpFile, QStringLiteral("help.txt"));
    for (int bad : {-1, 1}) {
        m.CustomMessageDlg(QStringLiteral("Text"), QStringLiteral("C"), &images, bad, MsgBtn(mbOK), 0);
        EXPECT_FALSE(m.Seen.HasImage) << bad;
    }
    m.CustomMessageDlg(QStringLiteral("Text"), QStringLiteral("C"), nullptr, 0, MsgBtn(mbOK), 0);
    EXPECT_FALSE(m.Seen.HasImage);
}

TEST(SkinMessage, AMessageWiderThanTheScreenIsCutToTheMaximum) {
    TProbeMessage m;
    m.MessageDlg(QString(600, QChar('W')), mtWarning, MsgBtn(mbOK), 0);
    TqvMessageForm probe(nullptr, 0, 0, {});
    EXPECT_EQ(m.Seen.Width, probe.GetMaxWidth());
    m.MessageDlg(QStringLiteral("."), mtWarning, 0, 0);
    EXPECT_EQ(m.Seen.Width, 120);
}

// The box's own frame component skins it with the caller's models and
// alpha settings, and its width limit is the box's.
TEST(SkinMessage, TheFrameComponentSkinsTheBox) {
    struct TFrameProbe : TqvSkinMessage {
        QPointer<TqvSkinData> Skin, Menus;
        bool Alpha = false, Animation = false;
        int AlphaValue = 0, MaxWidth = 0;
        unsigned Icons = 99;
        QMargins Margins;
        TModalResult ShowBox(TqvMessageForm* f) override {
            TqvVelmora* c = f->FormComponent();
            EXPECT_EQ(GetSkinFormComponent(f), c);
            Skin = c->SkinData(), Menus = c->MenusSkinData();
            Alpha = c->AlphaBlend(), Animation = c->AlphaBlendAnimation, AlphaValue = c->AlphaBlendValue();
            Icons = c->BorderIcons();
            Margins = f->ClientMargins();
            c->MaxWidth = 300;
            MaxWidth = f->GetMaxWidth();
            return mrOk;
        }
    } m;
    TqvSkinData frame, controls;
    m.SetSkinData(&frame);
    m.SetCtrlSkinData(&controls);
    m.AlphaBlend = true, m.AlphaBlendAnimation = true, m.AlphaBlendValue = 150;
    m.MessageDlg(QString(600, QChar('W')), mtWarning, MsgBtn(mbOK), 0);
    EXPECT_EQ(m.Skin, &frame);
    EXPECT_EQ(m.Menus, &controls);
    EXPECT_TRUE(m.Alpha);
    EXPECT_TRUE(m.Animation);
    EXPECT_EQ(m.AlphaValue, 150);
    EXPECT_EQ(m.Icons, 0u);
    // The skinless frame of the component, not the window manager's.
    EXPECT_GT(m.Margins.top(), 0);
    EXPECT_EQ(m.MaxWidth, 300);
}

TEST(SkinMessage, EnterAndEscapeReachTheRoles) {
    struct Row {
        TMsgDlgButtons Buttons;
        int Key;
        TModalResult Result;  // 0: the box stays open
    };
    for (const Row& r : {Row{MsgBtn(mbOK), Qt::Key_Return, mrOk}, Row{MsgBtn(mbOK), Qt::Key_Escape, mrOk},
                         Row{MsgBtn(mbYes) | MsgBtn(mbNo), Qt::Key_Return, mrYes},
                         Row{MsgBtn(mbYes) | MsgBtn(mbNo), Qt::Key_Escape, mrNo},
                         Row{mbYesNoCancel, Qt::Key_Escape, mrCancel},
                         Row{mbAbortRetryIgnore, Qt::Key_Return, mrRetry},
                         Row{mbAbortRetryIgnore, Qt::Key_Escape, mrNone}}) {
        TqvSkinMessage m;
        TModalResult afterKey = -1;
        QTimer::singleShot(0, [&] {
            TqvMessageForm* f = OpenBox();
            ASSERT_TRUE(f);
            QApplication::setActiveWindow(f);
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : f;
            SendKey(target, QEvent::KeyPress, r.Key);
            SendKey(target, QEvent::KeyRelease, r.Key);
            afterKey = f->ModalResult();
            if (afterKey == mrNone) f->SetModalResult(99);
        });
        const int result = m.MessageDlg2(QStringLiteral("Text"), QStringLiteral("Keys"), mtInformation, r.Buttons, 0);
        EXPECT_EQ(afterKey, r.Result) << r.Buttons << " " << r.Key;
        EXPECT_EQ(result, r.Result ? r.Result : 99) << r.Buttons << " " << r.Key;
    }
}

TEST(SkinMessage, HelpAsksTheApplicationAndTheBoxStaysOpen) {
    int asked = -1;
    Application()->OnHelp = [&](int ctx) {
        asked = ctx;
        return false;
    };
    TqvSkinMessage m;
    bool openAfterHelp = false;
    QTimer::singleShot(0, [&] {
        TqvMessageForm* f = OpenBox();
        ASSERT_TRUE(f);
        Click(f->Button(mbHelp));
        openAfterHelp = f->isVisible() && f->ModalResult() == mrNone;
        Click(f->Button(mbOK));
    });
    EXPECT_EQ(m.MessageDlg(QStringLiteral("Text"), mtInformation, MsgBtn(mbOK) | MsgBtn(mbHelp), 42), mrOk);
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(asked, 42);
    Application()->OnHelp = nullptr;
}

}  // namespace
