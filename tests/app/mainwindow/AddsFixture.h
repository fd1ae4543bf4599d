// The main window with real clips to add: inputs copied into a temporary
// folder under chosen names, and an output folder of its own.
#pragma once

#include "tests/app/mainwindow/MainWindowFixture.h"

#include "engine/Trevalon.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/forms/menu/Menus.h"
#include "engine/AVProbe.h"
#include "skin/controls/panels/SkinPanel.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFile>

class AddsTest : public MainWindowTest {
protected:
    QTemporaryDir Inputs, Outputs;

    // MP4 video as the profile; the log holds a line already, so an empty
    // line an add writes first stays one.
    void StartWithOutputFolder() {
        Start();
        W->Video_OutPut_Folder_Edit->SetText(Outputs.path());
        ChooseCode(1104);
        W->mmoLog->Lines().Add("before");
    }

    // A job row appended as an add leaves it, not selected.
    TListItem* AppendJob(const QString& input, const QString& outputName, const QString& code,
                         const QString& digits = QStringLiteral("000000000000")) {
        jobs::TJobRow row;
        row.Caption = input;
        row[jobs::siOutputName] = outputName;
        row[jobs::siCategoryCode] = code;
        row[jobs::siOptionDigits] = digits;
        return W->AppendRow(row);
    }

    // A copy of a generated clip as Inputs/<name>.
    QString Input(const QString& name, const QString& clip = QStringLiteral("av1s.avi")) {
        const QString source = TestMedia::Path(clip);
        const QString path = Inputs.path() + "/" + name;
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(source, path)) << path.toStdString();
        return path;
    }
    QString Junk(const QString& name) {
        const QString path = Inputs.path() + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i) bytes.append(char((i * 7919 + 13) % 251));
        f.write(bytes);
        return path;
    }

    void AddOne(const QString& path) {
        Dialogs->Files.push_back({path});
        W->btnAdd->Click();
    }
    void AddSeveral(const QStringList& paths) {
        Dialogs->Files.push_back(paths);
        W->Button8->Click();
    }
    void AddFolder(const QString& folder) {
        Dialogs->Folders.push_back(folder);
        W->Button12->Click();
    }

    int Rows() const { return W->lvFiles->Items().Count(); }
    TListItem* Row(int i) const { return W->lvFiles->Items()[i]; }
    QStringList Captions() const {
        QStringList c;
        for (int i = 0; i < Rows(); ++i) c << Row(i)->Caption();
        return c;
    }
    QStringList LogLines() const {
        QStringList lines;
        for (int i = 0; i < W->mmoLog->Lines().Count(); ++i) lines << W->mmoLog->Lines()[i];
        return lines;
    }
    // The category and profile rows of a profile code.
    static std::pair<int, int> PositionOf(int code) {
        for (int c = 0; c < profiles::CategoryRowCount; ++c) {
            const auto list = profiles::ProfilesOfCategoryRow(c);
            for (int p = 0; p < int(list.size()); ++p)
                if (list[p].Code == code) return {c, p};
        }
        ADD_FAILURE() << "no profile " << code;
        return {0, 0};
    }
    void ChooseCode(int code) {
        const auto [c, p] = PositionOf(code);
        Choose(c, p);
    }
};
