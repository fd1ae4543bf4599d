#include "skin/forms/dialogs/SkinMessage.h"

#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/forms/Velmora.h"
#include "skin/model/draw/DrawUtils.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

namespace {

struct TButtonKind {
    const char* Name;
    const char* Key;
    const char* Text;
    TModalResult Result;
};
// In TMsgDlgBtn order.
constexpr TButtonKind kButtons[kMsgDlgBtnCount] = {
    {"Yes", "MSG_BTN_YES", "&Yes", mrYes},
    {"No", "MSG_BTN_NO", "&No", mrNo},
    {"OK", "MSG_BTN_OK", "OK", mrOk},
    {"Cancel", "MSG_BTN_CANCEL", "Cancel", mrCancel},
    {"Abort", "MSG_BTN_ABORT", "&Abort", mrAbort},
    {"Retry", "MSG_BTN_RETRY", "&Retry", mrRetry},
    {"Ignore", "MSG_BTN_IGNORE", "&Ignore", mrIgnore},
    {"All", "MSG_BTN_ALL", "&All", mrAll},
    {"NoToAll", "MSG_BTN_NOTOALL", "N&oToAll", mrNoToAll},
    {"YesToAll", "MSG_BTN_YESTOALL", "&YesToAll", mrYesToAll},
    {"Help", "MSG_BTN_HELP", "&Help", mrNone},
    {"Close", "MSG_BTN_CLOSE", "Close", 11},
};

struct TTypeKind {
    const char* Key;  // nullptr: the custom type has no caption of its own
    const char* Text;
    QStyle::StandardPixmap Icon;
};
// In TMsgDlgType order.
constexpr TTypeKind kTypes[] = {
    {"MSG_CAP_WARNING", "Warning", QStyle::SP_MessageBoxWarning},
    {"MSG_CAP_ERROR", "Error", QStyle::SP_MessageBoxCritical},
    {"MSG_CAP_INFORMATION", "Information", QStyle::SP_MessageBoxInformation},
    {"MSG_CAP_CONFIRM", "Confirm", QStyle::SP_MessageBoxQuestion},
    {nullptr, "", QStyle::SP_CustomBase},
};

const char* const kShowFlagText = "Do not display this message again";

TqvResourceStrData* Strings(TqvSkinData* model) { return model ? model->ResourceStrData() : nullptr; }

}  // namespace

// ---------------------------------------------------------------------------

TqvMessageForm::TqvMessageForm(QObject* AOwner, int X, int Y, const TqvMessageParams& params)
    : TForm(AOwner), P(params) {
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    SetKeyPreview(true);
    if (X < -10000) SetPosition(poScreenCenter);
    else SetBounds(X, Y, Width(), Height());
    AttachFormComponent();
}

void TqvMessageForm::AttachFormComponent() {
    QVF = new TqvVelmora(this);
    QVF->SetBorderIcons(0);
    QVF->SetSkinData(P.SkinData);
    QVF->SetMenusSkinData(P.CtrlSkinData);
    QVF->SetAlphaBlend(P.AlphaBlend);
    QVF->AlphaBlendAnimation = P.AlphaBlendAnimation;
    QVF->SetAlphaBlendValue(P.AlphaBlendValue);
}

int TqvMessageForm::GetMaxWidth() const { return QVF->GetMaxWidth(); }

int TqvMessageForm::GetMinWidth() const { return QVF->GetMinWidth(); }

int TqvMessageForm::ButtonHeight() const {
    TqvSkinData* sd = P.CtrlSkinData;
    if (!sd || sd->Empty) return 25;
    const int i = sd->GetControlIndex(P.ButtonSkinDataName);
    if (i < 0) return 25;
    auto* rec = dynamic_cast<TqvDataSkinButtonControl*>(sd->CtrlList[size_t(i)].get());
    return rec ? rec->SkinRect.Height() : 25;
}

