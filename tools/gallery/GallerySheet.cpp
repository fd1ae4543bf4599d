#include "tools/gallery/GallerySheet.h"

#include "platform/Graphics.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>

const QString kGallerySample = QStringLiteral("确定 打开文件 Open");

namespace {
constexpr int kSheetW = 1180, kMargin = 16, kGap = 14, kLabelH = 16;
constexpr QRgb kSheetBg = 0xFFFAFAFA;

// Marked for the next placed picture.
struct TPending {
    QRect R;
    QString Name;
    TGallerySheet::TRegionKind Kind;
};
std::vector<TPending>& PendingRegions() {
    static std::vector<TPending> pending;
    return pending;
}
const char* KindName(TGallerySheet::TRegionKind kind) {
    switch (kind) {
    case TGallerySheet::TRegionKind::Caption: return "caption";
    case TGallerySheet::TRegionKind::Control: return "control";
    case TGallerySheet::TRegionKind::Text: break;
    }
    return "text";
}
}  // namespace

void TGallerySheet::MarkTextRegion(const QRect& r, const QString& name, TRegionKind kind)
{
    if (r.width() > 0 && r.height() > 0) PendingRegions().push_back({r, name, kind});
}

bool TGallerySheet::WriteTextRegions(const QString& file) const
{
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
    QTextStream out(&f);
    for (const TTextRegion& t : FRegions)
        out << t.Section << '\t' << t.Picture << '\t' << t.Name << '\t' << t.R.x() << ' ' << t.R.y() << ' '
            << t.R.width() << ' ' << t.R.height() << '\t' << KindName(t.Kind) << '\n';
    return out.status() == QTextStream::Ok;
}

