#include "tests/skin/support/TestSkin.h"

#include "skin/model/SkinBitmaps.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr int kCellW = 64, kCellH = 24;
constexpr int kFrameW = 96, kFrameH = 72;

const std::pair<const char*, const char*> kUsualControlNames[] = {
    {"panel", "panel"},         {"expanel", "expanel"},         {"menubutton", "toolmenubutton"},
    {"button", "button"},       {"checkradio", "checkbox"},     {"gauge", "gauge"},
    {"splitter", "hsplitter"},  {"trackbar", "trackbar"},       {"label", "label"},
    {"stdlabel", "stdlabel"},   {"updown", "hupdown"},          {"grid", "grid"},
    {"tab", "tab"},             {"mainmenubar", "mainmenubar"}, {"controlbar", "controlbar"},
    {"memo", "memo"},           {"edit", "edit"},               {"checklistbox", "checklistbox"},
    {"listbox", "listbox"},     {"combobox", "combobox"},       {"scrollbar", "hscrollbar"},
    {"spinedit", "spinedit"},   {"scrollbox", "scrollbox"},     {"treeview", "treeview"},
    {"bevel", "bevel"},         {"slider", "slider"},           {"listview", "listview"},
    {"richedit", "richedit"},
};

const std::pair<const char*, const char*> kUsualObjectNames[] = {
    {"menuitem", "menuitem"},         {"mainmenubaritem", "mainmenubaritem"},
    {"mainmenubarbutton", "mdiclose"}, {"stdbutton", "closebutton"},
    {"button", "framebutton"},        {"caption", "caption"},
    {"userobject", "userobject"},     {"animate", "animate"},
};

template <std::size_t N>
QString Lookup(const std::pair<const char*, const char*> (&table)[N], const QString& kind)
{
    for (const auto& [k, n] : table)
        if (kind == QLatin1String(k))
            return QLatin1String(n);
    return kind;
}

QString R(int l, int t, int r, int b)
{
    return QStringLiteral("%1,%2,%3,%4").arg(l).arg(t).arg(r).arg(b);
}

// A cell with a 1-pixel border and a fill, in a colour derived from its index
// so every record's picture differs.
void DrawCell(QImage& atlas, int index)
{
    const QRgb border = qRgb(40 + (index * 37) % 200, 60, 90);
    const QRgb fill = qRgb(200, 120 + (index * 53) % 130, 80 + (index * 29) % 170);
    const int top = index * kCellH;
    for (int y = top; y < top + kCellH; ++y)
        for (int x = 0; x < kCellW; ++x) {
            const bool edge = x == 0 || y == top || x == kCellW - 1 || y == top + kCellH - 1;
            atlas.setPixel(x, y, edge ? border : fill);
        }
}

QImage Atlas(std::size_t cells)
{
    QImage atlas(kCellW, int(qMax<std::size_t>(cells, 1)) * kCellH, QImage::Format_RGB32);
    atlas.fill(qRgb(255, 0, 255));
    for (std::size_t i = 0; i < cells; ++i)
        DrawCell(atlas, int(i));
    return atlas;
}

QImage Frame(QRgb border, QRgb caption, QRgb client)
{
    QImage frame(kFrameW, kFrameH, QImage::Format_RGB32);
    for (int y = 0; y < kFrameH; ++y)
        for (int x = 0; x < kFrameW; ++x) {
            QRgb c = client;
            if (x < 4 || x >= kFrameW - 4 || y >= kFrameH - 4)
                c = border;
            else if (y < 22)
                c = caption;
            frame.setPixel(x, y, c);
        }
    return frame;
}

// Black inside, white outside: three pixels cut off each corner.
QImage Mask()
{
    QImage mask(kFrameW, kFrameH, QImage::Format_RGB32);
    mask.fill(qRgb(0, 0, 0));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3 - i; ++j) {
            mask.setPixel(j, i, qRgb(255, 255, 255));
            mask.setPixel(kFrameW - 1 - j, i, qRgb(255, 255, 255));
            mask.setPixel(j, kFrameH - 1 - i, qRgb(255, 255, 255));
            mask.setPixel(kFrameW - 1 - j, kFrameH - 1 - i, qRgb(255, 255, 255));
        }
    return mask;
}

constexpr int kFlatCell = 64;

