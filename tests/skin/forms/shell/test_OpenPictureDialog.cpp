// The picture dialogs: the preview of what is selected (sizes, folders,
// unreadable files, metafiles), stretching, what one run leaves for the
// next, and the save dialog's names.
#include "skin/forms/shell/OpenPictureDialog.h"

#include "ShellFixture.h"
#include "DialogTestSupport.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/scrollbox/SkinScrollBox.h"
#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellFileControls.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"

#include <QDir>

namespace {

class PictureDialog : public ::testing::Test {
protected:
    ShellTree T;
    QString Pics;

    PictureDialog() {
        Pics = T.Home + "/Pictures";
        QDir().mkpath(Pics + "/album");
        Picture(40, 30).save(Pics + "/small.bmp");
        Picture(600, 500).save(Pics + "/large.bmp");
        ShellTree::Touch(Pics + "/broken.bmp", 64);
        ShellTree::Touch(Pics + "/drawing.wmf", 64);
    }
    static QImage Picture(int w, int h) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        return img;
    }
    static bool Run(TqvCustomOpenDialog& d, std::function<void(TqvOpenPictureDlgForm*)> action) {
        Queue([&d, action] {
            auto* f = qobject_cast<TqvOpenPictureDlgForm*>(d.Form());
            ASSERT_TRUE(f && f->isVisible());
            action(f);
            if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
        });
        return d.Execute();
    }
    static void Select(TqvOpenPictureDlgForm* f, const QString& name) {
        for (int i = 0; i < f->FileListView->FolderCount(); ++i)
            if (f->FileListView->Folders(i)->DisplayName() == name) {
                f->FileListView->SetItemIndex(i);
                return;
            }
        ADD_FAILURE() << "no row " << name.toStdString();
    }
    static QSize ImageSize(TqvOpenPictureDlgForm* f) { return QSize(f->Image->Width(), f->Image->Height()); }
};

TEST_F(PictureDialog, PreviewFollowsTheSelection) {
    TqvSkinOpenPictureDialog d;
    d.Filter = "All|*.*";
    d.FileName = Pics + "/";
    struct Seen {
        QString Edit;
        QSize Size;
        bool Bars = false;
    };
    Seen small, large, folder, meta, broken;
    QString message;
    bool open = false;
    Run(d, [&](TqvOpenPictureDlgForm* f) {
        auto look = [f] {
            return Seen{f->FileNameEdit->Text(), ImageSize(f),
                        f->SBVScrollBar->Visible() || f->SBHScrollBar->Visible()};
        };
        Select(f, "small.bmp");
        small = look();
        Select(f, "large.bmp");
        large = look();
        Select(f, "album");
        folder = look();
        Select(f, "drawing.wmf");
        meta = look();
        AnswerNextBox(&message);
        Select(f, "broken.bmp");
        broken = look();
        open = f->isVisible() && f->ModalResult() == mrNone;
    });
    EXPECT_EQ(small.Edit, "small.bmp");
    EXPECT_EQ(small.Size, QSize(40, 30));
    EXPECT_FALSE(small.Bars);
    EXPECT_EQ(large.Size, QSize(600, 500));
    EXPECT_TRUE(large.Bars) << "a large picture scrolls";
    EXPECT_EQ(folder.Edit, "");
    EXPECT_EQ(folder.Size, QSize(0, 0));
    EXPECT_EQ(meta.Edit, "drawing.wmf");
    EXPECT_EQ(meta.Size, QSize(0, 0));
    EXPECT_TRUE(message.contains(Pics + "/broken.bmp")) << message.toStdString();
    EXPECT_EQ(broken.Size, QSize(0, 0));
    EXPECT_TRUE(open);
}

TEST_F(PictureDialog, StretchFillsThePreviewAndWidthAndStretchCarryOver) {
    TqvSkinOpenPictureDialog d;
    d.FileName = Pics + "/large.bmp";
    QSize fitted, filled, refilled, client;
    Run(d, [&](TqvOpenPictureDlgForm* f) {
        EXPECT_EQ(f->ImagePanel->Width(), 190);
        fitted = ImageSize(f);
        f->StretchButton->SetDown(true);
        f->StretchButtonClick(f->StretchButton);
        filled = ImageSize(f);
        f->ImagePanel->SetWidth(250);
        QCoreApplication::processEvents();
        refilled = ImageSize(f);
        client = QSize(f->ScrollBox->ClientWidth(), f->ScrollBox->ClientHeight());
    });
    EXPECT_EQ(fitted, QSize(600, 500)) << "FileName is previewed at the start";
    EXPECT_TRUE(filled.width() < 190 && filled.height() > 0);
    EXPECT_EQ(refilled, client) << "a wider panel is still filled";
    EXPECT_TRUE(d.DialogStretch());
    EXPECT_EQ(d.ImagePanelWidth(), 250);
    bool down = false, stretched = false;
    int width = 0;
    Run(d, [&](TqvOpenPictureDlgForm* f) {
        down = f->StretchButton->Down();
        stretched = f->Image->Stretch() && f->Image->Align() == alClient;
        width = f->ImagePanel->Width();
    });
    EXPECT_TRUE(down);
    EXPECT_TRUE(stretched);
    EXPECT_EQ(width, 250);
}

TEST_F(PictureDialog, SaveDialogNamesAndCaption) {
    TqvSkinSavePictureDialog d;
    d.Filter = "Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg";
    d.FileName = Pics + "/";
    QString caption, button, afterFilter;
    int filters = 0;
    EXPECT_TRUE(Run(d, [&](TqvOpenPictureDlgForm* f) {
        caption = f->Caption();
        button = f->OpenButton->Caption();
        filters = f->FilterComboBox->Items().Count();
        f->FileNameEdit->SetText("shot");
        f->FilterComboBox->SetItemIndex(1);
        f->FCBChange(f->FilterComboBox);
        afterFilter = f->FileNameEdit->Text();
        f->FileNameEdit->SetText("snapshot");
        ClickAt(f->OpenButton);
    }));
    EXPECT_EQ(caption, "Save file");
    EXPECT_EQ(button, "&Save");
    EXPECT_EQ(filters, 2);
    EXPECT_EQ(afterFilter, "shot.jpg");
    EXPECT_EQ(d.FileName, Pics + "/snapshot.jpg");
    EXPECT_EQ(d.FilterIndex, 2);
}

TEST_F(PictureDialog, AnUnreadableStartPictureFailsTheRunAfterOnClose) {
    TqvSkinOpenPictureDialog d;
    d.FileName = Pics + "/broken.bmp";
    int closes = 0;
    d.OnClose = [&](QObject*) { ++closes; };
    EXPECT_THROW(d.Execute(), EInvalidGraphic);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(d.Form(), nullptr);
    EXPECT_EQ(OpenForm<TqvOpenPictureDlgForm>(), nullptr);
}

}  // namespace
