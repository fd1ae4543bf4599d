// The about box: its texts, the links opened through the shell, and OK.
#include "app/about/AboutForm.h"
#include "app/about/ProductLinks.h"
#include "tests/app/forms/FormsFixture.h"

#include "platform/ExtCtrls.h"
#include "platform/Shell.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/labels/SkinLabels.h"

#include <QTimer>

namespace {

class TRecordingShell : public TShellActions {
public:
    QStringList Opened;
    bool Open(const QString& target) override {
        Opened << target;
        return true;
    }
    bool PlaySound(const QString&) override { return true; }
    bool PowerOff() override { return true; }
};

}  // namespace

TEST_F(FormsTest, AboutBoxShowsTheProductAndOpensItsLinks) {
    auto shell = std::make_shared<TRecordingShell>();
    SetShellActions(shell);
    TForm2* f = Application()->CreateForm(Form2);
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(f->Caption(), "关于软件");
    EXPECT_EQ(f->ClientWidth(), 332);
    EXPECT_EQ(f->ClientHeight(), 259);
    EXPECT_EQ(f->qvSkinStdLabel3->Caption(), "Quorvelia");
    EXPECT_EQ(f->qvSkinStdLabel4->Caption(), "Ver:1.0.0.0");
    EXPECT_EQ(f->Image1->Picture().Width(), 53);

    const QString web = about::kWebAddress, mail = about::kSupportMail;
    EXPECT_EQ(f->qvSkinLinkLabel1->Caption(), web);
    EXPECT_EQ(f->qvSkinLinkLabel2->Caption(), mail);
    QTimer::singleShot(0, f, [&] {
        ClickOn(f->qvSkinLinkLabel1);
        ClickOn(f->qvSkinLinkLabel2);
        ClickOn(f->qvSkinButton1);
    });
    f->ShowModal();
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(shell->Opened, QStringList({web, "mailto:" + mail}));
    EXPECT_TRUE(Prompt->Texts.isEmpty());
    SetShellActions(nullptr);
}