// Zone z of cell i: red by zone, green by cell, so no two cells or zones
// share a colour and none is white, black or the atlas's magenta.
QRgb FlatZoneColour(int cell, int zone)
{
    return qRgb(8 + 27 * zone, 10 + 3 * (cell % 80), 60 + 40 * (cell / 80));
}

void PaintFlatCell(QImage& atlas, const TRect& cell, const TRect& zones, int index)
{
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x) {
            const int rx = x - cell.Left, ry = y - cell.Top;
            const int col = rx < zones.Left ? 0 : rx < zones.Right ? 1 : 2;
            const int row = ry < zones.Top ? 0 : ry < zones.Bottom ? 1 : 2;
            atlas.setPixel(x, y, FlatZoneColour(index, row * 3 + col));
        }
}

}  // namespace

TTestSkin::TTestSkin() : TTestSkin(SkinControlKinds(), SkinObjectKinds()) {}

TTestSkin::TTestSkin(const QStringList& controlKinds, const QStringList& objectKinds)
{
    for (const QString& kind : controlKinds)
        AddControl(UsualControlName(kind), kind);
    for (const QString& kind : objectKinds)
        AddObject(UsualObjectName(kind), kind);
}

QString TTestSkin::UsualControlName(const QString& kind)
{
    return Lookup(kUsualControlNames, kind);
}

QString TTestSkin::UsualObjectName(const QString& kind)
{
    return Lookup(kUsualObjectNames, kind);
}

TTestSkin& TTestSkin::AddControl(const QString& name, const QString& kind)
{
    FControls.emplace_back(name, kind);
    return *this;
}

TTestSkin& TTestSkin::AddObject(const QString& name, const QString& kind)
{
    FObjects.emplace_back(name, kind);
    return *this;
}

TTestSkin& TTestSkin::WithMask(bool on)
{
    FMask = on;
    return *this;
}

TTestSkin& TTestSkin::WithInActivePicture(bool on)
{
    FInActive = on;
    return *this;
}

TTestSkin& TTestSkin::WithLayerFrame(bool on)
{
    FLayerFrame = on;
    return *this;
}

TTestSkin& TTestSkin::FlatColours(bool on)
{
    FFlat = on;
    return *this;
}

std::vector<TTestSkin::TFlatCell> TTestSkin::FlatLayout() const
{
    std::vector<TFlatCell> cells;
    int top = 0;
    auto add = [&](const QString& name, const char* key, int w, int h, TRect zones) {
        const int index = int(cells.size());
        cells.push_back({name, QLatin1String(key), Rect(0, top, w, top + h), zones, index});
        top += kFlatCell;
    };
    for (const auto& [name, kind] : FControls) {
        if (kind == QLatin1String("scrollbar")) {
            if (name.startsWith(u'v')) {
                add(name, "skinrect", 16, 64, Rect(0, 16, 16, 48));
                for (const char* k : {"activeupbuttonrect", "downupbuttonrect", "activedownbuttonrect",
                                      "downdownbuttonrect"})
                    add(name, k, 16, 16, Rect(0, 0, 16, 16));
                for (const char* k : {"thumbrect", "activethumbrect", "downthumbrect"})
                    add(name, k, 16, 32, Rect(0, 4, 16, 28));
            } else {
                add(name, "skinrect", 64, 16, Rect(16, 0, 48, 16));
                for (const char* k : {"activeupbuttonrect", "downupbuttonrect", "activedownbuttonrect",
                                      "downdownbuttonrect"})
                    add(name, k, 16, 16, Rect(0, 0, 16, 16));
                for (const char* k : {"thumbrect", "activethumbrect", "downthumbrect"})
                    add(name, k, 32, 16, Rect(4, 0, 28, 16));
            }
            continue;
        }
        add(name, "skinrect", kFlatCell, kFlatCell, Rect(4, 8, 60, 60));
        if (kind == QLatin1String("button") || kind == QLatin1String("menubutton"))
            for (const char* k : {"activeskinrect", "downskinrect", "disabledskinrect", "focusedskinrect"})
                add(name, k, kFlatCell, kFlatCell, Rect(4, 8, 60, 60));
        if (kind == QLatin1String("combobox"))
            for (const char* k : {"activeskinrect", "activebuttonrect", "downbuttonrect", "unenabledbuttonrect"})
                add(name, k, kFlatCell, kFlatCell, Rect(4, 8, 60, 60));
    }
    return cells;
}