void TqvMessageForm::Layout() {
    SetCaption(P.Caption);

    FMessage = new TqvSkinStdLabel(this);
    FMessage->SetFont(P.DefaultFont);
    FMessage->SetDefaultFont(P.DefaultFont);
    FMessage->SetUseSkinFont(P.UseSkinFont);
    FMessage->SetSkinDataName(P.MessageLabelSkinDataName);
    FMessage->SetSkinData(P.CtrlSkinData);
    FMessage->SetName(QStringLiteral("Message"));
    FMessage->SetParent(this);
    FMessage->SetAutoSize(true);
    // Messages quote file names; an "&" in one is text, not a mnemonic.
    FMessage->SetShowAccelChar(false);
    FMessage->SetCaption(P.Msg);
    FMessage->SetBounds(TqvMessageLayout::kLabelLeft, TqvMessageLayout::kLabelTop, FMessage->Width(),
                        FMessage->Height());

    QImage picture;
    if (P.UseTypePicture) {
        if (P.DlgType != mtCustom)
            picture = QApplication::style()->standardIcon(kTypes[P.DlgType].Icon).pixmap(32, 32).toImage();
    } else if (P.Images && P.ImageIndex >= 0 && P.ImageIndex < P.Images->Count()) {
        picture = P.Images->Image(P.ImageIndex);
    }
    if (P.UseTypePicture || !picture.isNull()) {
        FImage = new TImage(this);
        FImage->SetName(QStringLiteral("Image"));
        FImage->SetParent(this);
        FImage->SetTransparent(true);
        if (!picture.isNull()) FImage->SetPicture(picture);
    }

    if (P.CheckBox) {
        FDisplayCheckBox = new TqvSkinCheckRadioBox(this);
        FDisplayCheckBox->SetName(QStringLiteral("checkbox"));
        FDisplayCheckBox->SetDefaultHeight(30);
        FDisplayCheckBox->SetChecked(P.CheckBoxChecked);
        FDisplayCheckBox->SetParent(this);
        FDisplayCheckBox->SetDefaultFont(P.DefaultFont);
        FDisplayCheckBox->SetUseSkinFont(P.UseSkinFont);
        FDisplayCheckBox->SetSkinData(P.CtrlSkinData);
        FDisplayCheckBox->SetCaption(TqvSkinMessage::GetShowFlagCaption(P.CtrlSkinData));
    }

    const int bh = ButtonHeight();
    for (int i = 0; i < kMsgDlgBtnCount; ++i) {
        if (!(P.Buttons & MsgBtn(TMsgDlgBtn(i)))) continue;
        auto* b = new TqvSkinButton(this);
        b->SetParent(this);
        b->SetName(QString::fromLatin1(kButtons[i].Name));
        b->SetCanFocused(true);
        b->SetCaption(TqvSkinMessage::GetButtonCaption(P.CtrlSkinData, TMsgDlgBtn(i)));
        b->SetModalResult(kButtons[i].Result);
        b->SetDefaultHeight(bh);
        b->SetDefaultFont(P.DefaultButtonFont);
        b->SetUseSkinFont(P.UseSkinFont);
        if (i == mbHelp) b->OnClick = [this](QObject* s) { HelpButtonClick(s); };
        b->SetSkinDataName(P.ButtonSkinDataName);
        b->SetSkinData(P.CtrlSkinData);
        FButtons[i] = b;
    }
}

int TqvMessageForm::CheckTextWidth() const {
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas c(&scratch);
    FDisplayCheckBox->ApplyCaptionFont(c);
    return c.TextWidth(FDisplayCheckBox->Caption());
}

