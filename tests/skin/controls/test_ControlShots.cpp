// Pictures to look at: the controls of this library in their states, in the
// test skin and without a skin, saved as PNG files into the build tree.
#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/panels/SkinPanel.h"

#include <QApplication>
#include <QDir>

namespace {

struct ControlShots : SkinControlTest {
    void Build(bool skinned) {
        if (skinned) LoadSkin();
        TqvSkinData* model = skinned ? Model : nullptr;
        auto* panel = Make<TqvSkinPanel>();
        panel->SetBounds(10, 10, 480, 380);
        panel->SetSkinData(model);
        auto* group = Make<TqvSkinPanel>(panel);
        group->SetCaption("Group frame");
        group->SetCaptionMode(true);
        group->SetTransparentMode(true);
        group->SetSkinData(model);
        group->SetBounds(20, 20, 200, 120);
        auto* caption = Make<TqvSkinPanel>(panel);
        caption->SetCaption("Caption panel");
        caption->SetCaptionMode(true);
        caption->SetCheckedMode(true);
        caption->SetChecked(true);
        caption->SetSkinData(model);
        caption->SetBounds(240, 20, 200, 120);
        const char* names[] = {"Normal", "Hot", "Pressed", "Disabled", "Focused"};
        for (int i = 0; i < 5; ++i) {
            auto* b = Make<TqvSkinButton>(panel);
            b->SetCaption(QLatin1String(names[i]));
            b->SetSkinData(model);
            b->SetBounds(20 + i * 90, 170, 80, 28);
            if (i == 1) SendEnter(b);
            if (i == 2) {
                b->SetCanFocused(false);
                SendEnter(b);
                SendMouse(b, QEvent::MouseButtonPress, {5, 5});
            }
            if (i == 3) b->SetEnabled(false);
            if (i == 4) b->SetFocus();
        }
    }
    void Save(const QString& name) {
        Form->Show();
        QApplication::setActiveWindow(Form);
        QDir().mkpath(QStringLiteral(QV_SHOT_DIR));
        const QImage shot = Form->grab().toImage();
        ASSERT_TRUE(shot.save(QStringLiteral(QV_SHOT_DIR "/") + name));
    }
};

TEST_F(ControlShots, FlatTestSkin) {
    Build(true);
    Save(QStringLiteral("controls_flat.png"));
}

TEST_F(ControlShots, TestSkin) {
    Skin.FlatColours(false);
    Build(true);
    Save(QStringLiteral("controls_testskin.png"));
}

TEST_F(ControlShots, Skinless) {
    Build(false);
    Save(QStringLiteral("controls_skinless.png"));
}

}  // namespace
