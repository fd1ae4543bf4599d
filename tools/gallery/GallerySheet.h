// A contact sheet of one skin: sections stacked top to bottom, each a row of
// labelled pictures. A control family adds its section as one file and one
// row of the section table (GallerySections.cpp).
#pragma once

#include "skin/model/SkinData.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <vector>

// Chinese and Latin sample text, drawn in each record's font and colours.
extern const QString kGallerySample;

class TGallerySheet {
public:
    TGallerySheet(const TqvSkinData& skin, int index);
    const TqvSkinData& Skin() const { return FSkin; }

    void Heading(const QString& title);
    // A picture with a small label under it, placed left to right, wrapping.
    // The text regions marked since the last Place go with it.
    void Place(const QImage& image, const QString& label);
    // What the contrast measurement reads in the next placed picture (its
    // own coordinates): a region of text or glyphs; the same that must hold
    // text (a captioned control); a control whose outline must stand out
    // from what lies round it.
    enum class TRegionKind { Text, Caption, Control };
    static void MarkTextRegion(const QRect& r, const QString& name, TRegionKind kind = TRegionKind::Text);
    static void MarkControlRegion(const QRect& r, const QString& name) {
        MarkTextRegion(r, name, TRegionKind::Control);
    }
    // "section<TAB>picture<TAB>name<TAB>x y w h<TAB>kind" a line, on the sheet.
    bool WriteTextRegions(const QString& file) const;
    void NewRow();
    // The finished sheet, cut to what was drawn.
    QImage Finish();

    // A font of the skin: a name and a height as the records keep them.
    static QFont SkinFont(const QString& name, int height, unsigned style);
    // Text into r of img, vertically centred, aligned left or centred.
    static void Text(QImage& img, TRect r, const QString& text, const QFont& font, TColor color, bool centred);

private:
    struct TTextRegion {
        QString Section, Picture, Name;
        QRect R;
        TRegionKind Kind;
    };
    const TqvSkinData& FSkin;
    QImage FImage;
    QString FSection;
    std::vector<TTextRegion> FRegions;
    int FX = 0, FY = 0, FRowH = 0;
    void EnsureRoom(int bottom);
};

struct TGallerySection {
    const char* Title;
    void (*Draw)(TGallerySheet& sheet);
};

// The sections, in the order the sheet shows them.
const std::vector<TGallerySection>& GallerySections();

// The sections' drawing functions, one file each.
void DrawFrameSection(TGallerySheet& sheet);
void DrawWindowsSection(TGallerySheet& sheet);
void DrawRecordsSection(TGallerySheet& sheet);
void DrawColorsSection(TGallerySheet& sheet);
void DrawControls1Section(TGallerySheet& sheet);
void DrawControls2Section(TGallerySheet& sheet);
void DrawVeilSection(TGallerySheet& sheet);
void DrawFileDialogsSection(TGallerySheet& sheet);
