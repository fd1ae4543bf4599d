// Edit style: the inner edit's keys step through the items, typing looks the
// text up and completes it, composing character sets clear the selection
// first, and switching back to fixed style frees the edit.
#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/combos/SkinComboBox.h"
#include "skin/model/ResourceStrings.h"

#include <QApplication>
#include <QLineEdit>

namespace {

struct EditStyle : SkinControlTest {
    TqvSkinComboBox* Box = nullptr;
    std::vector<std::string> Log;
    void SetUp() override {
        SkinControlTest::SetUp();
        Box = Make<TqvSkinComboBox>();
        Box->SetBounds(20, 20, 120, 20);
        for (const char* s : {"apple", "banana", "berry"}) Box->Items().Add(QLatin1String(s));
        Box->SetStyle(qvcbEditStyle);
        Box->OnClick = [this](QObject*) { Log.push_back("click"); };
        Box->OnChange = [this](QObject*) { Log.push_back("change"); };
        Ticks->Advance(1000);
    }
    QLineEdit* Line() const { return Box->Edit()->Widget(); }
    // A typed character as Qt delivers it: press (inserts), then release.
    void Type(const char* ch, int key) {
        SendKey(Line(), QEvent::KeyPress, key, Qt::NoModifier, QLatin1String(ch));
        SendKey(Line(), QEvent::KeyRelease, key, Qt::NoModifier, QLatin1String(ch));
    }
};

TEST_F(EditStyle, UpSelectsThePreviousItemIntoTheText) {
    ASSERT_NE(Box->Edit(), nullptr);
    Box->SetItemIndex(1);
    Log.clear();
    SendKey(Line(), QEvent::KeyPress, Qt::Key_Up);
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_EQ(Box->Text(), QStringLiteral("apple"));
    EXPECT_EQ(Line()->text(), QStringLiteral("apple"));
    EXPECT_EQ(Line()->selectedText(), QStringLiteral("apple"));
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "click"), 1);
    Log.clear();
    SendKey(Line(), QEvent::KeyPress, Qt::Key_Up);
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_TRUE(Log.empty());
}

TEST_F(EditStyle, TypingBCompletesToBerryWithTheTailSelected) {
    Type("b", Qt::Key_B);
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(Line()->text(), QStringLiteral("berry"));
    EXPECT_EQ(Line()->selectionStart(), 1);
    EXPECT_EQ(Line()->selectedText(), QStringLiteral("erry"));
}

TEST_F(EditStyle, WithoutAutoCompleteTypingOnlyScrollsTheList) {
    Box->SetAutoComplete(false);
    Type("b", Qt::Key_B);
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Line()->text(), QStringLiteral("b"));
    EXPECT_EQ(Box->Text(), QStringLiteral("b"));
}

TEST_F(EditStyle, ComposingCharsetsClearTheSelectionBeforeTheKeyPasses) {
    auto strings = new TqvResourceStrData(Model);
    strings->SetCharSet(128);
    Model->SetResourceStrData(strings);
    LoadSkin();
    Box->SetSkinData(Model);
    Line()->setText(QStringLiteral("berry"));
    Line()->setSelection(1, 4);
    Ticks->Advance(1000);
    std::vector<QString> texts;
    Box->OnChange = [&](QObject*) { texts.push_back(Box->Text()); };
    SendKey(Line(), QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    // The selection went first, then the search completed "b" again.
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), QStringLiteral("b"));
    EXPECT_EQ(Line()->text(), QStringLiteral("berry"));
    texts.clear();
    Line()->setText(QStringLiteral("berry"));
    Line()->setSelection(1, 4);
    SendKey(Line(), QEvent::KeyRelease, Qt::Key_Backspace);
    EXPECT_EQ(Line()->text(), QStringLiteral("berry"));
    EXPECT_TRUE(texts.empty());
}

TEST_F(EditStyle, FixedStyleFreesTheEditAndKeepsTheText) {
    Box->SetItemIndex(1);
    Box->SetStyle(qvcbEditStyle);  // the same style again keeps the one edit
    TqvCustomEdit* e = Box->Edit();
    EXPECT_NE(e, nullptr);
    Box->SetStyle(qvcbFixedStyle);
    EXPECT_EQ(Box->Edit(), nullptr);
    EXPECT_EQ(Box->Text(), QStringLiteral("banana"));
}

TEST_F(EditStyle, PageKeysMoveTheOpenListOnly) {
    for (int i = 0; i < 17; ++i) Box->Items().Add(QStringLiteral("x%1").arg(i));
    Box->SetItemIndex(10);
    Box->DropDown();
    Log.clear();
    SendKey(Line(), QEvent::KeyPress, Qt::Key_PageUp);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 1);
    SendKey(Line(), QEvent::KeyPress, Qt::Key_PageDown);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 8);
    EXPECT_TRUE(Log.empty());
    SendKey(Line(), QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(Box->ItemIndex(), 10);
}

TEST_F(EditStyle, AnActiveSkinColoursTheEditWhileHotOrFocused) {
    LoadSkin();
    Box->SetSkinData(Model);
    const TColor normal = RGB(0, 0, 0), active = RGB(0, 0, 160);  // the flat skin's font colours
    EXPECT_EQ(Box->Edit()->Font().Color(), normal);
    SendEnter(Box);
    EXPECT_EQ(Box->Edit()->Font().Color(), active);
    SendLeave(Box);
    EXPECT_EQ(Box->Edit()->Font().Color(), normal);
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(Line(), &in);
    EXPECT_EQ(Box->Edit()->Font().Color(), active);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(Line(), &out);
    EXPECT_EQ(Box->Edit()->Font().Color(), normal);
}

}  // namespace
