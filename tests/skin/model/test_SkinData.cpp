#include "skin/model/SkinBitmaps.h"
#include "skin/model/SkinData.h"
#include "tests/skin/support/TestSkin.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Folder(const QTemporaryDir& dir, const TTestSkin& skin, const char* sub = "skin")
{
    return skin.WriteFolder(dir.filePath(QLatin1String(sub)));
}

TEST(SkinData, ANewModelIsEmpty)
{
    TqvSkinData model;
    EXPECT_TRUE(model.Empty);
    EXPECT_FALSE(model.ChangeSkinDataProcess);
    EXPECT_EQ(model.GetControlIndex(QStringLiteral("button")), -1);
    EXPECT_EQ(model.BGPictureIndex, -1);
    EXPECT_EQ(model.LayerFrame.PictureIndex, -1);
    EXPECT_TRUE(model.SkinnableForm());
    EXPECT_TRUE(model.ShowLayeredBorders());
    EXPECT_FALSE(model.AnimationForAllWindows());
}

TEST(SkinData, LoadsASkinFolderFromTheBuilder)
{
    QTemporaryDir dir;
    const TTestSkin skin = TTestSkin().WithMask().WithInActivePicture();
    TqvSkinData model;
    model.LoadFromFile(Folder(dir, skin));
    EXPECT_FALSE(model.Empty);
    EXPECT_FALSE(model.ChangeSkinDataProcess);
    EXPECT_EQ(model.SkinName, QStringLiteral("Test skin"));
    EXPECT_EQ(model.CtrlList.size(), 28u);
    EXPECT_EQ(model.ObjectList.size(), 8u);
    EXPECT_EQ(model.FPicture, skin.Pictures().at(QLatin1String(TTestSkin::kFrame)));
    EXPECT_EQ(model.FPicture.format(), QImage::Format_RGB32);
    EXPECT_FALSE(model.FMask.isNull());
    EXPECT_FALSE(model.FInActivePicture.isNull());
    EXPECT_EQ(model.FActivePicturesNames, (QStringList{"controls.bmp", "objects.bmp"}));
    ASSERT_EQ(model.FActivePictures.size(), 2u);

    const int button = model.GetControlIndex(QStringLiteral("button"));
    ASSERT_GE(button, 0);
    const auto* record = dynamic_cast<const TqvDataSkinButtonControl*>(model.CtrlList[std::size_t(button)].get());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->PictureIndex, 0);
    EXPECT_EQ(record->SkinRect.Height(), 24);
    EXPECT_NE(dynamic_cast<const TqvDataSkinScrollBarControl*>(
                  model.CtrlList[std::size_t(model.GetControlIndex(QStringLiteral("hscrollbar")))].get()),
              nullptr);
    EXPECT_GE(model.GetIndex(QStringLiteral("caption")), 0);
    EXPECT_EQ(model.GetIndex(QStringLiteral("Caption")), -1) << "names compare with case";
    EXPECT_EQ(model.ClRect, Rect(4, 22, 92, 68));
    EXPECT_EQ(model.FormMinWidth, 120);
    EXPECT_EQ(model.SkinColors().cBtnFace(), RGB(236, 233, 216));
    EXPECT_EQ(model.PopupWindow.WindowPictureIndex, 1);
    EXPECT_EQ(model.HintWindow.FontName, QStringLiteral("Tahoma"));
}

TEST(SkinData, FolderStoredSkinAndSavedFilesGiveTheSameModel)
{
    QTemporaryDir dir;
    const TTestSkin skin = TTestSkin().WithMask().WithLayerFrame();
    TqvSkinData fromFolder, fromStored, fromSkn, fromDisk;
    fromFolder.LoadFromFile(Folder(dir, skin));
    skin.LoadInto(fromStored);
    EXPECT_TRUE(SameSkin(fromFolder, fromStored));

    const QString skn = dir.filePath(QStringLiteral("saved.skn"));
    fromFolder.SaveToCompressedFile(skn);
    fromSkn.LoadFromCompressedFile(skn);
    EXPECT_TRUE(SameSkin(fromFolder, fromSkn));

    const QString copy = dir.filePath(QStringLiteral("copy/skin.ini"));
    QDir().mkpath(dir.filePath(QStringLiteral("copy")));
    fromSkn.StoreToDisk(copy);
    fromDisk.LoadFromFile(copy);
    EXPECT_TRUE(SameSkin(fromFolder, fromDisk));
}

