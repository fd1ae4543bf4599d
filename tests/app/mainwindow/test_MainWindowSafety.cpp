// What the user owns survives a run, and the list stays usable whatever a run
// meets: inputs and foreign files are never written over, a refused Start
// leaves rows that can be removed, failing jobs do not hold up the others,
// and a read-only settings file stays as it is. Driven through the window's
// own buttons, list and keys.
#include "tests/app/mainwindow/RunFixture.h"

#include "app/jobs/OutputName.h"
#include "platform/Application.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/model/SkinData.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace jobs;

namespace {

QByteArray Sha256(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex();
}

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

}  // namespace

// A settings file the user made read-only is neither replaced nor quietly
// kept: the start-up says so once, a command once more, and the file is as it
// was, byte for byte.
TEST_F(MainWindowTest, AReadOnlySettingsFileStaysAsItIsAndTheFailureIsReported) {
    WriteIni("[Skin]\nSetSkin=2\n");  // the folder and the options are missing: start-up writes them
    ASSERT_EQ(::chmod(QFile::encodeName(IniFile()).constData(), 0444), 0);
    const QByteArray before = Sha256(IniFile());

    Start();
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    EXPECT_EQ(Prompt->Boxes[0].Text, "Unable to write to " + IniFile() + ".");
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 2) << "reading works";
    EXPECT_EQ(W->FileOutPutPath, Home() + "/Quorvel视频软件/输出");

    // Browse stores the folder: its own box, the folder still in force.
    W->Show();
    QTemporaryDir chosen;
    Dialogs->Folders.push_back(chosen.path());
    Click(W->qvSkinButton5);
    ASSERT_EQ(Prompt->Boxes.size(), 2u);
    EXPECT_EQ(Prompt->Boxes[1].Text, "Unable to write to " + IniFile() + ".");
    EXPECT_EQ(W->FileOutPutPath, chosen.path());

    EXPECT_EQ(Sha256(IniFile()), before);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(IniFile()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(QDir(Program()).entryList(QDir::Files | QDir::Hidden), QStringList{"option.ini"});
}
