// The eleven stored skins: they load from the embedded list, hold every
// record the program looks up, survive the writers and are reproducible.
#include "resources/skins/StoredSkins.h"
#include "tests/skin/stored/StoredSkinChecks.h"
#include "tests/skin/support/TestSkin.h"
#include "tools/skingen/SkinGen.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <typeinfo>

namespace {

// One embedded list for the whole test program.
TqvCompressedSkinList& List()
{
    static TqvCompressedSkinList* list = [] {
        auto* l = new TqvCompressedSkinList;
        LoadStoredSkins(*l);
        return l;
    }();
    return *list;
}

// A model that loaded skin `index` from the list the way the program does.
std::unique_ptr<TqvSkinData> Loaded(int index)
{
    auto skin = std::make_unique<TqvSkinData>();
    skin->SetSkinIndex(-1);
    skin->SetSkinList(&List());
    skin->SetSkinIndex(index);
    return skin;
}

class StoredSkin : public ::testing::TestWithParam<int> {};

std::string SkinName(const ::testing::TestParamInfo<int>& info)
{
    return "Skin" + std::to_string(info.param);
}

struct TExpectedRecord {
    const char* Name;
    const std::type_info& Class;
};

const TExpectedRecord kControls[] = {
    {"button", typeid(TqvDataSkinButtonControl)},         {"resizebutton", typeid(TqvDataSkinButtonControl)},
    {"resizetoolbutton", typeid(TqvDataSkinButtonControl)}, {"toolbutton", typeid(TqvDataSkinButtonControl)},
    {"toolmenubutton", typeid(TqvDataSkinMenuButtonControl)}, {"panel", typeid(TqvDataSkinPanelControl)},
    {"groupbox", typeid(TqvDataSkinPanelControl)},        {"resizetoolpanel", typeid(TqvDataSkinPanelControl)},
    {"toolpanel", typeid(TqvDataSkinPanelControl)},       {"listview", typeid(TqvDataSkinListView)},
    {"treeview", typeid(TqvDataSkinTreeView)},            {"hscrollbar", typeid(TqvDataSkinScrollBarControl)},
    {"vscrollbar", typeid(TqvDataSkinScrollBarControl)},  {"bothhscrollbar", typeid(TqvDataSkinScrollBarControl)},
    {"edit", typeid(TqvDataSkinEditControl)},             {"combobox", typeid(TqvDataSkinComboBox)},
    {"listbox", typeid(TqvDataSkinListBox)},              {"checkbox", typeid(TqvDataSkinCheckRadioControl)},
    {"radiobox", typeid(TqvDataSkinCheckRadioControl)},   {"stdlabel", typeid(TqvDataSkinStdLabelControl)},
    {"label", typeid(TqvDataSkinLabelControl)},           {"menuheader", typeid(TqvDataSkinLabelControl)},
    {"slider", typeid(TqvDataSkinSlider)},                {"mainmenubar", typeid(TqvDataSkinMainMenuBar)},
    {"tab", typeid(TqvDataSkinTabControl)},               {"hupdown", typeid(TqvDataSkinUpDownControl)},
    {"vupdown", typeid(TqvDataSkinUpDownControl)},        {"hsplitter", typeid(TqvDataSkinSplitterControl)},
    {"vsplitter", typeid(TqvDataSkinSplitterControl)},    {"scrollbox", typeid(TqvDataSkinScrollBoxControl)},
    {"bevel", typeid(TqvDataSkinBevel)},
};

TEST(StoredSkinList, HoldsTheElevenSkinsByNameInOrder)
{
    const char* names[] = {"OFFICE2007蓝色", "金属光泽", "银色天地", "Mac风格", "条纹色调", "纹理风格",
                           "Sorvend效果", "绿色世界", "深蓝色彩", "OFFICE2007", "Vista皮肤"};
    ASSERT_EQ(List().Skins().Count(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(List().Skins().GetItem(i)->Name(), QString::fromUtf8(names[i])) << i;
        EXPECT_FALSE(List().Skins().GetItem(i)->Skin()->Empty()) << i;
    }
    EXPECT_EQ(kFirstStartSkinIndex, 1);
}

TEST_P(StoredSkin, LoadsWithEveryRecordOfItsExpectedClass)
{
    const auto skin = Loaded(GetParam());
    ASSERT_FALSE(skin->Empty);
    EXPECT_EQ(skin->SkinIndex(), GetParam());
    EXPECT_EQ(skin->SkinName, List().Skins().GetItem(GetParam())->Name());
    for (const TExpectedRecord& e : kControls) {
        const int i = skin->GetControlIndex(QString::fromLatin1(e.Name));
        ASSERT_GE(i, 0) << e.Name;
        const auto& rec = *skin->CtrlList[std::size_t(i)];
        EXPECT_EQ(typeid(rec), e.Class) << e.Name;
    }
    auto combo = dynamic_cast<const TqvDataSkinComboBox*>(skin->CtrlList[std::size_t(skin->GetControlIndex("combobox"))].get());
    EXPECT_EQ(combo->ListBoxName, QStringLiteral("listbox"));
    auto bar = dynamic_cast<const TqvDataSkinMainMenuBar*>(skin->CtrlList[std::size_t(skin->GetControlIndex("mainmenubar"))].get());
    EXPECT_EQ(bar->MenuBarItem, QStringLiteral("mainmenubaritem"));
    auto menuButton = dynamic_cast<const TqvDataSkinMenuButtonControl*>(
        skin->CtrlList[std::size_t(skin->GetControlIndex("toolmenubutton"))].get());
    EXPECT_GT(menuButton->TrackButtonRect.Width(), 0);
    auto group = dynamic_cast<const TqvDataSkinPanelControl*>(skin->CtrlList[std::size_t(skin->GetControlIndex("groupbox"))].get());
    EXPECT_GT(group->CaptionRect.Width(), 0);

    auto object = [&](const char* name) -> const TqvDataSkinObject* {
        const int i = skin->GetIndex(QString::fromLatin1(name));
        return i < 0 ? nullptr : skin->ObjectList[std::size_t(i)].get();
    };
    ASSERT_NE(object("caption"), nullptr);
    EXPECT_EQ(typeid(*object("caption")), typeid(TqvDataSkinCaption));
    ASSERT_NE(object("menuitem"), nullptr);
    EXPECT_EQ(typeid(*object("menuitem")), typeid(TqvDataSkinMenuItem));
    ASSERT_NE(object("mainmenubaritem"), nullptr);
    EXPECT_EQ(typeid(*object("mainmenubaritem")), typeid(TqvDataSkinMainMenuBarItem));
    for (TqvStdCommand cmd : {cmClose, cmMinimize, cmMaximize, cmRollUp, cmSysMenu}) {
        const TqvDataSkinStdButton* found = nullptr;
        for (const auto& o : skin->ObjectList)
            if (auto* b = dynamic_cast<const TqvDataSkinStdButton*>(o.get()); b && b->Command == cmd)
                found = b;
        ASSERT_NE(found, nullptr) << "command " << cmd;
        EXPECT_EQ(typeid(*found), typeid(TqvDataSkinStdButton));
        EXPECT_TRUE(found->SkinRectInAPicture);
        if (cmd == cmMaximize || cmd == cmRollUp) {
            EXPECT_GT(found->RestoreRect.Width(), 0) << "command " << cmd;
        }
    }

    EXPECT_FALSE(skin->FPicture.isNull());
    EXPECT_TRUE(!skin->FInActivePicture.isNull() || skin->AutoRenderingInActiveImage);
    EXPECT_EQ(skin->FMask.isNull(), SkinThemes()[std::size_t(GetParam())].Radius == 0) << "a mask where corners are round";
    EXPECT_GT(skin->ClRect.Width(), 0);
    EXPECT_GT(skin->CaptionRect.Width(), 0);
    EXPECT_GT(skin->ButtonsRect.Width(), 0);
    EXPECT_GE(skin->PopupWindow.WindowPictureIndex, 0);
    EXPECT_GT(skin->PopupWindow.ItemsRect.Width(), 0);
    EXPECT_GE(skin->HintWindow.WindowPictureIndex, 0);
    EXPECT_EQ(skin->LayerFrame.PictureIndex, -1) << "no layered border";
    const TqvSkinColors& c = skin->SkinColors();
    for (TColor col : {c.cBtnFace(), c.cBtnText(), c.cWindow(), c.cWindowText(), c.cHighLight(), c.cHighLightText(),
                       c.cBtnHighLight(), c.cBtnShadow()})
        EXPECT_EQ(col & 0xFF000000, 0) << "a colour of its own, not a system colour";
}

TEST_P(StoredSkin, SurvivesTheWritersAsFileAndFolder)
{
    const auto skin = Loaded(GetParam());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    skin->SaveToCompressedFile(dir.filePath("again.skn"));
    TqvSkinData again;
    again.LoadFromCompressedFile(dir.filePath("again.skn"));
    EXPECT_TRUE(SameSkin(*skin, again));

    ASSERT_TRUE(QDir().mkpath(dir.filePath("folder")));
    skin->StoreToDisk(dir.filePath("folder/skin.ini"));
    TqvSkinData folder;
    folder.LoadFromFile(dir.filePath("folder/skin.ini"));
    EXPECT_TRUE(SameSkin(*skin, folder));
}

TEST_P(StoredSkin, RecordsStayInsideTheirPictures)
{
    const auto skin = Loaded(GetParam());
    for (const TRecordView& v : RecordViews(*skin)) {
        SCOPED_TRACE(v.Name.toStdString());
        if (!v.Picture) {
            EXPECT_TRUE(v.Rects.empty() || v.SkinRect.Width() == 0);
            continue;
        }
        const TRect pic = Rect(0, 0, v.Picture->width(), v.Picture->height());
        auto inside = [](TRect r, TRect in) {
            return r.Left >= in.Left && r.Top >= in.Top && r.Right <= in.Right && r.Bottom <= in.Bottom &&
                   r.Width() > 0 && r.Height() > 0;
        };
        // A slider keeps its pictures in rects of their own and has no skin rectangle.
        if (v.SkinRect != TRect{}) {
            EXPECT_TRUE(inside(v.SkinRect, pic)) << "skin rect outside its picture";
        }
        for (const TRecordRect& r : v.Rects) {
            SCOPED_TRACE(r.Field.toStdString());
            if (r.Rect == TRect{})
                continue;  // not set: the consumer falls back
            if (r.Use == TRectUse::Relative)
                EXPECT_TRUE(inside(r.Rect, Rect(0, 0, v.SkinRect.Width(), v.SkinRect.Height())));
            else
                EXPECT_TRUE(inside(r.Rect, pic));
            if (r.Use == TRectUse::State) {
                EXPECT_EQ(r.Rect.Width(), v.SkinRect.Width());
                EXPECT_EQ(r.Rect.Height(), v.SkinRect.Height());
            }
        }
        for (const TTextArea& t : v.Texts)
            EXPECT_GE(t.Area.Height(), LineHeight(t.FontName, t.FontHeight)) << t.What.toStdString() << ": text rect lower than a line";
    }
    // Corner points in order inside the skin rectangle, by how each record resizes.
    for (const auto& rec : skin->CtrlList) {
        auto* c = dynamic_cast<const TqvDataSkinCustomControl*>(rec.get());
        if (!c)
            continue;
        SCOPED_TRACE(c->IDName.toStdString());
        const int sw = c->SkinRect.Width(), sh = c->SkinRect.Height();
        if (c->RBPoint.X && c->RBPoint.Y) {
            EXPECT_TRUE(0 <= c->LTPoint.X && c->LTPoint.X <= c->RTPoint.X && c->RTPoint.X <= sw);
            EXPECT_TRUE(0 <= c->LBPoint.X && c->LBPoint.X <= c->RBPoint.X && c->RBPoint.X <= sw);
            EXPECT_TRUE(0 <= c->LTPoint.Y && c->LTPoint.Y <= c->LBPoint.Y && c->LBPoint.Y <= sh);
            EXPECT_TRUE(0 <= c->RTPoint.Y && c->RTPoint.Y <= c->RBPoint.Y && c->RBPoint.Y <= sh);
        } else if (c->RTPoint.X || c->RTPoint.Y) {
            EXPECT_TRUE(0 <= c->LTPoint.X && c->LTPoint.X < c->RTPoint.X && c->RTPoint.X <= sw);
        } else if (c->LBPoint.X || c->LBPoint.Y) {
            EXPECT_TRUE(0 <= c->LTPoint.Y && c->LTPoint.Y < c->LBPoint.Y && c->LBPoint.Y <= sh);
        }
    }
    // Every picture index a record names exists.
    const int pictures = int(skin->FActivePictures.size());
    for (const auto& rec : skin->CtrlList) {
        EXPECT_LT(rec->PictureIndex, pictures) << rec->IDName.toStdString();
        EXPECT_LT(rec->MaskPictureIndex, pictures) << rec->IDName.toStdString();
    }
    // The caption lies on the frame pictures; every other object has a picture of its own.
    for (const auto& o : skin->ObjectList)
        if (!dynamic_cast<const TqvDataSkinCaption*>(o.get())) {
            EXPECT_TRUE(o->ActivePictureIndex >= 0 && o->ActivePictureIndex < pictures) << o->IDName.toStdString();
        }
}

INSTANTIATE_TEST_SUITE_P(All, StoredSkin, ::testing::Range(0, kStoredSkinCount), SkinName);

QByteArray ReadAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(StoredSkinGenerator, TwoRunsWriteTheSameBytesAsTheEmbeddedSkins)
{
    QTemporaryDir a, b;
    ASSERT_TRUE(a.isValid() && b.isValid());
    WriteStoredSkins(a.path(), true);
    WriteStoredSkins(b.path(), true);
    int files = 0;
    for (QDirIterator it(a.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString file = it.next();
        const QString rel = QDir(a.path()).relativeFilePath(file);
        const QByteArray bytes = ReadAll(file);
        EXPECT_FALSE(bytes.isEmpty()) << rel.toStdString();
        EXPECT_EQ(bytes, ReadAll(b.filePath(rel))) << rel.toStdString();
        ++files;
    }
    EXPECT_GE(files, 11 * 8);
    // The build ran the generator in another process: its output is the same.
    for (int i = 0; i < kStoredSkinCount; ++i)
        EXPECT_EQ(ReadAll(a.filePath(StoredSkinFileName(i))), ReadAll(QStringLiteral(":/skins/") + StoredSkinFileName(i))) << i;
}

}  // namespace