std::optional<TTestSkin::TFlatCell> TTestSkin::FindFlatCell(const QString& name, const QString& key) const
{
    for (const TFlatCell& c : FlatLayout())
        if (c.Name == name && c.Key == key)
            return c;
    return std::nullopt;
}

QRgb TTestSkin::FlatColour(const QString& name, const QString& key, TZone zone) const
{
    const std::optional<TFlatCell> c = FindFlatCell(name, key);
    return c ? FlatZoneColour(c->Index, zone) : 0;
}

TRect TTestSkin::FlatRect(const QString& name, const QString& key) const
{
    const std::optional<TFlatCell> c = FindFlatCell(name, key);
    return c ? c->InPicture : TRect{};
}

TRect TTestSkin::FlatZones(const QString& name, const QString& key) const
{
    const std::optional<TFlatCell> c = FindFlatCell(name, key);
    return c ? c->Zones : TRect{};
}

TTestSkin& TTestSkin::Named(const QString& skinName)
{
    FSkinName = skinName;
    return *this;
}

TTestSkin& TTestSkin::Set(const QString& section, const QString& key, const QString& value)
{
    FOverrides.push_back({{section, key}, value});
    return *this;
}

TTestSkin& TTestSkin::Without(const QString& section)
{
    FWithout << section;
    return *this;
}