void TqvMessageForm::Arrange() {
    TqvMessageLayoutInput in;
    in.ButtonHeight = ButtonHeight();
    in.LabelWidth = FMessage->Width();
    in.LabelHeight = FMessage->Height();
    in.Buttons = P.Buttons;
    in.CheckBox = FDisplayCheckBox != nullptr;
    if (FDisplayCheckBox) in.CheckTextWidth = CheckTextWidth();
    in.FrameWidth = Width() - ClientWidth();
    in.MaxWidth = GetMaxWidth();
    in.MinWidth = GetMinWidth();
    FGeometry = LayoutMessageBox(in);
    const int frameHeight = Height() - ClientHeight();
    SetBounds(Left(), Top(), FGeometry.Width, FGeometry.ClientHeight + frameHeight);

    if (FImage) {
        const bool typePicture = P.UseTypePicture;
        const int w = typePicture ? 32 : P.Images->Width();
        const int h = typePicture ? 32 : P.Images->Height();
        FImage->SetBounds(TqvMessageLayout::kImageLeft, typePicture ? FGeometry.TypeImageTop : FGeometry.ListImageTop,
                          w, h);
    }
    if (FDisplayCheckBox) {
        const TRect& r = FGeometry.CheckBox;
        FDisplayCheckBox->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    for (const auto& b : FGeometry.Buttons) {
        TqvSkinButton* btn = FButtons[b.Kind];
        btn->SetDefault(b.Kind == FGeometry.DefaultButton);
        btn->SetCancel(b.Kind == FGeometry.CancelButton);
        btn->SetBounds(b.Bounds.Left, b.Bounds.Top, b.Bounds.Width(), b.Bounds.Height());
    }
    // Enter answers with the default button even before the user moves the focus.
    if (FGeometry.DefaultButton >= 0) SetActiveControl(FButtons[FGeometry.DefaultButton]);
}

void TqvMessageForm::HelpButtonClick(QObject*) { Application()->HelpContext(FHelpContext); }

// ---------------------------------------------------------------------------

TqvSkinMessage::TqvSkinMessage(QObject* AOwner) : TComponent(AOwner) {}

QString TqvSkinMessage::ButtonName(TMsgDlgBtn kind) { return QString::fromLatin1(kButtons[kind].Name); }

TModalResult TqvSkinMessage::ButtonResult(TMsgDlgBtn kind) { return kButtons[kind].Result; }

QString TqvSkinMessage::GetButtonCaption(TqvSkinData* model, TMsgDlgBtn kind) {
    if (auto* rs = Strings(model)) return rs->GetResStr(QString::fromLatin1(kButtons[kind].Key));
    return QString::fromLatin1(kButtons[kind].Text);
}

QString TqvSkinMessage::GetMsgCaption(TqvSkinData* model, TMsgDlgType type) {
    if (!kTypes[type].Key) return {};
    if (auto* rs = Strings(model)) return rs->GetResStr(QString::fromLatin1(kTypes[type].Key));
    return QString::fromLatin1(kTypes[type].Text);
}

QString TqvSkinMessage::GetShowFlagCaption(TqvSkinData* model) {
    QString s;
    if (auto* rs = Strings(model)) s = rs->GetResStr(QStringLiteral("MSG_CAP_SHOWFLAG"));
    return s.isEmpty() ? QString::fromLatin1(kShowFlagText) : s;
}

int TqvSkinMessage::Execute(const TCall& call) {
    TqvMessageParams p;
    p.Msg = call.Msg;
    if (call.HasCaption) p.Caption = call.Caption;
    else if (call.DlgType == mtCustom) p.Caption = Application()->Title();
    else p.Caption = GetMsgCaption(FCtrlSkinData, call.DlgType);
    p.DlgType = call.DlgType;
    p.Buttons = call.Buttons & ((1u << kMsgDlgBtnCount) - 1);
    p.UseTypePicture = !call.ListPicture;
    p.Images = call.Images;
    p.ImageIndex = call.ImageIndex;
    p.CheckBox = ShowAgainFlag && !call.Wide;
    p.CheckBoxChecked = !ShowAgainFlagValue;
    p.SkinData = FSkinData;
    p.CtrlSkinData = FCtrlSkinData;
    p.ButtonSkinDataName = ButtonSkinDataName;
    p.MessageLabelSkinDataName = MessageLabelSkinDataName;
    p.DefaultFont.Assign(FDefaultFont);
    p.DefaultButtonFont.Assign(FDefaultButtonFont);
    p.UseSkinFont = UseSkinFont;
    p.AlphaBlend = AlphaBlend;
    p.AlphaBlendAnimation = AlphaBlendAnimation;
    p.AlphaBlendValue = AlphaBlendValue;

    QPointer<TqvMessageForm> form = new TqvMessageForm(Application(), call.X, call.Y, p);
    // However the modal run ends, the answer to the check box is kept and
    // the box goes.
    struct TFinish {
        QPointer<TqvMessageForm>& Form;
        bool& FlagValue;
        ~TFinish() {
            if (!Form) return;
            if (auto* cb = Form->DisplayCheckBox()) FlagValue = !cb->Checked();
            delete Form.data();
        }
    } finish{form, ShowAgainFlagValue};

    form->Build();
    form->Arrange();
    form->SetHelpContext(call.HelpCtx);
    if (call.Help) form->SetHelpFile(call.HelpFileName);
    if (call.Pos && OnSetShowPos) {
        int x = form->Left(), y = form->Top();
        OnSetShowPos(x, y, form->Width(), form->Height());
        if (x != form->Left() || y != form->Top()) {
            // The handler's place wins over centring at the first show.
            form->SetPosition(poDesigned);
            form->SetBounds(x, y, form->Width(), form->Height());
        }
    }
    return ShowBox(form);
}

int TqvSkinMessage::MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    TCall c;
    c.Msg = Msg, c.DlgType = DlgType, c.Buttons = Buttons, c.HelpCtx = HelpCtx;
    return Execute(c);
}

