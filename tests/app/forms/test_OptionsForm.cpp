// The options dialog: what its creation reads into the controls, what OK and
// Cancel leave in "option.ini" and in force, and a failed OK.
#include "app/options/OptionsForm.h"
#include "tests/app/forms/FormsFixture.h"

#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/model/SkinData.h"

#include <QDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The ticked radio boxes, by number.
QList<int> Ticked(const TForm5* f) {
    const std::pair<int, TqvSkinCheckRadioBox*> boxes[] = {
        {1, f->qvSkinCheckRadioBox1},   {2, f->qvSkinCheckRadioBox2},   {3, f->qvSkinCheckRadioBox3},
        {4, f->qvSkinCheckRadioBox4},   {5, f->qvSkinCheckRadioBox5},   {6, f->qvSkinCheckRadioBox6},
        {9, f->qvSkinCheckRadioBox9},   {10, f->qvSkinCheckRadioBox10}, {11, f->qvSkinCheckRadioBox11},
        {12, f->qvSkinCheckRadioBox12}};
    QList<int> out;
    for (const auto& [n, box] : boxes)
        if (box->Checked()) out << n;
    return out;
}

class OptionsFormTest : public FormsTest {
protected:
    TForm5* Create() {
        Application()->SetPrompt(Prompt);
        return Application()->CreateForm(Form5);
    }
    // A program end and a new start in the same folder.
    TForm5* Restart() {
        DestroyApplication();
        return Create();
    }
};

}  // namespace