QByteArray TTestSkin::IniText() const
{
    TqvSkinIni ini;
    auto put = [&ini](const QString& s, const char* k, const QString& v) { ini.WriteString(s, QLatin1String(k), v); };
    // The four stretch points of a picture whose middle spans (l,t)-(r,b).
    auto corners = [&put](const QString& s, int l, int t, int r, int b) {
        auto point = [](int x, int y) { return QStringLiteral("%1,%2").arg(x).arg(y); };
        put(s, "lefttoppoint", point(l, t));
        put(s, "righttoppoint", point(r, t));
        put(s, "leftbottompoint", point(l, b));
        put(s, "rightbottompoint", point(r, b));
    };
    const QString version = QStringLiteral("VERSION"), pictures = QStringLiteral("PICTURES");
    put(version, "ver", QStringLiteral("1"));
    put(version, "skinname", FSkinName);
    put(version, "skinauthor", QStringLiteral("Test author"));
    put(version, "authoremail", QString());
    put(version, "authorurl", QString());
    put(version, "skincomments", QStringLiteral("Built by the test-skin builder"));

    put(pictures, "picture", QLatin1String(kFrame));
    put(pictures, "inactivepicture", FInActive ? QLatin1String(kInActiveFrame) : QString());
    put(pictures, "mask", FMask ? QLatin1String(kMask) : QString());
    put(pictures, "activepicturescount", QStringLiteral("2"));
    put(pictures, "0", QLatin1String(kControls));
    put(pictures, "1", QLatin1String(kObjects));

    const QString fi = QStringLiteral("FORMINFO");
    corners(fi, 4, 22, 92, 68);
    put(fi, "clientrect", R(4, 22, 92, 68));
    put(fi, "topstretch", QStringLiteral("1"));
    put(fi, "bottomstretch", QStringLiteral("1"));
    put(fi, "stretcheffect", QStringLiteral("1"));
    put(fi, "stretchtype", QStringLiteral("stfull"));
    put(fi, "buttonsrect", R(70, 4, 92, 20));
    put(fi, "captionrect", R(4, 0, 70, 22));
    put(fi, "buttonsoffset", QStringLiteral("2"));
    put(fi, "borderwidth", QStringLiteral("4"));
    put(fi, "formminwidth", QStringLiteral("120"));
    put(fi, "autorenderinginactiveimage", FInActive ? QStringLiteral("0") : QStringLiteral("1"));
    put(fi, "inactiveeffect", QStringLiteral("iebrightness"));
    if (FMask)
        put(fi, "maskrectarea", R(3, 3, 93, 69));

    const QString pw = QStringLiteral("POPUPWINDOW");
    put(pw, "windowpictureindex", QStringLiteral("1"));
    corners(pw, 3, 3, 61, 21);
    put(pw, "itemsrect", R(3, 3, 61, 21));
    put(pw, "scrollmarkercolor", QString::number(RGB(0, 0, 128)));

    const QString hw = QStringLiteral("HINTWINDOW");
    put(hw, "windowpictureindex", QStringLiteral("1"));
    corners(hw, 3, 3, 61, 21);
    put(hw, "clientrect", R(3, 3, 61, 21));
    put(hw, "fontname", QStringLiteral("Tahoma"));
    put(hw, "fontheight", QStringLiteral("13"));

    const QString sc = QStringLiteral("SKINCOLORS");
    const TColor colors[] = {RGB(236, 233, 216), RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 0),
                             RGB(49, 106, 197),  RGB(255, 255, 255), RGB(255, 255, 255), RGB(172, 168, 153)};
    const char* const colorKeys[] = {"cbtnface",   "cbtntext",       "cwindow",       "cwindowtext",
                                     "chighlight", "chighlighttext", "cbtnhighlight", "cbtnshadow"};
    for (int i = 0; i < 8; ++i)
        put(sc, colorKeys[i], QString::number(colors[i]));

    if (FLayerFrame) {
        const QString lf = QStringLiteral("LAYERFRAME");
        put(lf, "pictureindex", QStringLiteral("1"));
        put(lf, "lefttoppoint", QStringLiteral("4,4"));
        put(lf, "rightbottompoint", QStringLiteral("60,20"));
        put(lf, "clientrect", R(4, 4, 60, 20));
        put(lf, "alphablendvalue", QStringLiteral("200"));
        put(lf, "borderrect", R(2, 2, 2, 2));
    }

    // Objects sit in the objects atlas, controls in the controls atlas: one
    // cell each, in the order they were added.
    const QString so = QStringLiteral("SKINOBJECTS");
    put(so, "count", QString::number(FObjects.size()));
    for (std::size_t i = 0; i < FObjects.size(); ++i) {
        const auto& [name, kind] = FObjects[i];
        put(so, QByteArray::number(qulonglong(i)).constData(), name + u':' + kind);
        const int top = int(i) * kCellH;
        put(name, "hint", kind == QLatin1String("stdbutton") ? QStringLiteral("Close") : QString());
        put(name, "skinrectinapicture", QStringLiteral("1"));
        put(name, "skinrect", R(0, top, kCellW, top + kCellH));
        put(name, "activeskinrect", R(0, top, kCellW, top + kCellH));
        put(name, "activepictureindex", QStringLiteral("1"));
        put(name, "command", QStringLiteral("cmclose"));
        put(name, "fontname", QStringLiteral("Arial"));
        put(name, "fontheight", QStringLiteral("14"));
        put(name, "fontcolor", QString::number(RGB(0, 0, 0)));
        put(name, "activefontcolor", QString::number(RGB(255, 255, 255)));
        put(name, "textrect", R(4, 4, kCellW - 4, kCellH - 4));
        put(name, "itemleftoffset", QStringLiteral("3"));
        put(name, "itemrightoffset", QStringLiteral("3"));
        put(name, "checkimagerect", R(0, top, 12, top + 12));
    }
    const QString sk = QStringLiteral("SKINCONTROLS");
    put(sk, "count", QString::number(FControls.size()));
    if (FFlat) {
        auto point = [](int x, int y) { return QStringLiteral("%1,%2").arg(x).arg(y); };
        auto rect = [](const TRect& r) { return R(r.Left, r.Top, r.Right, r.Bottom); };
        const std::vector<TFlatCell> cells = FlatLayout();
        for (std::size_t i = 0; i < FControls.size(); ++i) {
            const auto& [name, kind] = FControls[i];
            put(sk, QByteArray::number(qulonglong(i)).constData(), name + u':' + kind);
            put(name, "pictureindex", QStringLiteral("0"));
            for (const TFlatCell& c : cells)
                if (c.Name == name)
                    ini.WriteString(name, c.Key, rect(c.InPicture));
            const TFlatCell* main = nullptr;
            for (const TFlatCell& c : cells)
                if (c.Name == name && c.Key == QLatin1String("skinrect"))
                    main = &c;
            const TRect z = main->Zones;
            const int w = main->InPicture.Width(), h = main->InPicture.Height();
            if (kind == QLatin1String("scrollbar")) {
                const bool vertical = name.startsWith(u'v');
                put(name, "lefttoppoint", vertical ? point(0, z.Top) : point(z.Left, 0));
                put(name, "righttoppoint", vertical ? point(0, 0) : point(z.Right, 0));
                put(name, "leftbottompoint", vertical ? point(0, z.Bottom) : point(0, 0));
                put(name, "rightbottompoint", point(0, 0));
                put(name, "clientrect", rect(z));
                put(name, "trackarea", rect(z));
                put(name, "downbuttonrect", vertical ? R(0, 0, w, z.Top) : R(0, 0, z.Left, h));
                put(name, "upbuttonrect", vertical ? R(0, z.Bottom, w, h) : R(z.Right, 0, w, h));
                put(name, "thumboffset1", QStringLiteral("4"));
                put(name, "thumboffset2", QStringLiteral("4"));
                continue;
            }
            put(name, "lefttoppoint", point(z.Left, z.Top));
            put(name, "righttoppoint", point(z.Right, z.Top));
            put(name, "leftbottompoint", point(z.Left, z.Bottom));
            put(name, "rightbottompoint", point(z.Right, z.Bottom));
            put(name, "clientrect", rect(z));
            put(name, "captionrect", R(z.Left, 0, z.Right, z.Top));
            put(name, "fontname", QStringLiteral("Arial"));
            put(name, "fontheight", QStringLiteral("14"));
            put(name, "fontcolor", QString::number(RGB(0, 0, 0)));
            put(name, "activefontcolor", QString::number(RGB(0, 0, 160)));
            put(name, "downfontcolor", QString::number(RGB(160, 0, 0)));
            put(name, "disabledfontcolor", QString::number(RGB(96, 96, 96)));
            put(name, "bgcolor", QString::number(RGB(250, 250, 240)));
        }
    }
    for (std::size_t i = 0; !FFlat && i < FControls.size(); ++i) {
        const auto& [name, kind] = FControls[i];
        put(sk, QByteArray::number(qulonglong(i)).constData(), name + u':' + kind);
        const int top = int(i) * kCellH;
        put(name, "pictureindex", QStringLiteral("0"));
        put(name, "skinrect", R(0, top, kCellW, top + kCellH));
        corners(name, 3, 3, 61, 21);
        put(name, "clientrect", R(3, 3, 61, 21));
        put(name, "activeskinrect", R(0, top, kCellW, top + kCellH));
        put(name, "downskinrect", R(0, top, kCellW, top + kCellH));
        put(name, "fontname", QStringLiteral("Arial"));
        put(name, "fontheight", QStringLiteral("14"));
        put(name, "fontcolor", QString::number(RGB(0, 0, 0)));
        put(name, "bgcolor", QString::number(RGB(255, 255, 255)));
    }
    for (const auto& [where, value] : FOverrides)
        ini.WriteString(where.first, where.second, value);
    for (const QString& section : FWithout)
        ini.EraseSection(section);
    return ini.ToText();
}

