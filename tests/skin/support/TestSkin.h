// Builds small, complete skins for tests: pictures drawn in code, ini text
// written key by key (not through the model's writer, so the model's reader
// is tested against an independent source). Any set of record kinds; every
// value can be overridden with Set.
#pragma once

#include "skin/model/SkinData.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

class TTestSkin {
public:
    // Every control and object kind, each under its usual record name
    // ("button", "hscrollbar", "caption", "menuitem", ...).
    TTestSkin();
    // Only the given kind words, each under its usual record name.
    TTestSkin(const QStringList& controlKinds, const QStringList& objectKinds);

    static QString UsualControlName(const QString& kind);
    static QString UsualObjectName(const QString& kind);

    // One more record; records of one list keep the order they were added in.
    TTestSkin& AddControl(const QString& name, const QString& kind);
    TTestSkin& AddObject(const QString& name, const QString& kind);
    // A frame mask (rounded corners), an inactive frame picture, a layered border.
    TTestSkin& WithMask(bool on = true);
    TTestSkin& WithInActivePicture(bool on = true);
    TTestSkin& WithLayerFrame(bool on = true);
    TTestSkin& Named(const QString& skinName);
    // Flat colours for pixel tests of controls: every state rectangle a record
    // reads gets a cell of its own, and every nine-slice zone of a cell its own
    // colour (FlatColour says which). Records are laid out by kind: buttons
    // with five state cells, scroll bars (names starting with "v" vertical)
    // with buttons, track and thumbs, combo boxes with their active face and
    // three button cells, everything else one 64 x 64 cell with borders 4
    // (left, right, bottom) and 8 (top).
    TTestSkin& FlatColours(bool on = true);
    // Written last, over what the builder wrote; an empty value is written as such.
    TTestSkin& Set(const QString& section, const QString& key, const QString& value);
    // Leaves a whole section out of the ini text.
    TTestSkin& Without(const QString& section);

    // Zones of a flat cell: corners, edges and client.
    enum TZone { zTL, zT, zTR, zL, zC, zR, zBL, zB, zBR };
    // The colour of zone Zone of the cell behind record Name's key
    // ("skinrect", "activeskinrect", "thumbrect", ...); 0 when there is none.
    QRgb FlatColour(const QString& name, const QString& key, TZone zone = zC) const;
    // The cell in picture coordinates, and its zone borders relative to it.
    TRect FlatRect(const QString& name, const QString& key) const;
    TRect FlatZones(const QString& name, const QString& key) const;

    QByteArray IniText() const;
    // File name -> picture, for every file the ini names.
    std::map<QString, QImage> Pictures() const;
    // Writes the ini ("skin.ini") and its BMP pictures into folder; returns the ini's path.
    QString WriteFolder(const QString& folder) const;
    // The inflated stored-skin payload and the container (".skn" bytes).
    QByteArray Payload() const;
    QByteArray Container() const;
    // The ".skn" bytes around any zlib bytes, damaged ones too; the header is
    // laid out by hand, not by the writer the reader is tested against.
    static QByteArray ContainerOf(const QByteArray& zlib);
    void StoreInto(TqvCompressedStoredSkin& stored) const;
    // Loads the skin into a model through a stored skin (sends the skin messages).
    void LoadInto(TqvSkinData& model) const;

    // Picture file names the builder uses.
    static constexpr const char* kFrame = "frame.bmp";
    static constexpr const char* kInActiveFrame = "frame_inactive.bmp";
    static constexpr const char* kMask = "frame_mask.bmp";
    static constexpr const char* kControls = "controls.bmp";
    static constexpr const char* kObjects = "objects.bmp";

private:
    std::vector<std::pair<QString, QString>> FControls, FObjects;  // name, kind
    std::vector<std::pair<std::pair<QString, QString>, QString>> FOverrides;
    QStringList FWithout;
    QString FSkinName = QStringLiteral("Test skin");
    bool FMask = false, FInActive = false, FLayerFrame = false, FFlat = false;

    struct TFlatCell {
        QString Name, Key;
        TRect InPicture;  // in the controls picture
        TRect Zones;      // zone borders relative to the cell
        int Index;        // the cell's place, which picks its colours
    };
    std::vector<TFlatCell> FlatLayout() const;
    std::optional<TFlatCell> FindFlatCell(const QString& name, const QString& key) const;
};

// Field-by-field equality of two models (pictures pixel by pixel, every
// record, form info, fixed records); on a difference, says which.
::testing::AssertionResult SameSkin(const TqvSkinData& a, const TqvSkinData& b);
