// Caption mnemonics: Alt and the underlined letter click a button, a speed
// button or a check box once, through the same path as a mouse click; a
// disabled control ignores it, and a new caption moves the key.
#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"

#include <QApplication>
#include <QTest>

namespace {

struct MnemonicTest : SkinControlTest {
    int Clicks = 0;
    template <class T> T* Control(const QString& caption, int top) {
        auto* c = Make<T>();
        c->SetCaption(caption);
        c->SetBounds(10, top, 120, 25);
        c->OnClick = [this](QObject*) { ++Clicks; };
        return c;
    }
    void Show() {
        Form->Show();
        QApplication::setActiveWindow(Form);
    }
    int ClicksOf(Qt::Key key) {
        Clicks = 0;
        QTest::keyClick(Form, key, Qt::AltModifier);
        return Clicks;
    }
};

TEST_F(MnemonicTest, AltAndTheLetterClickOnce) {
    auto* button = Control<TqvSkinButton>(QStringLiteral("&Open"), 10);
    auto* speed = Control<TqvSkinSpeedButton>(QStringLiteral("&Play"), 40);
    auto* check = Control<TqvSkinCheckRadioBox>(QStringLiteral("&Loop"), 70);
    Show();

    EXPECT_EQ(ClicksOf(Qt::Key_O), 1) << "button";
    EXPECT_TRUE(button->Focused());
    EXPECT_EQ(ClicksOf(Qt::Key_P), 1) << "speed button";
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(ClicksOf(Qt::Key_L), 1) << "check box";
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(check->Focused());
    EXPECT_EQ(ClicksOf(Qt::Key_X), 0) << "no control has that letter";

    button->SetEnabled(false);
    speed->SetEnabled(false);
    check->SetEnabled(false);
    EXPECT_EQ(ClicksOf(Qt::Key_O), 0) << "disabled button";
    EXPECT_EQ(ClicksOf(Qt::Key_P), 0) << "disabled speed button";
    EXPECT_EQ(ClicksOf(Qt::Key_L), 0) << "disabled check box";
    EXPECT_TRUE(check->Checked());

    button->SetEnabled(true);
    button->SetCaption(QStringLiteral("&Save"));
    EXPECT_EQ(ClicksOf(Qt::Key_O), 0) << "the old letter is given up";
    EXPECT_EQ(ClicksOf(Qt::Key_S), 1) << "the new one clicks";
    button->SetCaption(QStringLiteral("Save && close"));
    EXPECT_EQ(ClicksOf(Qt::Key_S), 0) << "a doubled ampersand is no mnemonic";
}

}  // namespace
