// What the stored skins' checks read from a record: its state pictures, the
// places of its parts and where its text goes, each with what it means.
#pragma once

#include "skin/model/SkinData.h"

#include <QImage>
#include <QString>

#include <vector>

enum class TRectUse {
    State,     // a picture of SkinRect's size in the record's picture
    Picture,   // any picture in the record's picture
    Relative,  // a place relative to SkinRect
};

struct TRecordRect {
    QString Field;
    TRect Rect;
    TRectUse Use;
};

enum class TTextState { Normal, Hot, Pressed, Disabled };

// Text of one state: the colour and the picture area under it.
struct TTextArea {
    QString What;
    const QImage* Picture;
    TRect Area;  // picture coordinates
    TColor Color;
    TTextState State;
    QString FontName;
    int FontHeight;
};

// A set of pictures of one part in its states; they must differ pairwise.
struct TStateSet {
    QString What;
    const QImage* Picture;
    std::vector<TRect> Rects;
};

struct TRecordView {
    QString Name;
    const QImage* Picture = nullptr;  // null when the record has none
    TRect SkinRect;
    std::vector<TRecordRect> Rects;
    std::vector<TTextArea> Texts;
    std::vector<TStateSet> States;
};

// Every control and object record of a skin, and the popup, hint and frame.
std::vector<TRecordView> RecordViews(const TqvSkinData& skin);

// WCAG contrast ratio of two colours (1 .. 21).
double ContrastRatio(TColor a, TColor b);
// The mean colour of an area of a picture.
TColor MeanColor(const QImage& picture, TRect area);
// The pixel height of a line of text in a record's font.
int LineHeight(const QString& fontName, int fontHeight);

// Neighbouring pixel pairs of `composed` that are no closer than `tolerance`
// (per channel) to any neighbouring pair of `source`: a seam where the
// composition joins pieces that do not belong together. Answers the first
// such place, or an empty string.
QString FindSeam(const QImage& source, const QImage& composed, int tolerance);