std::map<QString, QImage> TTestSkin::Pictures() const
{
    std::map<QString, QImage> pictures;
    pictures[QLatin1String(kFrame)] = Frame(qRgb(30, 60, 120), qRgb(70, 110, 190), qRgb(236, 233, 216));
    if (FInActive)
        pictures[QLatin1String(kInActiveFrame)] = Frame(qRgb(90, 90, 90), qRgb(150, 150, 150), qRgb(236, 233, 216));
    if (FMask)
        pictures[QLatin1String(kMask)] = Mask();
    if (FFlat) {
        const std::vector<TFlatCell> cells = FlatLayout();
        QImage atlas(kFlatCell, int(qMax<std::size_t>(cells.size(), 1)) * kFlatCell, QImage::Format_RGB32);
        atlas.fill(qRgb(255, 0, 255));
        for (const TFlatCell& c : cells)
            PaintFlatCell(atlas, c.InPicture, c.Zones, c.Index);
        pictures[QLatin1String(kControls)] = atlas;
    } else {
        pictures[QLatin1String(kControls)] = Atlas(FControls.size());
    }
    pictures[QLatin1String(kObjects)] = Atlas(FObjects.size());
    return pictures;
}

QString TTestSkin::WriteFolder(const QString& folder) const
{
    QDir().mkpath(folder);
    for (const auto& [name, image] : Pictures())
        SaveSkinBmpFile(image, folder + u'/' + name);
    const QString ini = folder + QStringLiteral("/skin.ini");
    QFile f(ini);
    if (!f.open(QIODevice::WriteOnly) || f.write(IniText()) < 0)
        throw EqvSkinError("cannot write the test skin");
    return ini;
}

