// Skinned message boxes: every call builds a fresh box in code, shows it
// modally and frees it before returning the modal result.
#pragma once

#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "skin/forms/dialogs/MessageLayout.h"
#include "skin/model/SkinData.h"

#include <QPointer>

#include <functional>

class TImage;
class TqvSkinButton;
class TqvSkinCheckRadioBox;
class TqvSkinStdLabel;
class TqvVelmora;

// Centred boxes pass this (or anything below -10000) as X.
constexpr int kMsgCentred = -10001;

using TqvMessageSetShowPosEvent = std::function<void(int& AX, int& AY, int AWidth, int AHeight)>;

// Everything one call decides about its box.
struct TqvMessageParams {
    QString Msg, Caption;
    TMsgDlgType DlgType = mtInformation;
    TMsgDlgButtons Buttons = MsgBtn(mbOK);
    bool UseTypePicture = true;  // off: the caller's list picture, if any
    TCustomImageList* Images = nullptr;
    int ImageIndex = -1;
    bool CheckBox = false;
    bool CheckBoxChecked = false;
    QPointer<TqvSkinData> SkinData, CtrlSkinData;
    QString ButtonSkinDataName = QStringLiteral("button");
    QString MessageLabelSkinDataName = QStringLiteral("stdlabel");
    TFont DefaultFont{QStringLiteral("Arial"), 14};
    TFont DefaultButtonFont{QStringLiteral("Arial"), 14};
    bool UseSkinFont = true;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;
};

class TqvMessageForm : public TForm {
    Q_OBJECT
public:
    // X below -10000 centres the box on the screen; otherwise it goes to (X, Y).
    TqvMessageForm(QObject* AOwner, int X, int Y, const TqvMessageParams& params);

    // Places everything once the controls have their sizes (after Build).
    void Arrange();

    TqvSkinStdLabel* Message() const { return FMessage; }
    TqvSkinCheckRadioBox* DisplayCheckBox() const { return FDisplayCheckBox; }
    TImage* Image() const { return FImage; }
    // The component that skins the box's frame.
    TqvVelmora* FormComponent() const { return QVF; }
    TqvSkinButton* Button(TMsgDlgBtn kind) const { return FButtons[kind]; }
    const TqvMessageLayout& Geometry() const { return FGeometry; }

    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int v) { FHelpContext = v; }
    QString HelpFile() const { return FHelpFile; }
    void SetHelpFile(const QString& v) { FHelpFile = v; }

    // Width limits of the box's frame.
    int GetMaxWidth() const;
    int GetMinWidth() const;

    void HelpButtonClick(QObject* Sender);

protected:
    void Layout() override;

private:
    // The box's frame component: the frame's model, the menus' model and the
    // alpha settings; it answers the width limits.
    void AttachFormComponent();
    int ButtonHeight() const;
    int CheckTextWidth() const;

    TqvMessageParams P;
    TqvVelmora* QVF = nullptr;
    TqvSkinStdLabel* FMessage = nullptr;
    TqvSkinCheckRadioBox* FDisplayCheckBox = nullptr;
    TImage* FImage = nullptr;
    TqvSkinButton* FButtons[kMsgDlgBtnCount] = {};
    TqvMessageLayout FGeometry;
    int FHelpContext = 0;
    QString FHelpFile;
};

class TqvSkinMessage : public TComponent {
    Q_OBJECT
public:
    explicit TqvSkinMessage(QObject* AOwner = nullptr);

    int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
    int MessageDlgPos(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
    int MessageDlgHelp(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                       const QString& HelpFileName);
    int MessageDlg2(const QString& Msg, const QString& ACaption, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                    int HelpCtx);
    int MessageDlgHelp2(const QString& Msg, const QString& ACaption, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx, const QString& HelpFileName);
    int CustomMessageDlg(const QString& Msg, const QString& ACaption, TCustomImageList* AImages, int AImageIndex,
                         TMsgDlgButtons Buttons, int HelpCtx);
    int CustomMessageDlgPos(const QString& Msg, const QString& ACaption, TCustomImageList* AImages,
                            int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
    int CustomMessageDlgHelp(const QString& Msg, const QString& ACaption, TCustomImageList* AImages,
                             int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, const QString& HelpFileName);
    int WideMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
    int WideMessageDlgPos(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                          int Y);

    // Captions: the caption model's resource strings, else the built-in texts.
    static QString GetButtonCaption(TqvSkinData* model, TMsgDlgBtn kind);
    static QString GetMsgCaption(TqvSkinData* model, TMsgDlgType type);
    static QString GetShowFlagCaption(TqvSkinData* model);
    static QString ButtonName(TMsgDlgBtn kind);
    static TModalResult ButtonResult(TMsgDlgBtn kind);

    bool ShowAgainFlag = false;
    // The check box starts ticked when this is off; after a box that showed
    // it, this is the negation of its final tick.
    bool ShowAgainFlagValue = false;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;
    QString ButtonSkinDataName = QStringLiteral("button");
    QString MessageLabelSkinDataName = QStringLiteral("stdlabel");
    bool UseSkinFont = true;
    TqvMessageSetShowPosEvent OnSetShowPos;

    TqvSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TqvSkinData* v) { FSkinData = v; }
    TqvSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TqvSkinData* v) { FCtrlSkinData = v; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }
    TFont& DefaultButtonFont() { return FDefaultButtonFont; }
    void SetDefaultButtonFont(const TFont& f) { FDefaultButtonFont.Assign(f); }

protected:
    // Runs the built box; the one place a box is shown.
    virtual TModalResult ShowBox(TqvMessageForm* form) { return form->ShowModal(); }

private:
    struct TCall {
        QString Msg, Caption;
        bool HasCaption = false;
        TMsgDlgType DlgType = mtInformation;
        TMsgDlgButtons Buttons = 0;
        TCustomImageList* Images = nullptr;
        int ImageIndex = -1;
        bool ListPicture = false;
        bool Wide = false;
        bool Pos = false;
        int X = kMsgCentred, Y = kMsgCentred;
        int HelpCtx = 0;
        bool Help = false;
        QString HelpFileName;
    };
    int Execute(const TCall& call);

    QPointer<TqvSkinData> FSkinData, FCtrlSkinData;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    TFont FDefaultButtonFont{QStringLiteral("Arial"), 14};
};
