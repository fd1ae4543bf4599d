// The select-skin dialog over the program's stored skins and over stored
// skins placed on an owner: rows, the live preview on its own model while the
// application's model stays, the ways the window ends, and its size.
#include "skin/forms/shell/SelectSkinDialog.h"

#include "DialogTestSupport.h"
#include "resources/skins/StoredSkins.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/forms/Velmora.h"
#include "tests/skin/support/TestSkin.h"

namespace {

class SelectSkinDialog : public ::testing::Test {
protected:
    TqvCompressedSkinList List;
    TqvSkinData App;  // the application's model
    TqvSelectSkinDialog D;

    SelectSkinDialog() {
        LoadStoredSkins(List);
        App.SetSkinIndex(1);
        App.SetSkinList(&List);
        D.SetSkinList(&List);
        D.SetSkinData(&App);
        D.SetCtrlSkinData(&App);
    }
    bool Run(int index, std::function<void(TqvSelectSkinDlgForm*)> action) {
        Queue([this, action] {
            TqvSelectSkinDlgForm* f = D.Form();
            ASSERT_TRUE(f && f->isVisible());
            action(f);
        });
        return D.Execute(index);
    }
};

TEST_F(SelectSkinDialog, RowsAndALivePreviewWhileTheApplicationKeepsItsSkin) {
    const QString appSkin = App.SkinName;
    QStringList rows;
    int startRow = -1;
    QString firstPreview, secondPreview;
    bool previewMode = false, enabled = true;
    EXPECT_TRUE(Run(3, [&](TqvSelectSkinDlgForm* f) {
        for (int i = 0; i < f->SkinsListBox->Items().Count(); ++i) rows << f->SkinsListBox->Items()[i];
        startRow = f->SkinsListBox->ItemIndex();
        firstPreview = f->PreviewSkinData->SkinName;
        previewMode = f->PreviewBSF->PreviewMode;
        enabled = f->PreviewForm->Enabled();
        f->SkinsListBox->SetItemIndex(5);
        f->SkinsListBox->OnListBoxClick(f->SkinsListBox);
        secondPreview = f->PreviewSkinData->SkinName;
        EXPECT_EQ(f->PreviewButton->SkinData(), f->PreviewSkinData);
        f->SkinsListBox->OnListBoxDblClick(f->SkinsListBox);
    }));
    ASSERT_EQ(rows.size(), List.Skins().Count());
    for (int i = 0; i < List.Skins().Count(); ++i) {
        const TqvSkinListItem* item = List.Skins().GetItem(i);
        EXPECT_EQ(rows[i], item->Description().isEmpty() ? item->Name() : item->Description());
    }
    EXPECT_EQ(startRow, 3);
    EXPECT_TRUE(previewMode);
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(firstPreview.isEmpty());
    EXPECT_NE(firstPreview, secondPreview);
    EXPECT_EQ(D.SelectedSkinIndex(), 5) << "a double click answers with its row";
    EXPECT_EQ(App.SkinIndex(), 1);
    EXPECT_EQ(App.SkinName, appSkin);
}

TEST_F(SelectSkinDialog, OkWithoutAClickReturnsTheStartIndexEvenOutOfRange) {
    for (int start : {4, 20}) {
        bool empty = false;
        EXPECT_TRUE(Run(start, [&](TqvSelectSkinDlgForm* f) {
            empty = f->PreviewSkinData->Empty;
            ClickAt(f->OpenButton);
        }));
        EXPECT_EQ(empty, start >= List.Skins().Count()) << start;
        EXPECT_EQ(D.SelectedSkinIndex(), start);
    }
}

TEST_F(SelectSkinDialog, CancelEscapeAndCloseAnswerNo) {
    const std::function<void(TqvSelectSkinDlgForm*)> ways[] = {
        [](TqvSelectSkinDlgForm* f) { ClickAt(f->CancelButton); },
        [](TqvSelectSkinDlgForm* f) {
            QApplication::setActiveWindow(f);
            PressKey(QApplication::focusWidget() ? QApplication::focusWidget() : f, Qt::Key_Escape);
        },
        [](TqvSelectSkinDlgForm* f) { f->Close(); },
    };
    for (const auto& way : ways) {
        Run(2, [](TqvSelectSkinDlgForm* f) { ClickAt(f->OpenButton); });
        ASSERT_EQ(D.SelectedSkinIndex(), 2);
        EXPECT_FALSE(Run(2, [&](TqvSelectSkinDlgForm* f) {
            f->SkinsListBox->SetItemIndex(6);
            f->SLBOnChange(f->SkinsListBox);
            way(f);
        }));
        EXPECT_EQ(D.SelectedSkinIndex(), -1);
    }
}

TEST_F(SelectSkinDialog, WithoutAListNothingIsShown) {
    Run(2, [](TqvSelectSkinDlgForm* f) { ClickAt(f->OpenButton); });
    D.SetSkinList(nullptr);
    EXPECT_FALSE(D.Execute(2));
    EXPECT_EQ(D.Form(), nullptr);
    EXPECT_EQ(D.SelectedSkinIndex(), 2);
}

TEST_F(SelectSkinDialog, SizeFromTheFrameSkinsMinimum) {
    TTestSkin big;
    big.Set("FORMINFO", "formminwidth", "500");
    TqvSkinData bigModel;
    big.LoadInto(bigModel);
    const struct {
        TqvSkinData* Skin;
        int MinWidth;
    } rows[] = {{nullptr, 420}, {&bigModel, 500}};
    for (const auto& r : rows) {
        D.SetSkinData(r.Skin);
        QSize size;
        Run(0, [&](TqvSelectSkinDlgForm* f) {
            size = QSize(f->ClientWidth(), f->ClientHeight());
            f->SetModalResult(mrCancel);
        });
        EXPECT_EQ(size.width(), r.MinWidth);
        EXPECT_GE(size.height(), 240);
        if (!r.Skin) {
            EXPECT_EQ(size.height(), 240);
        }
    }
}

TEST(SelectSkinDialogOwner, StoredSkinsOfTheOwnerFormInComponentOrder) {
    TComponent owner;
    TTestSkin a, b;
    b.Named("Second");
    auto* first = new TqvCompressedStoredSkin(&owner);
    first->SetName("qvFirst");
    a.StoreInto(*first);
    auto* second = new TqvCompressedStoredSkin(&owner);
    second->SetName("qvSecond");
    second->SetDescription("The second skin");
    b.StoreInto(*second);
    TqvSelectSkinDialog d(&owner);
    TqvCompressedStoredSkin stranger;

    const struct Row {
        TqvCompressedStoredSkin* Default;
        int StartRow;
        TqvCompressedStoredSkin* Chosen;
    } rows[] = {{second, 1, second}, {&stranger, 0, first}};
    for (const Row& r : rows) {
        QStringList names;
        int start = -1;
        Queue([&] {
            TqvSelectSkinDlgForm* f = d.Form();
            ASSERT_TRUE(f);
            for (int i = 0; i < f->SkinsListBox->Items().Count(); ++i) names << f->SkinsListBox->Items()[i];
            start = f->SkinsListBox->ItemIndex();
            ClickAt(f->OpenButton);
        });
        EXPECT_TRUE(d.Execute(r.Default));
        EXPECT_EQ(names, (QStringList{"qvFirst", "The second skin"}));
        EXPECT_EQ(start, r.StartRow);
        EXPECT_EQ(d.SelectedSkin(), r.Chosen);
        EXPECT_EQ(d.SelectedSkinIndex(), -1) << "owner mode leaves the index";
    }
    // An owner without stored skins offers nothing.
    TComponent bare;
    TqvSelectSkinDialog none(&bare);
    Queue([&] { ClickAt(none.Form()->OpenButton); });
    EXPECT_FALSE(none.Execute(static_cast<TqvCompressedStoredSkin*>(nullptr)));
    EXPECT_EQ(none.SelectedSkin(), nullptr);
}

}  // namespace

