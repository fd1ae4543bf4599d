#include "skin/forms/dialogs/MessageLayout.h"

#include <algorithm>

namespace {

bool Has(TMsgDlgButtons set, TMsgDlgBtn b) { return set & MsgBtn(b); }

}  // namespace

TqvMessageLayout LayoutMessageBox(const TqvMessageLayoutInput& in) {
    using L = TqvMessageLayout;
    L out;
    int n = 0;
    for (int i = 0; i < kMsgDlgBtnCount; ++i)
        if (Has(in.Buttons, TMsgDlgBtn(i))) ++n;
    out.RowWidth = n > 0 ? L::kButtonWidth * n + L::kButtonGap * (n - 1) : 0;

    const int labelRight = L::kLabelLeft + in.LabelWidth;
    out.TypeImageTop = std::max(10, L::kLabelTop + in.LabelHeight / 2 - 16);
    out.ListImageTop = L::kLabelTop + in.LabelHeight / 2 - 16;
    out.ClientHeight = in.ButtonHeight + in.LabelHeight + 50;
    out.ClientWidth = (out.RowWidth < labelRight ? labelRight : out.RowWidth) + 40;

    if (in.CheckBox) {
        out.ClientHeight += 40;
        const int top = out.ClientHeight - in.ButtonHeight - 50;
        out.ClientWidth = std::max(out.ClientWidth, in.CheckTextWidth + 60);
        out.CheckBox = Bounds(5, top, in.CheckTextWidth + 55, 30);
    }

    // A text wider than the screen is cut, not wrapped.
    out.Width = out.ClientWidth + in.FrameWidth;
    if (in.MaxWidth < out.Width) out.Width = in.MaxWidth;
    else if (out.Width < in.MinWidth) out.Width = in.MinWidth;
    out.ClientWidth = out.Width - in.FrameWidth;

    if (Has(in.Buttons, mbOK)) out.DefaultButton = mbOK;
    else if (Has(in.Buttons, mbYes)) out.DefaultButton = mbYes;
    else if (Has(in.Buttons, mbRetry)) out.DefaultButton = mbRetry;
    if (Has(in.Buttons, mbCancel)) out.CancelButton = mbCancel;
    else if (Has(in.Buttons, mbNo)) out.CancelButton = mbNo;
    else if (Has(in.Buttons, mbOK)) out.CancelButton = mbOK;

    int x = (out.ClientWidth - out.RowWidth) / 2;
    const int y = out.ClientHeight - in.ButtonHeight - 10;
    for (int i = 0; i < kMsgDlgBtnCount; ++i) {
        if (!Has(in.Buttons, TMsgDlgBtn(i))) continue;
        out.Buttons.push_back({TMsgDlgBtn(i), Bounds(x, y, L::kButtonWidth, in.ButtonHeight)});
        x += L::kButtonWidth + L::kButtonGap;
    }
    return out;
}
