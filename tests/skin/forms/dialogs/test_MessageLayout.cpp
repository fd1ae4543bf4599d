// The message box's geometry and its button roles as tables.
#include "skin/forms/dialogs/MessageLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageLayout, SizesAndPlaces) {
    struct Row {
        const char* Name;
        TqvMessageLayoutInput In;
        int ClientWidth, ClientHeight, Width;
        std::vector<int> ButtonLefts;
        int ButtonTop;
        TRect CheckBox;
        int TypeImageTop;
    };
    auto in = [](int lw, int lh, TMsgDlgButtons b) {
        TqvMessageLayoutInput i;
        i.LabelWidth = lw;
        i.LabelHeight = lh;
        i.Buttons = b;
        i.MaxWidth = 1024;
        i.MinWidth = 120;
        return i;
    };
    auto with = [](TqvMessageLayoutInput i, auto f) {
        f(i);
        return i;
    };
    const std::vector<Row> rows = {
        // text 200 wide beats one button: 50 + 200 + 40
        {"ok", in(200, 16, MsgBtn(mbOK)), 290, 91, 290, {110}, 56, {}, 10},
        {"skin button 23 high", with(in(200, 16, MsgBtn(mbOK)), [](auto& i) { i.ButtonHeight = 23; }), 290, 89,
         290, {110}, 56, {}, 10},
        // three buttons (230) beat a short text (70)
        {"yes no cancel", in(20, 16, mbYesNoCancel), 270, 91, 270, {20, 100, 180}, 56, {}, 10},
        {"no buttons", in(200, 16, 0), 290, 91, 290, {}, 56, {}, 10},
        // a tall text: the icon follows its middle
        {"tall text", in(200, 60, MsgBtn(mbOK)), 290, 135, 290, {110}, 100, {}, 29},
        // the check-box row: label + 40, buttons label + 80, width from its caption
        {"show again", with(in(200, 16, MsgBtn(mbOK)), [](auto& i) { i.CheckBox = true, i.CheckTextWidth = 250; }),
         310, 131, 310, {120}, 96, Bounds(5, 56, 305, 30), 10},
        // wider than the work area: cut, the buttons centred in what is left
        {"cut to max", in(3000, 16, MsgBtn(mbOK)), 1024, 91, 1024, {477}, 56, {}, 10},
        {"raised to min", in(10, 16, 0), 120, 91, 120, {}, 56, {}, 10},
        {"frame counts", with(in(200, 16, MsgBtn(mbOK)), [](auto& i) { i.FrameWidth = 8; }), 290, 91, 298, {110},
         56, {}, 10},
        {"frame at the max", with(in(3000, 16, MsgBtn(mbOK)), [](auto& i) { i.FrameWidth = 8; }), 1016, 91, 1024,
         {473}, 56, {}, 10},
    };
    for (const Row& r : rows) {
        const TqvMessageLayout L = LayoutMessageBox(r.In);
        EXPECT_EQ(L.ClientWidth, r.ClientWidth) << r.Name;
        EXPECT_EQ(L.ClientHeight, r.ClientHeight) << r.Name;
        EXPECT_EQ(L.Width, r.Width) << r.Name;
        std::vector<int> lefts;
        for (const auto& b : L.Buttons) {
            lefts.push_back(b.Bounds.Left);
            EXPECT_EQ(b.Bounds.Top, r.ButtonTop) << r.Name;
            EXPECT_EQ(b.Bounds.Width(), 70) << r.Name;
            EXPECT_EQ(b.Bounds.Height(), r.In.ButtonHeight) << r.Name;
        }
        EXPECT_EQ(lefts, r.ButtonLefts) << r.Name;
        EXPECT_EQ(L.CheckBox, r.CheckBox) << r.Name;
        EXPECT_EQ(L.TypeImageTop, r.TypeImageTop) << r.Name;
    }
    EXPECT_EQ(LayoutMessageBox(in(20, 16, 0)).RowWidth, 0);
    EXPECT_EQ(LayoutMessageBox(in(20, 16, mbYesNoCancel)).RowWidth, 230);
    // A caller's picture has no lower bound.
    EXPECT_EQ(LayoutMessageBox(in(20, 14, 0)).ListImageTop, 6);
}

TEST(MessageLayout, DefaultAndCancelRoles) {
    struct Row {
        TMsgDlgButtons Buttons;
        int Default, Cancel;
    };
    for (const Row& r : {Row{MsgBtn(mbOK), mbOK, mbOK}, Row{MsgBtn(mbYes) | MsgBtn(mbNo), mbYes, mbNo},
                         Row{mbYesNoCancel, mbYes, mbCancel}, Row{mbOKCancel, mbOK, mbCancel},
                         Row{mbAbortRetryIgnore, mbRetry, -1}, Row{MsgBtn(mbClose) | MsgBtn(mbHelp), -1, -1},
                         Row{0, -1, -1}}) {
        TqvMessageLayoutInput in;
        in.Buttons = r.Buttons;
        in.MaxWidth = 1000;
        const TqvMessageLayout L = LayoutMessageBox(in);
        EXPECT_EQ(L.DefaultButton, r.Default) << r.Buttons;
        EXPECT_EQ(L.CancelButton, r.Cancel) << r.Buttons;
    }
}

}  // namespace