int TqvSkinMessage::MessageDlgPos(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                  int X, int Y) {
    TCall c;
    c.Msg = Msg, c.DlgType = DlgType, c.Buttons = Buttons, c.HelpCtx = HelpCtx;
    c.Pos = true, c.X = X, c.Y = Y;
    return Execute(c);
}

int TqvSkinMessage::MessageDlgHelp(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                   const QString& HelpFileName) {
    TCall c;
    c.Msg = Msg, c.DlgType = DlgType, c.Buttons = Buttons, c.HelpCtx = HelpCtx;
    c.Help = true, c.HelpFileName = HelpFileName;
    return Execute(c);
}

int TqvSkinMessage::MessageDlg2(const QString& Msg, const QString& ACaption, TMsgDlgType DlgType,
                                TMsgDlgButtons Buttons, int HelpCtx) {
    TCall c;
    c.Msg = Msg, c.Caption = ACaption, c.HasCaption = true, c.DlgType = DlgType, c.Buttons = Buttons;
    c.HelpCtx = HelpCtx;
    return Execute(c);
}

int TqvSkinMessage::MessageDlgHelp2(const QString& Msg, const QString& ACaption, TMsgDlgType DlgType,
                                    TMsgDlgButtons Buttons, int HelpCtx, const QString& HelpFileName) {
    TCall c;
    c.Msg = Msg, c.Caption = ACaption, c.HasCaption = true, c.DlgType = DlgType, c.Buttons = Buttons;
    c.HelpCtx = HelpCtx, c.Help = true, c.HelpFileName = HelpFileName;
    return Execute(c);
}

int TqvSkinMessage::CustomMessageDlg(const QString& Msg, const QString& ACaption, TCustomImageList* AImages,
                                     int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx) {
    TCall c;
    c.Msg = Msg, c.Caption = ACaption, c.HasCaption = true, c.DlgType = mtCustom, c.Buttons = Buttons;
    c.ListPicture = true, c.Images = AImages, c.ImageIndex = AImageIndex, c.HelpCtx = HelpCtx;
    return Execute(c);
}

int TqvSkinMessage::CustomMessageDlgPos(const QString& Msg, const QString& ACaption, TCustomImageList* AImages,
                                        int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y) {
    TCall c;
    c.Msg = Msg, c.Caption = ACaption, c.HasCaption = true, c.DlgType = mtCustom, c.Buttons = Buttons;
    c.ListPicture = true, c.Images = AImages, c.ImageIndex = AImageIndex, c.HelpCtx = HelpCtx;
    c.Pos = true, c.X = X, c.Y = Y;
    return Execute(c);
}

int TqvSkinMessage::CustomMessageDlgHelp(const QString& Msg, const QString& ACaption, TCustomImageList* AImages,
                                         int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx,
                                         const QString& HelpFileName) {
    TCall c;
    c.Msg = Msg, c.Caption = ACaption, c.HasCaption = true, c.DlgType = mtCustom, c.Buttons = Buttons;
    c.ListPicture = true, c.Images = AImages, c.ImageIndex = AImageIndex, c.HelpCtx = HelpCtx;
    c.Help = true, c.HelpFileName = HelpFileName;
    return Execute(c);
}

int TqvSkinMessage::WideMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    TCall c;
    c.Msg = Msg, c.DlgType = DlgType, c.Buttons = Buttons, c.HelpCtx = HelpCtx, c.Wide = true;
    return Execute(c);
}

int TqvSkinMessage::WideMessageDlgPos(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                      int HelpCtx, int X, int Y) {
    TCall c;
    c.Msg = Msg, c.DlgType = DlgType, c.Buttons = Buttons, c.HelpCtx = HelpCtx, c.Wide = true;
    c.X = X, c.Y = Y;
    return Execute(c);
}
