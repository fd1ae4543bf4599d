// Lists and combo boxes: the office combo box in its normal, hot, pressed,
// disabled and focused states, plain and as a tool button, the office list,
// and each combo open over a form (the drop-down is a window of its own, so
// it is drawn over the form's picture where it lies on the screen).
#include "tools/gallery/GalleryHost.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/ImgList.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/panels/SkinPanel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QListWidget>
#include <QMouseEvent>

#include <memory>

namespace {

using namespace gallery;

// Small coloured squares as item images.
std::unique_ptr<TCustomImageList> Images() {
    auto list = std::make_unique<TCustomImageList>();
    list->SetSize(16, 16);
    const QColor colours[] = {QColor(200, 60, 60), QColor(60, 150, 60), QColor(60, 90, 200), QColor(200, 160, 40)};
    for (const QColor& c : colours) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(c);
        list->Add(img);
    }
    return list;
}

void FillOffice(TqvSkinCustomOfficeComboBox* box, bool titles) {
    const char* names[][2] = {{"视频 Video", "MP4, AVI, MKV"}, {"音频 Audio", "MP3, AAC, WAV"},
                              {"设备 Devices", "Phone, tablet"}, {"网页 Web", "WebM, FLV"}};
    box->Items().Clear();
    if (titles) {
        TqvSkinOfficeItem* h = box->Items().Add();
        h->SetCaption(QStringLiteral("分组 Group"));
        h->SetHeader(true);
    }
    for (int i = 0; i < 4; ++i) {
        TqvSkinOfficeItem* it = box->Items().Add();
        if (titles) it->SetTitle(QString::fromUtf8(names[i][0]));
        it->SetCaption(titles ? QString::fromUtf8(names[i][1]) : QString::fromUtf8(names[i][0]));
        it->SetImageIndex(titles ? -1 : i);
    }
    box->SetItemIndex(titles ? 1 : 0);
}

void SetState(TqvSkinCustomOfficeComboBox* box, int i) {
    if (i == 1 || i == 2) {
        SendEnter(box);
        Move(box, box->FaceButton().R.ToQRect().center());
    }
    if (i == 2) box->DropDown();
    if (i == 3) box->SetEnabled(false);
    if (i == 4) box->setFocus();
}

void OfficeCombos(TGallerySheet& sheet) {
    auto images = Images();
    for (int tool = 0; tool < 2; ++tool) {
        for (int i = 0; i < 5; ++i) {
            TPanelHost host(sheet, 190, tool ? 67 : 49, {40, 40});
            auto* box = host.Make<TqvSkinOfficeComboBox>();
            box->SetImages(images.get());
            box->SetToolButtonStyle(tool == 1);
            box->SetBounds(8, 8, 170, tool ? 51 : 33);
            FillOffice(box, tool == 0);
            SetState(box, i);
            sheet.Place(host.Shot(), QStringLiteral("%1 %2").arg(tool ? "office tool" : "office", kStates[i]));
            box->CloseUp(false);
        }
        sheet.NewRow();
    }
}

void OfficeOpen(TGallerySheet& sheet) {
    auto images = Images();
    for (int tool = 0; tool < 2; ++tool) {
        TPanelHost host(sheet, 260, 330, {40, 40});
        auto* box = host.Make<TqvSkinOfficeComboBox>();
        box->SetImages(images.get());
        box->SetToolButtonStyle(tool == 1);
        box->SetBounds(40, 8, 200, 51);
        box->SetDropDownCount(4);
        if (tool) {
            box->SetListBoxItemHeight(50);
            box->SetListBoxShowItemTitles(false);
            box->SetListBoxSkinDataName(QStringLiteral("resizetoolpanel"));
        } else {
            box->SetListBoxItemHeight(60);
            box->SetListBoxShowLines(true);
        }
        FillOffice(box, tool == 0);
        box->DropDown();
        Move(box->ListBox(), QPoint(30, box->ListBox()->Height() - 20));
        sheet.Place(host.Shot(box->ListBox()->Window()), tool ? QStringLiteral("office tool open")
                                                                : QStringLiteral("office open, titles and lines"));
        box->CloseUp(false);
    }
}

