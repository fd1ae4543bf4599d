// The preview's snapshot commands on the running window: the snapshot
// button with its folder and type resolution, the settings menu and its
// items, the folder chooser, and the hidden capture button.
#include "tests/app/mainwindow/CommandsFixture.h"

#include "app/snapshots/SnapshotSettings.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/SkinMenu.h"
#include "tests/app/snapshots/PictureDecoders.h"

#include <QDir>
#include <QFileInfo>

using namespace snapshots_test;

namespace {

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

// The seven bars of the clip's top two thirds.
QPoint SmpteBarCentre(int k, QSize size) { return QPoint((2 * k + 1) * size.width() / 14, size.height() / 3); }

}  // namespace

class SnapshotsTest : public CommandsTest {
protected:
    QString Folder() const { return Home() + "/shots"; }
    QString DefaultFolder() const { return Home() + QStringLiteral("/Quorvel视频软件/快照"); }
    void UseFolder(const QString& folder) const {
        TIniFile(IniFile()).WriteString("SnapShot", "Dir", folder);
    }
    void StoreType(const QString& type) const { TIniFile(IniFile()).WriteString("SnapShot", "Picture", type); }
    void Snapshot() { W->qvSkinButton22->Click(); }
    QStringList FolderEntries(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
};

TEST_F(SnapshotsTest, FirstSnapshotCreatesTheDefaultFolderAndSavesABitmap) {
    Start();
    W->JPG1->SetChecked(true);
    ASSERT_FALSE(QFileInfo::exists(DefaultFolder()));
    ASSERT_TRUE(OpenClip("bars.avi", "clip.avi"));
    const QImage frame = W->DUDuvuvu->CurrentFrame();
    Snapshot();

    EXPECT_EQ(Stored("SnapShot", "Dir"), DefaultFolder());
    EXPECT_EQ(Stored("SnapShot", "Picture"), "BMP");
    EXPECT_TRUE(W->BMP1->Checked());
    EXPECT_FALSE(W->JPG1->Checked());
    EXPECT_EQ(FolderEntries(DefaultFolder()), QStringList{"clip_1.bmp"});
    const QImage saved(DefaultFolder() + "/clip_1.bmp");
    EXPECT_EQ(saved.size(), frame.size());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_BGR888), frame);
}

// Numbers are counted per base name and type, gaps first.
TEST_F(SnapshotsTest, TakesTheFirstFreeNumberOfItsOwnType) {
    Start();
    ASSERT_TRUE(QDir().mkpath(Folder()));
    for (const char* name : {"clip_1.png", "clip_3.png", "clip_1.bmp"}) Touch(Folder() + "/" + name);
    UseFolder(Folder());
    W->PNG1->Click();
    EXPECT_EQ(Stored("SnapShot", "Picture"), "PNG");
    ASSERT_TRUE(OpenClip("bars.avi", "clip.avi"));
    Snapshot();
    EXPECT_TRUE(QFileInfo::exists(Folder() + "/clip_2.png"));
    Snapshot();
    EXPECT_TRUE(QFileInfo::exists(Folder() + "/clip_4.png"));
    EXPECT_EQ(FolderEntries(Folder()),
              (QStringList{"clip_1.bmp", "clip_1.png", "clip_2.png", "clip_3.png", "clip_4.png"}));
}