TGallerySheet::TGallerySheet(const TqvSkinData& skin, int index)
    : FSkin(skin), FImage(kSheetW, 4000, QImage::Format_RGB32), FX(kMargin), FY(kMargin)
{
    FImage.fill(kSheetBg);
    QPainter p(&FImage);
    p.setPen(Qt::black);
    p.setFont(SkinFont(QStringLiteral("Arial"), 24, fsBold));
    p.drawText(QRect(kMargin, FY, kSheetW - 2 * kMargin, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1  %2 — %3").arg(index, 2, 10, QLatin1Char('0')).arg(skin.SkinName, skin.SkinComments));
    FY += 40;
}

void TGallerySheet::NewRow()
{
    if (FRowH > 0) {
        FY += FRowH + kLabelH + kGap;
        FRowH = 0;
    }
    FX = kMargin;
}

// The sheet grows as sections are added; Finish cuts it to what was drawn.
void TGallerySheet::EnsureRoom(int bottom)
{
    if (bottom <= FImage.height())
        return;
    QImage taller(kSheetW, std::max(bottom, 2 * FImage.height()), QImage::Format_RGB32);
    taller.fill(kSheetBg);
    QPainter(&taller).drawImage(0, 0, FImage);
    FImage = std::move(taller);
}

void TGallerySheet::Heading(const QString& title)
{
    PendingRegions().clear();
    FSection = title;
    NewRow();
    EnsureRoom(FY + 36 + kMargin);
    QPainter p(&FImage);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.setFont(SkinFont(QStringLiteral("Arial"), 18, fsBold));
    p.drawText(QRect(kMargin, FY + 4, kSheetW - 2 * kMargin, 22), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.fillRect(QRect(kMargin, FY + 28, kSheetW - 2 * kMargin, 1), QColor(0xC0, 0xC0, 0xC0));
    FY += 36;
}

void TGallerySheet::Place(const QImage& image, const QString& label)
{
    QPainter p(&FImage);
    p.setFont(SkinFont(QStringLiteral("Arial"), 12, 0));
    const int labelW = p.fontMetrics().horizontalAdvance(label);
    const int w = std::max(image.width(), labelW);
    if (FX > kMargin && FX + w > kSheetW - kMargin) {
        p.end();
        NewRow();
        p.begin(&FImage);
        p.setFont(SkinFont(QStringLiteral("Arial"), 12, 0));
    }
    if (FY + image.height() + kLabelH + kMargin > FImage.height()) {
        p.end();
        EnsureRoom(FY + image.height() + kLabelH + kMargin);
        p.begin(&FImage);
        p.setFont(SkinFont(QStringLiteral("Arial"), 12, 0));
    }
    p.drawImage(FX, FY, image);
    for (const TPending& m : PendingRegions()) {
        // A control's outline is measured against the ring round it, so it
        // must lie wholly in the picture.
        if (m.Kind == TRegionKind::Control && !image.rect().adjusted(2, 2, -2, -2).contains(m.R)) continue;
        if (const QRect on = m.R.intersected(image.rect()); !on.isEmpty())
            FRegions.push_back({FSection, label, m.Name, on.translated(FX, FY), m.Kind});
    }
    PendingRegions().clear();
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawText(QRect(FX, FY + image.height() + 1, w + 4, kLabelH), Qt::AlignLeft | Qt::AlignTop, label);
    FX += w + kGap;
    FRowH = std::max(FRowH, image.height());
}

QImage TGallerySheet::Finish()
{
    NewRow();
    return FImage.copy(0, 0, kSheetW, std::min(FImage.height(), FY + kMargin));
}

QFont TGallerySheet::SkinFont(const QString& name, int height, unsigned style)
{
    const QString family = SubstituteFontName(name);
    QFont f(family);
    f.setPixelSize(std::max(1, FontPixelSize(family, height)));
    f.setBold(style & fsBold);
    f.setItalic(style & fsItalic);
    f.setUnderline(style & fsUnderline);
    return f;
}

void TGallerySheet::Text(QImage& img, TRect r, const QString& text, const QFont& font, TColor color, bool centred)
{
    QPainter p(&img);
    p.setFont(font);
    p.setPen(ColorToQColor(color));
    p.drawText(r.ToQRect(), (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, text);
}

void DrawControls3Section(TGallerySheet& sheet);
void DrawControls4Section(TGallerySheet& sheet);
void DrawShellSection(TGallerySheet& sheet);
void DrawHintsSection(TGallerySheet& sheet);
void DrawFormsSection(TGallerySheet& sheet);
void DrawCaptionButtonsSection(TGallerySheet& sheet);
void DrawMenusSection(TGallerySheet& sheet);
void DrawMenuManagerSection(TGallerySheet& sheet);
void DrawMenuBarSection(TGallerySheet& sheet);
void DrawMessagesSection(TGallerySheet& sheet);
void DrawDialogsSection(TGallerySheet& sheet);
void DrawMdiSection(TGallerySheet& sheet);
void DrawMainWindowSection(TGallerySheet& sheet);
void DrawMainWindowJobsSection(TGallerySheet& sheet);
void DrawMainWindowMenusSection(TGallerySheet& sheet);
void DrawPreviewSection(TGallerySheet& sheet);

const std::vector<TGallerySection>& GallerySections()
{
    static const std::vector<TGallerySection> sections = {
        {"Frame", DrawFrameSection},
        {"Forms: skinned and skinless, active, inactive, rolled up", DrawFormsSection},
        {"Caption buttons: hover, pressed, maximized, rolled up; skinless", DrawCaptionButtonsSection},
        {"Inactive forms under the client veil", DrawVeilSection},
        {"Menus and hints", DrawWindowsSection},
        {"Records", DrawRecordsSection},
        {"Colours", DrawColorsSection},
        {"Panels, buttons, scroll bars, list view", DrawControls1Section},
        {"Lists and combo boxes", DrawControls2Section},
        {"Edits, labels, check and radio boxes, speed buttons, slider, tool bar", DrawControls3Section},
        {"Splitters, bevels, up-downs, scroll box, status bar, page controls, tree view", DrawControls4Section},
        {"Shell tree and list views", DrawShellSection},
        {"Open, picture, select-folder and select-skin dialogs", DrawFileDialogsSection},
        {"Skinned hints", DrawHintsSection},
        {"Skinned menus: levels, scrolled level, images grid", DrawMenusSection},
        {"Menus through a form's menu manager: popup and submenu, scrolled, maximized system menu",
         DrawMenuManagerSection},
        {"Menu bar: drop-down with submenu, more-items marker", DrawMenuBarSection},
        {"Message boxes", DrawMessagesSection},
        {"Dialogs: options, about box, settings", DrawDialogsSection},
        {"MDI frame: menu and tabs bars, cascaded and maximized children, hidden-tabs menu", DrawMdiSection},
        {"Main window with jobs, renaming an output", DrawMainWindowJobsSection},
        {"Main window at start, its open dialog and skin chooser", DrawMainWindowSection},
        {"Main window: snapshot menu", DrawMainWindowMenusSection},
        {"Main window with a paused preview", DrawPreviewSection},
    };
    return sections;
}
