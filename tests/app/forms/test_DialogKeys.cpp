// Escape in the options and settings dialogs, typed where the user's focus
// is: it presses Cancel (a list open under it is closed first) and writes
// nothing.
#include "app/legacy/LegacySettingsForm.h"
#include "app/options/OptionsForm.h"
#include "tests/app/forms/FormsFixture.h"

#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/lists/SkinListBox.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

class DialogKeysTest : public FormsTest {
protected:
    // Shows `form` modally; `typed` runs inside, with the window active.
    // Returns the modal result, or mrNone when the dialog stayed open.
    TModalResult Run(TForm* form, const std::function<void()>& typed) {
        bool open = true;
        QTimer::singleShot(0, form, [&] {
            QApplication::setActiveWindow(form);
            typed();
            open = form->ModalResult() == mrNone;
            if (open) form->SetModalResult(mrAbort);
        });
        const TModalResult r = form->ShowModal();
        return open ? mrNone : r;
    }
    static void Escape() {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, Qt::Key_Escape);
    }
};

}  // namespace

TEST_F(DialogKeysTest, EscapeInTheOptionsDialogPressesCancel) {
    TForm5* f = nullptr;
    Application()->CreateForm(f);
    const QByteArray saved = IniBytes();
    EXPECT_TRUE(f->qvSkinButton1->Cancel());
    EXPECT_FALSE(f->qvSkinButton6->Cancel());
    int cancels = 0;
    const auto cancel = f->qvSkinButton1->OnClick;
    f->qvSkinButton1->OnClick = [&, cancel](QObject* s) {
        ++cancels;
        cancel(s);
    };
    struct Case {
        const char* where;
        std::function<void()> focus;
        int escapes;
    };
    const Case cases[] = {
        {"on a radio box", [&] { f->qvSkinCheckRadioBox10->SetFocus(); }, 1},
        {"on the OK button", [&] { f->qvSkinButton6->SetFocus(); }, 1},
        {"on the thread-count list", [&] { f->qvSkinComboBox2->SetFocus(); }, 1},
        // The first Escape closes the open list only, the second the dialog.
        {"in the open thread-count list",
         [&] {
             f->qvSkinComboBox2->SetFocus();
             QTest::keyClick(f->qvSkinComboBox2, Qt::Key_Down, Qt::AltModifier);
             ASSERT_TRUE(f->qvSkinComboBox2->ListBox()->isVisible());
         },
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        cancels = 0;
        bool listClosedFirst = true;
        const TModalResult r = Run(f, [&] {
            c.focus();
            for (int i = 0; i < c.escapes; ++i) {
                Escape();
                if (i + 1 < c.escapes)
                    listClosedFirst = f->ModalResult() == mrNone && !f->qvSkinComboBox2->ListBox()->isVisible();
            }
        });
        EXPECT_EQ(r, mrCancel);
        EXPECT_TRUE(listClosedFirst);
        EXPECT_EQ(cancels, 1);
        EXPECT_FALSE(f->Visible());
        EXPECT_EQ(IniBytes(), saved);
    }
}

TEST_F(DialogKeysTest, EscapeInTheSettingsDialogPressesCancel) {
    TForm6* f = nullptr;
    Application()->CreateForm(f);
    EXPECT_TRUE(f->qvSkinButton3->Cancel());
    const TModalResult r = Run(f, [&] {
        f->qvSkinButton2->SetFocus();
        Escape();
    });
    EXPECT_EQ(r, mrCancel);
    EXPECT_FALSE(f->Visible());
}