// Each type, chosen through its menu item, reads back with its own library
// to the frame's size and colours.
TEST_F(SnapshotsTest, EveryTypeDecodesToTheFrame) {
    Start();
    UseFolder(Folder());
    ASSERT_TRUE(OpenClip("bars.avi", "clip.avi"));
    const QImage frame = W->DUDuvuvu->CurrentFrame();
    ASSERT_EQ(frame.size(), QSize(320, 240));
    struct TCase {
        TMenuItem* Item;
        const char* File;
        int Tolerance;
    };
    const TCase cases[] = {{W->BMP1, "clip_1.bmp", 0}, {W->JPG1, "clip_1.jpg", 12}, {W->GIF1, "clip_1.gif", 24},
                           {W->PNG1, "clip_1.png", 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File);
        c.Item->Click();
        EXPECT_TRUE(c.Item->Checked());
        Snapshot();
        const QByteArray data = FileBytes(Folder() + "/" + c.File);
        ASSERT_FALSE(data.isEmpty());
        const QString type = QFileInfo(c.File).suffix();
        const TDecoded picture = type == "jpg"   ? DecodeJpeg(data).Picture
                                 : type == "gif" ? DecodeGif(data).Picture
                                                 : FromQImage(QImage::fromData(data));
        ASSERT_EQ(QSize(picture.Width, picture.Height), frame.size());
        for (int k = 0; k < 7; ++k) {
            const QPoint at = SmpteBarCentre(k, frame.size());
            EXPECT_LE(Distance(picture.At(at), frame.pixelColor(at)), c.Tolerance) << "bar " << k;
        }
    }
    // The clip's bars really differ: yellow, then blue.
    const QColor yellow = frame.pixelColor(SmpteBarCentre(1, frame.size()));
    EXPECT_GT(Distance(yellow, frame.pixelColor(SmpteBarCentre(6, frame.size()))), 120);
}

// The settings button's click and the snapshot put the stored type right:
// only the four upper-case names count.
TEST_F(SnapshotsTest, TypeResolutionRepairsWhatIsNotExactlyAType) {
    Start();
    struct TCase {
        const char* Stored;
        const char* After;
        TMenuItem* TForm1::*Checked;
    };
    const TCase cases[] = {
        {"jpg", "BMP", &TForm1::BMP1}, {"GIF", "GIF", &TForm1::GIF1},   {"Error", "BMP", &TForm1::BMP1},
        {"", "BMP", &TForm1::BMP1},    {"Png", "BMP", &TForm1::BMP1}, {"JPG", "JPG", &TForm1::JPG1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Stored);
        StoreType(c.Stored);
        W->PNG1->SetChecked(true);
        W->qvSkinButton23->Click();
        EXPECT_EQ(Stored("SnapShot", "Picture"), c.After);
        EXPECT_TRUE((W->*c.Checked)->Checked());
    }
    // Without a picture the snapshot still repairs the key.
    StoreType("jpg");
    Snapshot();
    EXPECT_EQ(Stored("SnapShot", "Picture"), "BMP");
}

TEST_F(SnapshotsTest, WithoutAPictureNothingIsSavedButTheKeysAreWritten) {
    Start();
    ASSERT_TRUE(OpenClip("a44.wav", "tone.wav", false));
    EXPECT_TRUE(W->DUDuvuvu->CurrentFrame().isNull());
    Snapshot();
    EXPECT_EQ(Stored("SnapShot", "Dir"), DefaultFolder());
    EXPECT_EQ(Stored("SnapShot", "Picture"), "BMP");
    EXPECT_TRUE(QFileInfo(DefaultFolder()).isDir());
    EXPECT_TRUE(FolderEntries(DefaultFolder()).isEmpty());
    // Capture asks nothing without a picture.
    Scripted->Pictures.push_back(Home() + "/shot.bmp");
    W->btnCapture->Click();
    EXPECT_EQ(Scripted->Pictures.size(), 1u);
}

// A deleted folder comes back at the next snapshot and when it is opened;
// the stored name stays as it was.
TEST_F(SnapshotsTest, ADeletedFolderIsCreatedAgain) {
    Start();
    const QString folder = Home() + "/gone/deeper";
    UseFolder(folder);
    Snapshot();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    ASSERT_TRUE(QDir(Home() + "/gone").removeRecursively());
    W->MenuItem1->Click();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(Shell->Opened, QStringList{folder});
    EXPECT_EQ(Stored("SnapShot", "Dir"), folder);
}

// A folder that cannot hold pictures: the write fails into the error box.
TEST_F(SnapshotsTest, AFailedWriteRaisesIntoTheErrorBox) {
    Start();
    Touch(Home() + "/plain");
    UseFolder(Home() + "/plain/sub");
    ASSERT_TRUE(OpenClip("bars.avi", "clip.avi"));
    EXPECT_FALSE(Application()->Guard([&] { Snapshot(); }));
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    EXPECT_TRUE(Prompt->Boxes[0].Text.contains("clip_1.bmp")) << Prompt->Boxes[0].Text.toStdString();
}