const char* const kNames[] = {"视频 Video", "音频 Audio", "设备 Devices", "网页 Web", "图片 Pictures",
                              "字幕 Subtitles", "光盘 Disc", "其他 Other"};

void FillStrings(TStrings& items) {
    for (const char* n : kNames) items.Add(QString::fromUtf8(n));
}

void Lists(TGallerySheet& sheet) {
    for (int i = 0; i < 5; ++i) {
        TPanelHost host(sheet, 150, 120, {40, 40});
        auto* list = host.Make<TqvSkinListBox>();
        list->SetBounds(8, 8, 134, 104);
        FillStrings(list->Items());
        list->SetItemIndex(1);
        if (i == 1 || i == 2) {
            SendEnter(list->ListBox()->Widget()->viewport());
            Move(list->ListBox()->Widget()->viewport(), QPoint(20, 50));
        }
        if (i == 2) list->ScrollBar() ? list->ScrollBar()->SetPosition(2) : void();
        if (i == 3) list->SetEnabled(false);
        if (i == 4) list->ListBox()->Widget()->setFocus();
        sheet.Place(host.Shot(), QStringLiteral("list box %1").arg(kStates[i]));
    }
    sheet.NewRow();
}

void SetComboState(TqvSkinCustomComboBox* box, int i) {
    if (i == 1 || i == 2) {
        SendEnter(box);
        Move(box, box->FaceButton().R.ToQRect().center());
    }
    if (i == 2) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(box->FaceButton().R.ToQRect().center()),
                      box->mapToGlobal(QPointF(box->FaceButton().R.ToQRect().center())), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &e);
        box->CloseUp(false);
    }
    if (i == 3) box->SetEnabled(false);
    if (i == 4) box->setFocus();
}

void Combos(TGallerySheet& sheet) {
    for (int look = 0; look < 3; ++look) {
        for (int i = 0; i < 5; ++i) {
            TPanelHost host(sheet, 170, look == 2 ? 44 : 38, {40, 40});
            auto* box = host.Make<TqvSkinComboBox>();
            if (look == 1) box->SetStyle(qvcbEditStyle);
            if (look == 2) box->SetToolButtonStyle(true);
            box->SetBounds(8, 8, 154, look == 2 ? 28 : 22);
            FillStrings(box->Items());
            box->SetItemIndex(0);
            SetComboState(box, i);
            const char* names[] = {"combo", "combo edit", "combo tool"};
            sheet.Place(host.Shot(), QStringLiteral("%1 %2").arg(names[look], kStates[i]));
        }
        sheet.NewRow();
    }
}

void CombosOpen(TGallerySheet& sheet) {
    for (int look = 0; look < 2; ++look) {
        TPanelHost host(sheet, 200, 240, {40, 40});
        auto* box = host.Make<TqvSkinComboBox>();
        if (look == 1) box->SetStyle(qvcbEditStyle);
        box->SetBounds(20, 8, 160, 22);
        FillStrings(box->Items());
        box->SetItemIndex(2);
        box->setFocus();
        box->DropDown();
        Move(box->ListBox()->ListBox()->Widget()->viewport(), QPoint(20, 70));
        sheet.Place(host.Shot(box->ListBox()->Window()), look ? QStringLiteral("combo edit open")
                                                              : QStringLiteral("combo open, row under the pointer"));
        box->CloseUp(false);
    }
    sheet.NewRow();
}

}  // namespace

void DrawControls2Section(TGallerySheet& sheet) {
    OfficeCombos(sheet);
    OfficeOpen(sheet);
    sheet.NewRow();
    Lists(sheet);
    Combos(sheet);
    CombosOpen(sheet);
}