TEST_F(SelectSkinDialog, OpensWithTheListFocusedForTheArrowKeys) {
    int afterDown = -1, afterUps = -1;
    int previewAfterDown = -1;
    EXPECT_TRUE(Run(3, [&](TqvSelectSkinDlgForm* f) {
        QApplication::setActiveWindow(f);
        // Keys go where the focus is (the form itself when nothing has it).
        const auto focus = [f]() -> QWidget* {
            QWidget* w = QApplication::focusWidget();
            return w ? w : f;
        };
        EXPECT_TRUE(f->SkinsListBox->ListBox()->isAncestorOf(focus()) || focus() == f->SkinsListBox->ListBox());
        PressKey(focus(), Qt::Key_Down);
        afterDown = f->SkinsListBox->ItemIndex();
        previewAfterDown = f->PreviewSkinData->SkinIndex();
        PressKey(focus(), Qt::Key_Up);
        PressKey(focus(), Qt::Key_Up);
        afterUps = f->SkinsListBox->ItemIndex();
        PressKey(focus(), Qt::Key_Return);
        if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);  // Return failed: end without an answer
    }));
    EXPECT_EQ(afterDown, 4);
    EXPECT_EQ(previewAfterDown, 4) << "the preview follows the keys";
    EXPECT_EQ(afterUps, 2);
    EXPECT_EQ(D.SelectedSkinIndex(), 2) << "Return confirms the row the keys reached";
}