TEST_F(SnapshotsTest, ChoosingTheFolderStoresOnlyAConfirmedExistingFolder) {
    Start();
    UseFolder(Folder());
    const QString chosen = Home() + "/chosen";
    ASSERT_TRUE(QDir().mkpath(chosen));
    W->MenuItem2->Click();  // cancelled
    EXPECT_EQ(Stored("SnapShot", "Dir"), Folder());
    Scripted->Folders.push_back(Home() + "/missing");
    W->MenuItem2->Click();
    EXPECT_EQ(Stored("SnapShot", "Dir"), Folder());
    EXPECT_FALSE(QFileInfo::exists(Home() + "/missing"));
    Scripted->Folders.push_back(chosen);
    W->MenuItem2->Click();
    EXPECT_EQ(Stored("SnapShot", "Dir"), chosen);
    // The chooser opened at the top first, then where it was last confirmed.
    EXPECT_EQ(Scripted->FolderStarts, (QStringList{"", "", Home() + "/missing"}));
}

// A left press opens the menu where the pointer is, and so does a right
// one; the left release's click sets the check mark from the settings file.
TEST_F(SnapshotsTest, TheSettingsButtonOpensTheMenuAtThePointer) {
    auto pointer = std::make_shared<TManualPointerSource>();
    pointer->Pos = QPoint(321, 234);
    SetPointerSource(pointer);
    Start();
    W->Show();
    StoreType("GIF");
    QWidget* button = W->qvSkinButton23;
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
    EXPECT_EQ(W->qvSkinPopupMenu2->PopupPoint(), (TPoint{321, 234}));
    EXPECT_FALSE(W->GIF1->Checked());
    QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(button, &release);
    EXPECT_TRUE(W->GIF1->Checked());
    // It is the button's context menu as well.
    pointer->Pos = QPoint(40, 50);
    QMouseEvent right(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(button, &right);
    EXPECT_EQ(W->qvSkinPopupMenu2->PopupPoint(), (TPoint{40, 50}));
    SetPointerSource(nullptr);
}

// shot.PNG gets JPEG data, shot.BMP a bitmap: only the ".bmp" ending counts.
TEST_F(SnapshotsTest, CaptureWritesABitmapOnlyForABmpName) {
    Start();
    ASSERT_TRUE(OpenClip("bars.avi", "clip.avi"));
    struct TCase {
        const char* Name;
        QByteArray Magic;
    };
    const TCase cases[] = {{"shot.PNG", QByteArray("\xFF\xD8\xFF", 3)}, {"shot.BMP", "BM"}, {"shot.bmp", "BM"},
                           {"shot", QByteArray("\xFF\xD8\xFF", 3)}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Scripted->Pictures.push_back(Home() + "/" + c.Name);
        W->btnCapture->Click();
        EXPECT_EQ(FileBytes(Home() + "/" + c.Name).left(c.Magic.size()), c.Magic);
    }
    EXPECT_EQ(Scripted->PictureDialogs, 4);
    // Cancelled: nothing written.
    W->btnCapture->Click();
    EXPECT_EQ(Scripted->PictureDialogs, 5);
}

// While the preview plays the snapshot saves the picture on screen and
// leaves the playback running.
TEST_F(SnapshotsTest, ASnapshotWhilePlayingKeepsThePreviewPlaying) {
    Start();
    UseFolder(Folder());
    ASSERT_TRUE(OpenClip("av.avi", "moving.avi"));
    W->DUDuvuvu->Resume();
    ASSERT_FALSE(W->DUDuvuvu->Paused());
    Snapshot();
    EXPECT_FALSE(W->DUDuvuvu->Paused());
    EXPECT_EQ(QImage(Folder() + "/moving_1.bmp").size(), QSize(160, 120));
}
