// The veil over an inactive form's client: a snapshot dimmed under the form's
// background or blurred, on top of the controls, gone when the form is active
// again; nothing for a hidden form or an empty client. No compositor needed.
#include "skin/forms/layered/ClientInActivePanel.h"
#include "tests/skin/forms/layered/LayerTestSupport.h"

namespace {

struct VeilTest : LayerFormTest {
    void SetUp() override {
        LayerFormTest::SetUp();
        SetLayeredWindowsAvailableForTests(false);
        Comp->SetSkinData(Model);
        // A black block on the client: the veil must show it dimmed.
        auto* block = new QWidget(Form->Client());
        block->setGeometry(10, 10, 60, 40);
        block->setAutoFillBackground(true);
        QPalette pal = block->palette();
        pal.setColor(QPalette::Window, Qt::black);
        block->setPalette(pal);
        Block = block;
    }
    QImage Shown(const TqvClientInActivePanel* p) const {
        return const_cast<TqvClientInActivePanel*>(p)->BuildImage();
    }
    QWidget* Block = nullptr;
};

void SendActivation(QWidget* w, bool active) {
    QEvent e(active ? QEvent::WindowActivate : QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(w, &e);
}

}  // namespace

TEST_F(VeilTest, InactiveFormsAreVeiledUntilActiveAgain) {
    Comp->ClientInActiveEffect = true;
    Form->Show();
    const QImage before = Form->Client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint inBlock = Block->geometry().center();
    ASSERT_EQ(before.pixel(inBlock), qRgb(0, 0, 0));

    SendActivation(Form, false);
    TqvClientInActivePanel* panel = Comp->ClientInActivePanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->parentWidget(), Form->Client());
    EXPECT_EQ(panel->geometry(), Form->Client()->rect());
    ASSERT_NE(panel->Buffer(), nullptr);
    const QImage veiled = Shown(panel);
    // The form's background at 170 over the snapshot: the black block shows grey.
    const QColor back = QColor(before.pixel(before.width() - 2, before.height() - 2));
    const QColor b = QColor(veiled.pixel(inBlock));
    EXPECT_NEAR(b.red(), back.red() * 170 / 255, 2);
    EXPECT_NEAR(b.green(), back.green() * 170 / 255, 2);
    // Where the snapshot was the background already, it stays that.
    EXPECT_NEAR(QColor(veiled.pixel(veiled.width() - 2, veiled.height() - 2)).red(), back.red(), 1);

    SendActivation(Form, true);
    EXPECT_EQ(Comp->ClientInActivePanel(), nullptr);
}

TEST_F(VeilTest, BlurSoftensTheSnapshot) {
    Comp->ClientInActiveEffect = true;
    Comp->ClientInActiveEffectType = qvieBlur;
    Form->Show();
    SendActivation(Form, false);
    const TqvClientInActivePanel* panel = Comp->ClientInActivePanel();
    ASSERT_NE(panel, nullptr);
    const QImage veiled = Shown(panel);
    const QRect g = Block->geometry();
    // Inside the block stays dark, its edge goes soft.
    EXPECT_LT(qRed(veiled.pixel(g.center())), 20);
    const int edge = qRed(veiled.pixel(g.left(), g.center().y()));
    EXPECT_GT(edge, 20);
    EXPECT_LT(edge, 230);
}

TEST_F(VeilTest, NothingForAHiddenFormOrAnEmptyClient) {
    TqvClientInActivePanel panel(Comp);
    panel.ShowPanel(nullptr, qvieSemiTransparent);
    EXPECT_EQ(panel.Buffer(), nullptr);
    panel.ShowPanel(Form, qvieSemiTransparent);  // never shown
    EXPECT_EQ(panel.Buffer(), nullptr);
    EXPECT_FALSE(panel.isVisible());

    // A borderless form with no size has an empty client.
    Form->SetBorderStyle(bsNone);
    Comp->SetSizeLimits(0, 0, 0, 0);
    Form->setMinimumSize(0, 0);
    Form->SetBounds(100, 100, 0, 0);
    Form->Show();
    if (Form->Client()->width() == 0 || Form->Client()->height() == 0) {
        panel.ShowPanel(Form, qvieBlur);
        EXPECT_EQ(panel.Buffer(), nullptr);
        EXPECT_FALSE(panel.isVisible());
    }
    // Without the option nothing veils the form.
    Comp->ClientInActiveEffect = false;
    SendActivation(Form, false);
    EXPECT_EQ(Comp->ClientInActivePanel(), nullptr);
}
