// The program started for real in a temporary program folder and home, with
// the message boxes, the desktop actions and the dialogs recorded or scripted.
#pragma once

#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/Startup.h"
#include "app/settings/SettingsFile.h"
#include "engine/FFBase.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/ComCtrls.h"
#include "platform/IniFiles.h"
#include "platform/Shell.h"
#include "platform/StdCtrls.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/office/SkinOfficeItems.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/forms/shell/OpenDialog.h"
#include "skin/forms/shell/SelectDirectoryDialog.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

struct TRecordedBox {
    QString Text, Caption;
    unsigned Flags;
};

class TRecordingPrompt : public TPrompt {
public:
    std::vector<TRecordedBox> Boxes;
    int MessageBox(const QString& text, const QString& caption, unsigned flags) override {
        Boxes.push_back({text, caption, flags});
        return IDOK;
    }
};

class TRecordingShell : public TShellActions {
public:
    QStringList Opened, Sounds;
    int PowerOffs = 0;
    bool Open(const QString& p) override { return Opened << p, true; }
    bool PlaySound(const QString& f) override { return Sounds << f, true; }
    bool PowerOff() override { return ++PowerOffs, true; }
};

// Answers from queues; an empty queue answers "cancelled". An answer is
// also left in the dialog component, as the real dialog leaves it.
class TScriptedDialogs : public TAppDialogs {
public:
    std::deque<QStringList> Files;
    std::deque<QString> Folders;
    std::deque<int> Skins;
    std::vector<QString> Messages;
    std::optional<QStringList> OpenFiles(TqvSkinOpenDialog* dialog) override {
        std::optional<QStringList> files = Next(Files);
        if (files) {
            dialog->Files().Clear();
            for (const QString& f : *files) dialog->Files().Add(f);
            dialog->FileName = files->value(0);
        }
        return files;
    }
    std::optional<QString> SelectFolder(TqvSkinSelectDirectoryDialog* dialog) override {
        std::optional<QString> folder = Next(Folders);
        if (folder) dialog->Directory = *folder;
        return folder;
    }
    std::optional<int> SelectSkin(TqvSkinData*) override { return Next(Skins); }
    std::optional<QString> SavePicture(TSavePictureDialog*) override { return std::nullopt; }
    int MessageDlg2(const QString& text, const QString&, TMsgDlgType, TMsgDlgButtons) override {
        Messages.push_back(text);
        return mrOk;
    }

private:
    template <class T> static std::optional<T> Next(std::deque<T>& q) {
        if (q.empty()) return std::nullopt;
        T v = q.front();
        q.pop_front();
        return v;
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir ProgramDir, HomeDir;
    QByteArray SavedHome = qgetenv("HOME");
    std::shared_ptr<TRecordingPrompt> Prompt = std::make_shared<TRecordingPrompt>();
    std::shared_ptr<TRecordingShell> Shell = std::make_shared<TRecordingShell>();
    std::shared_ptr<TScriptedDialogs> Dialogs = std::make_shared<TScriptedDialogs>();
    TForm1* W = nullptr;

    QString Program() const { return ProgramDir.path() + "/"; }
    QString Home() const { return HomeDir.path(); }
    QString IniFile() const { return settings::OptionIniFileName(Program()); }

    void SetUp() override {
        qputenv("HOME", HomeDir.path().toUtf8());
        SetApplicationPathOverride(Program());
        SetShellActions(Shell);
        Application()->SetPrompt(Prompt);
    }
    void TearDown() override {
        DestroyApplication();
        SetShellActions(nullptr);
        SetApplicationPathOverride(QString());
        qputenv("HOME", SavedHome);
    }

    void Start() {
        W = app::StartApplication(Dialogs);
        ASSERT_NE(W, nullptr);
    }

    void WriteIni(const QByteArray& text) const {
        QFile f(IniFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    QString Stored(const QString& section, const QString& key) const {
        return TIniFile(IniFile()).ReadString(section, key, "<none>");
    }

    // Runs the event loop until the condition holds. Between checks the loop
    // sleeps on its events (a short timer wakes it for state that arrives
    // without one), so a starved worker on a loaded machine is waited for;
    // the bound only ends a hang.
    static bool WaitUntil(const std::function<bool()>& done) {
        QDeadlineTimer hang(std::chrono::minutes(2));
        while (!done()) {
            if (hang.hasExpired()) return done();
            QEventLoop loop;
            QTimer::singleShot(2, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return true;
    }

    // A job row as an add leaves it, selected without the selection's
    // restore, so a chain under test starts from the lists as they stand.
    TListItem* AddSelectedRow(const QString& input, const QString& outputName,
                              const QString& digits = QStringLiteral("000000000000")) {
        jobs::TJobRow row;
        row.Caption = input;
        row[jobs::siOutputName] = outputName;
        row[jobs::siCategoryCode] = QStringLiteral("100");
        row[jobs::siOptionDigits] = digits;
        TListItem* item = W->AppendRow(row);
        const auto restore = W->lvFiles->OnSelectItem;
        W->lvFiles->OnSelectItem = nullptr;
        W->lvFiles->SetSelected(item);
        W->lvFiles->OnSelectItem = restore;
        return item;
    }

    // Category row and profile row chosen as the user would (every write runs the chain).
    void Choose(int categoryRow, int profileRow) {
        W->qvSkinOfficeComboBox2->SetItemIndex(categoryRow);
        if (profileRow) W->qvSkinOfficeComboBox1->SetItemIndex(profileRow);
    }
    QString Sub(TListItem* item, jobs::TJobSubItem i) const { return item->SubItems()[i]; }
};

// Counts the runs of a hidden button's handler, which still runs.
inline void CountClicks(TButton* b, int& count) {
    auto inner = b->OnClick;
    b->OnClick = [inner, &count](QObject* s) {
        ++count;
        inner(s);
    };
}
