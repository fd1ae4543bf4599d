// The message box's geometry as a pure function of what the call asks for:
// text size, buttons, the show-again row and the width limits of the frame.
// The form only applies the result, so every size rule is testable alone.
#pragma once

#include "platform/Types.h"

#include <vector>

// The platform's dialog types and button kinds, in their order.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose
};
constexpr int kMsgDlgBtnCount = 12;
// A set of TMsgDlgBtn, one bit each.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgBtn(TMsgDlgBtn b) { return 1u << unsigned(b); }
constexpr TMsgDlgButtons mbYesNoCancel = MsgBtn(mbYes) | MsgBtn(mbNo) | MsgBtn(mbCancel);
constexpr TMsgDlgButtons mbOKCancel = MsgBtn(mbOK) | MsgBtn(mbCancel);
constexpr TMsgDlgButtons mbAbortRetryIgnore = MsgBtn(mbAbort) | MsgBtn(mbRetry) | MsgBtn(mbIgnore);

struct TqvMessageLayoutInput {
    int ButtonHeight = 25;
    int LabelWidth = 0, LabelHeight = 0;  // the text label after auto-sizing
    TMsgDlgButtons Buttons = 0;
    bool CheckBox = false;
    int CheckTextWidth = 0;  // the show-again caption in its font
    int FrameWidth = 0;      // outer width minus client width
    int MaxWidth = 0, MinWidth = 0;
};

struct TqvMessageLayout {
    static constexpr int kButtonWidth = 70, kButtonGap = 10;
    static constexpr int kLabelLeft = 50, kLabelTop = 15, kImageLeft = 5;

    int RowWidth = 0;  // all buttons with their gaps; 0 without buttons
    int ClientWidth = 0, ClientHeight = 0;
    int Width = 0;            // outer width after the limits
    int TypeImageTop = 0;     // the type's icon (never above 10)
    int ListImageTop = 0;     // a caller's picture (no lower bound)
    TRect CheckBox{};         // empty without the show-again row
    struct TButton {
        TMsgDlgBtn Kind;
        TRect Bounds;
    };
    std::vector<TButton> Buttons;  // in kind order
    int DefaultButton = -1;        // TMsgDlgBtn or -1: the role falls to nobody
    int CancelButton = -1;
};

TqvMessageLayout LayoutMessageBox(const TqvMessageLayoutInput& in);