TEST_F(OptionsFormTest, CreationReadsEachKeyIntoItsControls) {
    struct Case {
        const char* name;
        const char* ini;  // nullptr: no file
        QList<int> ticked;
        const char* threads;
        bool preview;
        const char* storedThreadCount;
    };
    const Case cases[] = {
        {"first start", nullptr, {1, 6, 12}, "1", false, "0"},
        {"saved choices",
         "[Options]\nThread_Count=5\nAfter_Done=2\nThread_Priority=1\nOverwrite_File=0\nShow_Preview=1\n",
         {3, 4, 10}, "5", true, "5"},
        {"unknown count",
         "[Options]\nThread_Count=abc\nAfter_Done=3\nThread_Priority=0\nOverwrite_File=1\nShow_Preview=0\n",
         {5, 6, 9}, "1", false, "0"},
        {"bad values",
         "[Options]\nThread_Count=20\nAfter_Done=7\nThread_Priority=x\nOverwrite_File=Error\nShow_Preview=2\n",
         {1, 6, 12}, "1", false, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(IniFile());
        if (c.ini) WriteIni(c.ini);
        Link.Trevalon.SetPreview(!c.preview);
        TForm5* f = Restart();
        EXPECT_EQ(Ticked(f), c.ticked);
        EXPECT_EQ(f->qvSkinComboBox2->Text(), c.threads);
        EXPECT_EQ(f->qvSkinComboBox2->Items().Count(), 19);
        EXPECT_EQ(f->qvSkinCheckRadioBox8->Checked(), c.preview);
        EXPECT_EQ(Link.Trevalon.Preview(), c.preview);
        EXPECT_TRUE(f->qvSkinCheckRadioBox7->Checked());
        EXPECT_FALSE(f->qvSkinCheckRadioBox7->Visible());
        EXPECT_EQ(Stored("Thread_Count"), c.storedThreadCount);
        EXPECT_TRUE(f->LoadError().isEmpty());
        EXPECT_FALSE(f->Visible());
    }
    EXPECT_TRUE(Prompt->Texts.isEmpty());
}

TEST_F(OptionsFormTest, RadioBoxesDrawWithoutTheSkinModel) {
    TqvSkinData model;
    Link.Skin = &model;
    TForm5* f = Create();
    for (auto* box : {f->qvSkinCheckRadioBox1, f->qvSkinCheckRadioBox6, f->qvSkinCheckRadioBox12,
                      f->qvSkinCheckRadioBox7}) {
        EXPECT_EQ(box->SkinData(), nullptr) << box->Name().toStdString();
    }
    EXPECT_EQ(f->qvSkinCheckRadioBox8->SkinData(), &model);
    EXPECT_EQ(f->qvSkinComboBox2->SkinData(), &model);
    EXPECT_EQ(f->ClientWidth(), 561);
    EXPECT_EQ(f->ClientHeight(), 537);
    DestroyApplication();
}

TEST_F(OptionsFormTest, OkSavesTheChoicesAndTheNextStartRestoresThem) {
    TForm5* f = Create();
    QTimer::singleShot(0, f, [&] {
        f->qvSkinComboBox2->SetItemIndex(4);
        ClickOn(f->qvSkinCheckRadioBox10);
        ClickOn(f->qvSkinCheckRadioBox3);
        ClickOn(f->qvSkinCheckRadioBox5);
        ClickOn(f->qvSkinCheckRadioBox8);
        ClickOn(f->qvSkinButton6);
    });
    f->ShowModal();
    EXPECT_FALSE(f->Visible());
    EXPECT_TRUE(Link.Trevalon.Preview());
    EXPECT_EQ(Stored("Thread_Count"), "5");
    EXPECT_EQ(Stored("After_Done"), "3");
    EXPECT_EQ(Stored("Show_Preview"), "1");
    EXPECT_EQ(Stored("Thread_Priority"), "1");
    EXPECT_EQ(Stored("Overwrite_File"), "0");

    f = Restart();
    EXPECT_EQ(Ticked(f), QList<int>({3, 5, 10}));
    EXPECT_EQ(f->qvSkinComboBox2->Text(), "5");
    EXPECT_TRUE(f->qvSkinCheckRadioBox8->Checked());
    EXPECT_TRUE(Prompt->Texts.isEmpty());
}

// Every control changed as a user changes it, then the dialog closed without
// OK, by Cancel or by its frame: the file is untouched and the controls, the
// engine's Preview with them, are back to what was in force.
TEST_F(OptionsFormTest, ClosingWithoutOkPutsBackEveryChoice) {
    struct Change {
        const char* name;
        std::function<void(TForm5*)> act;
    };
    const Change changes[] = {
        {"shut down", [](TForm5* f) { ClickOn(f->qvSkinCheckRadioBox2); }},
        {"play sound", [](TForm5* f) { ClickOn(f->qvSkinCheckRadioBox4); }},
        {"open folder", [](TForm5* f) { ClickOn(f->qvSkinCheckRadioBox1); }},
        {"overwrite", [](TForm5* f) { ClickOn(f->qvSkinCheckRadioBox3); }},
        {"idle", [](TForm5* f) { ClickOn(f->qvSkinCheckRadioBox9); }},
        {"lowest", [](TForm5* f) { ClickOn(f->qvSkinCheckRadioBox10); }},
        {"normal", [](TForm5* f) { ClickOn(f->qvSkinCheckRadioBox12); }},
        {"live preview", [](TForm5* f) { ClickOn(f->qvSkinCheckRadioBox8); }},
        {"thread count", [](TForm5* f) {
             f->qvSkinComboBox2->SetFocus();
             for (int i = 0; i < 4; ++i) QTest::keyClick(f->qvSkinComboBox2, Qt::Key_Down);
         }},
        {"everything", [](TForm5* f) {
             for (auto* box : {f->qvSkinCheckRadioBox2, f->qvSkinCheckRadioBox3, f->qvSkinCheckRadioBox9,
                               f->qvSkinCheckRadioBox8})
                 ClickOn(box);
             f->qvSkinComboBox2->SetFocus();
             QTest::keyClick(f->qvSkinComboBox2, Qt::Key_PageDown);
         }},
    };
    // A saved state that is not the form's own, so "back" cannot mean "default".
    WriteIni("[Options]\nThread_Count=3\nAfter_Done=3\nThread_Priority=2\nOverwrite_File=1\nShow_Preview=0\n");
    TForm5* f = Create();
    const QByteArray saved = IniBytes();
    const settings::TOptionsSettings before = f->Settings();
    ASSERT_EQ(before.ThreadCount, 3);
    for (const bool byFrame : {false, true}) {
        for (const Change& c : changes) {
            SCOPED_TRACE(std::string(c.name) + (byFrame ? ", frame" : ", Cancel"));
            bool changed = false;
            QTimer::singleShot(0, f, [&] {
                c.act(f);
                changed = f->Settings() != before;
                if (byFrame) f->close();
                else ClickOn(f->qvSkinButton1);
            });
            f->ShowModal();
            EXPECT_TRUE(changed);
            EXPECT_FALSE(f->Visible());
            EXPECT_EQ(f->Settings(), before);
            EXPECT_FALSE(Link.Trevalon.Preview());
            EXPECT_EQ(IniBytes(), saved);
        }
    }
    EXPECT_TRUE(Prompt->Texts.isEmpty());
}

// OK makes the choice the one in force: a later Cancel goes back to it, not
// to what the dialog was created with.
TEST_F(OptionsFormTest, CancelGoesBackToWhatOkConfirmed) {
    TForm5* f = Create();
    QTimer::singleShot(0, f, [&] {
        ClickOn(f->qvSkinCheckRadioBox10);
        ClickOn(f->qvSkinButton6);
    });
    f->ShowModal();
    QTimer::singleShot(0, f, [&] {
        EXPECT_TRUE(f->qvSkinCheckRadioBox10->Checked());
        ClickOn(f->qvSkinCheckRadioBox2);
        ClickOn(f->qvSkinButton1);
    });
    f->ShowModal();
    EXPECT_EQ(Ticked(f), QList<int>({1, 6, 10}));
    EXPECT_EQ(Stored("Thread_Priority"), "1");
}

TEST_F(OptionsFormTest, AFailedOkShowsTheErrorOnceAndKeepsTheDialogOpen) {
    TForm5* f = Create();
    // A folder in the file's place: every write fails, whoever runs the test.
    ASSERT_TRUE(QFile::remove(IniFile()));
    ASSERT_TRUE(QDir().mkdir(IniFile()));
    bool openAfterOk = false;
    TThreadPriority priorityAfterOk = tpIdle;
    QTimer::singleShot(0, f, [&] {
        ClickOn(f->qvSkinCheckRadioBox11);
        ClickOn(f->qvSkinButton6);
        openAfterOk = f->Visible() && f->Modal();
        priorityAfterOk = f->Settings().Priority;
        ClickOn(f->qvSkinButton1);
    });
    f->ShowModal();
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(priorityAfterOk, tpLower);
    EXPECT_EQ(Prompt->Texts, QStringList({"Unable to write to " + IniFile() + "."}));
    // Nothing was saved, so Cancel puts back what was in force.
    EXPECT_EQ(f->Settings().Priority, tpNormal);

    // The same folder at the next start: the reading goes on key by key and
    // keeps its first failure for the start-up's one error box.
    Prompt->Texts.clear();
    f = Restart();
    EXPECT_EQ(f->LoadError(), "Unable to write to " + IniFile());
    EXPECT_EQ(Ticked(f), QList<int>({1, 6, 12}));
    EXPECT_TRUE(Prompt->Texts.isEmpty());
}