TEST(SkinData, SaveToFileKeepsForeignSectionsAndReplacesOwnOnes)
{
    QTemporaryDir dir;
    TqvSkinData model;
    TTestSkin().LoadInto(model);
    const QString file = dir.filePath(QStringLiteral("out.ini"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Mine]\r\nkeep=1\r\n[FORMINFO]\r\nstale=1\r\n");
    f.close();
    model.SaveToFile(file);
    TqvSkinIni ini;
    ini.LoadFromFile(file);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Mine"), QStringLiteral("keep"), QString()), QStringLiteral("1"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("FORMINFO"), QStringLiteral("stale")));
    EXPECT_EQ(ini.Keys(QStringLiteral("FORMINFO")).size(), 31);
    EXPECT_EQ(ini.ReadString(QStringLiteral("SKINCONTROLS"), QStringLiteral("3"), QString()),
              QStringLiteral("button:button"));
}

TEST(SkinData, SkinIndexSwitchesBetweenStoredSkinsOfAList)
{
    TqvCompressedSkinList list;
    TTestSkin().Named(QStringLiteral("one")).StoreInto(*list.Skins().Add()->Skin());
    TTestSkin({"button"}, {}).Named(QStringLiteral("two")).StoreInto(*list.Skins().Add()->Skin());

    TqvSkinData model;
    model.SetSkinIndex(1);
    EXPECT_TRUE(model.Empty) << "without a list the index is only stored";
    model.SetSkinList(&list);
    EXPECT_EQ(model.SkinName, QStringLiteral("two"));
    EXPECT_EQ(model.CtrlList.size(), 1u);
    model.SetSkinIndex(0);
    EXPECT_EQ(model.SkinName, QStringLiteral("one"));
    EXPECT_EQ(model.CtrlList.size(), 28u);
    model.SetSkinIndex(2);
    EXPECT_EQ(model.SkinIndex(), 0) << "out of range is ignored";
    model.SkinName = QStringLiteral("touched");
    model.SetSkinIndex(0);
    EXPECT_EQ(model.SkinName, QStringLiteral("touched")) << "the same index does not reload";
    model.SetSkinIndex(1);
    EXPECT_EQ(model.SkinName, QStringLiteral("two"));
}

TEST(SkinData, RecordListsSkipUnknownKindsAndLookupsFindTheFirst)
{
    TqvSkinData model;
    TTestSkin({}, {})
        .AddControl(QStringLiteral("dup"), QStringLiteral("button"))
        .AddControl(QStringLiteral("dup"), QStringLiteral("panel"))
        .AddControl(QStringLiteral("odd"), QStringLiteral("Button"))
        .Set(QStringLiteral("SKINCONTROLS"), QStringLiteral("3"), QStringLiteral("listbox:"))
        .Set(QStringLiteral("SKINCONTROLS"), QStringLiteral("4"), QStringLiteral("nocolon"))
        .Set(QStringLiteral("SKINCONTROLS"), QStringLiteral("6"), QStringLiteral("late:edit:extra"))
        .Set(QStringLiteral("SKINCONTROLS"), QStringLiteral("count"), QStringLiteral("7"))
        .LoadInto(model);
    ASSERT_EQ(model.CtrlList.size(), 2u);
    EXPECT_EQ(model.GetControlIndex(QStringLiteral("dup")), 0);
    EXPECT_NE(dynamic_cast<TqvDataSkinButtonControl*>(model.CtrlList[0].get()), nullptr);
    EXPECT_EQ(model.GetControlIndex(QStringLiteral("odd")), -1);
    EXPECT_EQ(model.GetControlIndex(QStringLiteral("late")), -1) << "kind \"edit:extra\" is unknown";
}

TEST(SkinData, FormInfoCorrections)
{
    struct {
        bool Mask;
        const char* LeftTop;
        const char* RightBottom;
        TPoint ExpectedLeftTop;
        TPoint ExpectedHitLeftTop;
    } cases[] = {
        {true, "2,3", "90,60", Point(5, 6), Point(5, 6)},    // hit point with a zero takes the (corrected) corner
        {false, "2,3", "90,60", Point(5, 6), Point(0, 12)},  // no mask: hit point kept
        {false, "2,3", "2,60", Point(2, 3), Point(0, 12)},   // no stretchable middle: nothing moves
    };
    for (const auto& c : cases) {
        TTestSkin skin = TTestSkin({}, {}).WithMask(c.Mask);
        skin.Set(QStringLiteral("FORMINFO"), QStringLiteral("lefttoppoint"), QLatin1String(c.LeftTop))
            .Set(QStringLiteral("FORMINFO"), QStringLiteral("rightbottompoint"), QLatin1String(c.RightBottom))
            .Set(QStringLiteral("FORMINFO"), QStringLiteral("clientrect"), QStringLiteral("5,6,100,90"))
            .Set(QStringLiteral("FORMINFO"), QStringLiteral("maskrectarea"), QStringLiteral("10,10,20,20"))
            .Set(QStringLiteral("FORMINFO"), QStringLiteral("hittestlefttoppoint"), QStringLiteral("0,12"));
        TqvSkinData model;
        skin.LoadInto(model);
        EXPECT_EQ(model.LTPoint, c.ExpectedLeftTop) << c.Mask << c.RightBottom;
        if (c.Mask) {
            EXPECT_EQ(model.HitTestLTPoint, Point(2, 3)) << "taken before the corner was pulled in";
            EXPECT_EQ(model.MaskRectArea, Rect(5, 6, 100, 90));
        } else {
            EXPECT_EQ(model.HitTestLTPoint, c.ExpectedHitLeftTop);
            EXPECT_EQ(model.MaskRectArea, Rect(10, 10, 20, 20));
        }
    }
}

TEST(SkinData, MissingOptionalSectionsTakeDefaults)
{
    TqvSkinData model;
    TTestSkin({"button"}, {})
        .Without(QStringLiteral("POPUPWINDOW"))
        .Without(QStringLiteral("HINTWINDOW"))
        .Without(QStringLiteral("SKINCOLORS"))
        .Without(QStringLiteral("button"))
        .LoadInto(model);
    EXPECT_FALSE(model.Empty);
    EXPECT_EQ(model.PopupWindow.WindowPictureIndex, -1);
    EXPECT_EQ(model.HintWindow.FontHeight, 14);
    EXPECT_EQ(model.LayerFrame.PictureIndex, -1);
    EXPECT_EQ(model.SkinColors().cBtnFace(), TqvSkinColors::SystemColorRef(15));
    ASSERT_EQ(model.CtrlList.size(), 1u);
    EXPECT_EQ(model.CtrlList[0]->PictureIndex, -1) << "a record without a section has its defaults";
}

// Every bad input ends in an error and a clean, empty, usable model.
TEST(SkinData, BadStoredSkinsLeaveACleanEmptyModel)
{
    const QByteArray good = TTestSkin().Container();
    QByteArray flipped = good;
    flipped[good.size() / 2] = char(flipped[good.size() / 2] ^ 0x01);
    QByteArray badBmp = TTestSkin().Payload();
    badBmp[5] = 'X';  // the frame picture's signature
    auto containerOf = [](const QByteArray& payload) { return TTestSkin::ContainerOf(CompressBytes(payload)); };
    const std::pair<const char*, QByteArray> cases[] = {
        {"bit-flipped", flipped},
        {"zlib cut short", TTestSkin::ContainerOf(good.mid(8, (good.size() - 8) / 2))},
        {"bad picture", containerOf(badBmp)},
        {"bad rectangle", TTestSkin().Set(QStringLiteral("button"), QStringLiteral("skinrect"), QStringLiteral("1,2"))
                              .Container()},
        {"newer payload", containerOf(QByteArray("\x04\0\0\0", 4))},
        {"huge record count", TTestSkin().Set(QStringLiteral("SKINCONTROLS"), QStringLiteral("count"),
                                              QStringLiteral("2000000000"))
                                  .Container()},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        TqvSkinData model;
        TTestSkin().LoadInto(model);
        TqvCompressedStoredSkin stored;
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        stored.LoadFromCompressStream(&buffer);
        bool failed = false;
        try {
            model.LoadCompressedStoredSkin(stored);
        } catch (const std::exception& e) {
            failed = true;
            EXPECT_GT(std::strlen(e.what()), 5u) << "a message that says something";
        }
        EXPECT_TRUE(failed);
        EXPECT_TRUE(model.Empty);
        EXPECT_FALSE(model.ChangeSkinDataProcess);
        EXPECT_TRUE(model.CtrlList.empty());
        EXPECT_TRUE(model.ObjectList.empty());
        EXPECT_TRUE(model.FActivePictures.empty());
        EXPECT_TRUE(model.FPicture.isNull());
        EXPECT_EQ(model.GetControlIndex(QStringLiteral("button")), -1);
        // Still usable: a good skin loads after the failure.
        TTestSkin().LoadInto(model);
        EXPECT_FALSE(model.Empty);
        EXPECT_GE(model.GetControlIndex(QStringLiteral("button")), 0);
    }
}

TEST(SkinData, FilesThatAreNoSkinChangeNothingAndSayWhy)
{
    QTemporaryDir dir;
    TqvSkinData model;
    TTestSkin().LoadInto(model);
    const QString notSkin =
        TTestSkin().Without(QStringLiteral("SKINCONTROLS")).WriteFolder(dir.filePath(QStringLiteral("a")));
    EXPECT_THROW(model.LoadFromFile(notSkin), EqvSkinError);
    EXPECT_THROW(model.LoadFromFile(dir.filePath(QStringLiteral("missing.ini"))), EqvSkinError);
    EXPECT_FALSE(model.Empty) << "the current skin stays";
    EXPECT_EQ(model.CtrlList.size(), 28u);

    // Containers that cannot be read: the error comes before any change.
    const QByteArray good = TTestSkin().Container();
    QFile goodFile(dir.filePath(QStringLiteral("good.skn")));
    ASSERT_TRUE(goodFile.open(QIODevice::WriteOnly));
    goodFile.write(good);
    goodFile.close();
    QByteArray oversized = good;
    oversized[7] = char(0x40);
    for (const QByteArray& bytes : {QByteArray(), good.left(good.size() - 10), oversized}) {
        QFile skn(dir.filePath(QStringLiteral("bad.skn")));
        ASSERT_TRUE(skn.open(QIODevice::WriteOnly));
        skn.write(bytes);
        skn.close();
        TqvSkinData fresh;
        EXPECT_THROW(fresh.LoadFromCompressedFile(skn.fileName()), EqvSkinError) << bytes.size();
        EXPECT_TRUE(fresh.Empty);
        EXPECT_EQ(fresh.GetControlIndex(QStringLiteral("button")), -1);
        fresh.LoadFromCompressedFile(goodFile.fileName());
        EXPECT_FALSE(fresh.Empty) << "still usable";
    }

    // A folder whose picture is missing starts the change, so it ends empty.
    const QString noPicture = TTestSkin().WriteFolder(dir.filePath(QStringLiteral("b")));
    QFile::remove(dir.filePath(QStringLiteral("b/objects.bmp")));
    EXPECT_THROW(model.LoadFromFile(noPicture), EqvSkinError);
    EXPECT_TRUE(model.Empty);
    EXPECT_TRUE(model.CtrlList.empty());
}

TEST(SkinData, AnEmptyStoredSkinChangesNothing)
{
    TqvSkinData model;
    TTestSkin().LoadInto(model);
    TqvCompressedStoredSkin empty;
    model.LoadCompressedStoredSkin(empty);
    EXPECT_FALSE(model.Empty);
}

TEST(SkinData, PictureNamesStayInStepWithStoredPictures)
{
    TqvSkinData model;
    TTestSkin().Set(QStringLiteral("PICTURES"), QStringLiteral("activepicturescount"), QStringLiteral("5")).LoadInto(model);
    EXPECT_EQ(model.FActivePicturesNames.size(), 2);
    TTestSkin().Set(QStringLiteral("PICTURES"), QStringLiteral("activepicturescount"), QStringLiteral("1")).LoadInto(model);
    EXPECT_EQ(model.FActivePicturesNames, (QStringList{"controls.bmp", ""}));
}

TEST(SkinData, ClearingAndPictureEditing)
{
    QTemporaryDir dir;
    TqvSkinData model;
    TTestSkin().WithLayerFrame().LoadInto(model);
    EXPECT_EQ(model.LayerFrame.PictureIndex, 1);
    model.ClearSkin();
    EXPECT_TRUE(model.Empty);
    EXPECT_TRUE(model.CtrlList.empty());
    EXPECT_EQ(model.LayerFrame.PictureIndex, -1);
    EXPECT_EQ(model.SkinColors().cBtnFace(), TqvSkinColors::SystemColorRef(15));
    EXPECT_TRUE(model.FPictureName.isEmpty());

    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    SaveSkinBmpFile(image, dir.filePath(QStringLiteral("p.bmp")));
    model.AddBitMap(dir.filePath(QStringLiteral("p.bmp")));
    EXPECT_EQ(model.FActivePicturesNames, QStringList{"p.bmp"});
    EXPECT_EQ(model.FActivePictures.at(0), image);
    EXPECT_THROW(model.DeleteBitMap(1), EqvSkinError);
    model.DeleteBitMap(0);
    EXPECT_TRUE(model.FActivePictures.empty());
    EXPECT_TRUE(model.FActivePicturesNames.isEmpty());
}

}  // namespace

namespace {

TEST(SkinData, StoreToDiskWritesOnlyInsideItsFolder)
{
    QTemporaryDir dir;
    TqvSkinData model;
    TTestSkin().Set(QStringLiteral("PICTURES"), QStringLiteral("1"), QStringLiteral("../outside.bmp")).LoadInto(model);
    QDir().mkpath(dir.filePath(QStringLiteral("inner")));
    EXPECT_THROW(model.StoreToDisk(dir.filePath(QStringLiteral("inner/skin.ini"))), EqvSkinError);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("outside.bmp"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("inner/skin.ini"))));
}

}  // namespace