QByteArray TTestSkin::Payload() const
{
    const auto pictures = Pictures();
    auto picture = [&](const char* name) {
        const auto it = pictures.find(QLatin1String(name));
        return it == pictures.end() ? QImage() : it->second;
    };
    TqvStoredSkinPayload p;
    p.Picture = picture(kFrame);
    p.InActivePicture = FInActive ? picture(kInActiveFrame) : QImage();
    p.Mask = FMask ? picture(kMask) : QImage();
    p.ActivePictures = {picture(kControls), picture(kObjects)};
    p.IniText = IniText();
    return BuildStoredSkinPayload(p);
}

QByteArray TTestSkin::Container() const
{
    return ContainerOf(CompressBytes(Payload()));
}

QByteArray TTestSkin::ContainerOf(const QByteArray& zlib)
{
    QByteArray container;
    const quint32 header[2] = {3, quint32(zlib.size())};
    for (quint32 v : header)
        for (int i = 0; i < 4; ++i)
            container.append(char((v >> (8 * i)) & 0xFF));
    return container + zlib;
}

void TTestSkin::StoreInto(TqvCompressedStoredSkin& stored) const
{
    QByteArray container = Container();
    QBuffer buffer(&container);
    buffer.open(QIODevice::ReadOnly);
    stored.LoadFromCompressStream(&buffer);
}

void TTestSkin::LoadInto(TqvSkinData& model) const
{
    TqvCompressedStoredSkin stored;
    StoreInto(stored);
    model.LoadCompressedStoredSkin(stored);
}

::testing::AssertionResult SameSkin(const TqvSkinData& a, const TqvSkinData& b)
{
    auto fail = [](const QString& what) { return ::testing::AssertionFailure() << what.toStdString(); };
    if (a.Empty != b.Empty)
        return fail(QStringLiteral("Empty differs"));
    const std::pair<const char*, std::pair<const QImage*, const QImage*>> frames[] = {
        {"frame picture", {&a.FPicture, &b.FPicture}},
        {"inactive picture", {&a.FInActivePicture, &b.FInActivePicture}},
        {"mask", {&a.FMask, &b.FMask}}};
    for (const auto& [what, images] : frames)
        if (*images.first != *images.second)
            return fail(QStringLiteral("the %1 differs").arg(QLatin1String(what)));
    if (a.FActivePictures.size() != b.FActivePictures.size())
        return fail(QStringLiteral("picture counts differ"));
    for (std::size_t i = 0; i < a.FActivePictures.size(); ++i)
        if (a.FActivePictures[i] != b.FActivePictures[i])
            return fail(QStringLiteral("picture %1 differs").arg(i));
    if (a.FActivePicturesNames != b.FActivePicturesNames || a.FPictureName != b.FPictureName ||
        a.FInActivePictureName != b.FInActivePictureName || a.FMaskName != b.FMaskName)
        return fail(QStringLiteral("picture names differ"));
    if (a.SkinName != b.SkinName || a.SkinAuthor != b.SkinAuthor || a.AuthorEmail != b.AuthorEmail ||
        a.AuthorURL != b.AuthorURL || a.SkinComments != b.SkinComments)
        return fail(QStringLiteral("[VERSION] texts differ"));
    if (!SkinFieldsEqual<TqvSkinFormInfo>(a, b, TqvSkinFormInfo::Fields()))
        return fail(QStringLiteral("[FORMINFO] differs"));
    if (!(a.PopupWindow == b.PopupWindow))
        return fail(QStringLiteral("[POPUPWINDOW] differs"));
    if (!(a.LayerFrame == b.LayerFrame))
        return fail(QStringLiteral("[LAYERFRAME] differs"));
    if (!(a.HintWindow == b.HintWindow))
        return fail(QStringLiteral("[HINTWINDOW] differs"));
    if (!(a.SkinColors() == b.SkinColors()))
        return fail(QStringLiteral("[SKINCOLORS] differs"));
    if (a.ObjectList.size() != b.ObjectList.size() || a.CtrlList.size() != b.CtrlList.size())
        return fail(QStringLiteral("record counts differ"));
    for (std::size_t i = 0; i < a.ObjectList.size(); ++i)
        if (!a.ObjectList[i]->SameFields(*b.ObjectList[i]))
            return fail(QStringLiteral("object record %1 (%2) differs").arg(i).arg(a.ObjectList[i]->IDName));
    for (std::size_t i = 0; i < a.CtrlList.size(); ++i)
        if (!a.CtrlList[i]->SameFields(*b.CtrlList[i]))
            return fail(QStringLiteral("control record %1 (%2) differs").arg(i).arg(a.CtrlList[i]->IDName));
    return ::testing::AssertionSuccess();
}
