// Whole-bitmap operations, the stream form, PCX loading and links.
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/QvBitmap.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

void Put32(QByteArray& b, qint32 v) {
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}

TEST(BitmapColours, BrightnessClampsAndSkipsTransparentPixels) {
    TqvBitmap b;
    b.SetSize(2, 1);
    b.SetPixel(0, 0, qvARGB(128, 10, 20, 30));
    b.SetPixel(1, 0, qvARGB(0, 10, 20, 30));
    b.ChangeBitmapBrightness(300);
    EXPECT_EQ(b.Pixel(0, 0), qvARGB(128, 255, 255, 255));
    EXPECT_EQ(b.Pixel(1, 0), qvARGB(0, 10, 20, 30));
    b.ChangeBitmapBrightness(-1000);
    EXPECT_EQ(b.Pixel(0, 0), qvARGB(128, 0, 0, 0));
}

TEST(BitmapColours, HueAndSaturation) {
    TqvBitmap b;
    b.SetSize(3, 1);
    b.SetPixel(0, 0, qvARGB(200, 90, 90, 90));  // grey: no hue to change
    b.SetPixel(1, 0, qvARGB(255, 255, 0, 0));
    b.SetPixel(2, 0, qvARGB(77, 255, 0, 0));
    b.SetBitmapHue(85);  // a third of the circle: red becomes green
    EXPECT_EQ(b.Pixel(0, 0), qvARGB(200, 90, 90, 90));
    EXPECT_EQ(b.Pixel(1, 0), qvARGB(255, 0, 255, 0));
    EXPECT_EQ(b.Pixel(2, 0), qvARGB(77, 0, 255, 0));  // alpha kept

    // Hue steps wrap by 255: 250 + 10 lands on 5.
    TqvBitmap wrapped, direct;
    for (TqvBitmap* p : {&wrapped, &direct}) {
        p->SetSize(1, 1);
        p->SetPixel(0, 0, qvARGB(255, 255, 0, 0));
    }
    wrapped.SetBitmapHue(250);
    wrapped.ChangeBitmapHue(10);
    direct.SetBitmapHue(5);
    EXPECT_EQ(wrapped.Pixel(0, 0), direct.Pixel(0, 0));

    // Saturation 1 of pure red minus 255 steps -> 0: grey at the same lightness.
    TqvBitmap sat;
    sat.SetSize(1, 1);
    sat.SetPixel(0, 0, qvARGB(255, 255, 0, 0));
    sat.ChangeBitmapSat(-255);
    EXPECT_EQ(sat.Pixel(0, 0), qvARGB(255, 128, 128, 128));
}

TEST(BitmapReflections, FlipThenFadeByRow) {
    TqvBitmap b;
    b.SetSize(1, 4);
    for (int y = 0; y < 4; ++y) b.SetPixel(0, y, qvARGB(255, y, 0, 0));
    b.Reflection3();
    const int alphas[4] = {127, 64, 0, 0};
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(qvAlpha(b.Pixel(0, y)), alphas[y]) << y;
        EXPECT_EQ(qvRed(b.Pixel(0, y)), 3 - y);  // flipped, colours untouched
    }
    TqvBitmap r1;
    r1.SetSize(1, 2);
    r1.Clear(0xFF000000);
    r1.Reflection();
    EXPECT_EQ(qvAlpha(r1.Pixel(0, 0)), 85);
    r1.Clear(0xFF000000);
    r1.Reflection2();
    EXPECT_EQ(qvAlpha(r1.Pixel(0, 0)), 63);
}

TEST(BitmapStream, RoundTripAndBottomUpForm) {
    TqvBitmap src;
    src.SetName(QStringLiteral("glöw"));
    src.SetSize(2, 2);
    for (int i = 0; i < 4; ++i) src.SetPixel(i % 2, i / 2, 0x11223300u + i);
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    src.SaveToStream(buf);
    EXPECT_EQ(buf.size(), 4 + 2 * 4 + 8 + 16);
    buf.seek(0);
    TqvBitmap back;
    back.LoadFromStream(buf);
    EXPECT_EQ(back.Name(), src.Name());
    ASSERT_EQ(back.Width(), 2);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(back.Pixel(i % 2, i / 2), src.Pixel(i % 2, i / 2));

    QByteArray up;
    Put32(up, 0);
    Put32(up, 2);
    Put32(up, -2);
    for (int i : {2, 3, 0, 1}) Put32(up, qint32(0x11223300u + unsigned(i)));
    QBuffer ub(&up);
    ub.open(QIODevice::ReadOnly);
    TqvBitmap flipped;
    flipped.LoadFromStream(ub);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(flipped.Pixel(i % 2, i / 2), src.Pixel(i % 2, i / 2));
}

TEST(BitmapStream, ShortAndLyingStreamsFailCleanly) {
    QByteArray bytes;
    Put32(bytes, 0);
    Put32(bytes, 3);
    Put32(bytes, 3);
    Put32(bytes, 1);  // 1 of 9 pixels
    TqvBitmap b;
    QBuffer short1(&bytes);
    short1.open(QIODevice::ReadOnly);
    EXPECT_THROW(b.LoadFromStream(short1), EqvStreamError);

    QByteArray huge;
    Put32(huge, 0);
    Put32(huge, 1 << 30);
    Put32(huge, 1 << 30);
    QBuffer h(&huge);
    h.open(QIODevice::ReadOnly);
    EXPECT_THROW(b.LoadFromStream(h), EqvStreamError);

    QByteArray name;
    Put32(name, 1000000);  // a name longer than the stream
    QBuffer n(&name);
    n.open(QIODevice::ReadOnly);
    EXPECT_THROW(b.LoadFromStream(n), EqvStreamError);
}

// Takes at most Room bytes; a write that finds no room at all fails as a full
// disk does, one that finds some takes what fits.
class TFullDevice : public QIODevice {
public:
    explicit TFullDevice(qint64 room) : FRoom(room) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    QByteArray Data;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* p, qint64 n) override {
        const qint64 take = std::min(n, FRoom - Data.size());
        if (take <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        Data.append(p, take);
        return take;
    }

private:
    qint64 FRoom;
};

TEST(BitmapStream, EveryShortWriteOfEveryStreamFormIsAnError) {
    TqvBitmap bitmap;
    bitmap.SetName(QStringLiteral("glow"));
    bitmap.SetSize(2, 2);
    bitmap.FillRect(TRect{0, 0, 2, 2}, 0x11223344u);
    TqvBitmapLink link;
    link.SetName(QStringLiteral("strip"));
    link.SetRect(TRect{1, 2, 3, 4});
    const struct {
        const char* form;
        std::function<void(QIODevice&)> write;
    } forms[] = {
        {"string", [](QIODevice& d) { WriteStreamString(d, QStringLiteral("name")); }},
        {"bitmap", [&](QIODevice& d) { bitmap.SaveToStream(d); }},
        {"link", [&](QIODevice& d) { link.SaveToStream(d); }},
    };
    for (const auto& f : forms) {
        SCOPED_TRACE(f.form);
        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        f.write(whole);
        const qint64 size = whole.data().size();
        ASSERT_GT(size, 8);
        for (qint64 room = 0; room < size; ++room) {
            TFullDevice full(room);
            try {
                f.write(full);
                ADD_FAILURE() << "no error with room for " << room << " of " << size << " bytes";
            } catch (const EqvStreamError& e) {
                EXPECT_TRUE(std::string(e.what()).rfind("Stream write error: ", 0) == 0) << e.what();
            }
        }
        TFullDevice roomy(size);
        f.write(roomy);
        EXPECT_EQ(roomy.Data, whole.data());
    }
    TFullDevice none(0);
    try {
        WriteStreamString(none, QStringLiteral("x"));
        ADD_FAILURE() << "no error";
    } catch (const EqvStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream write error: No space left on device");
    }
    TFullDevice some(6);
    try {
        WriteStreamString(some, QStringLiteral("xy"));
        ADD_FAILURE() << "no error";
    } catch (const EqvStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream write error: 2 of 4 bytes written");
    }
}

TEST(BitmapResource, LoadsANamedPictureAndIgnoresAMissingOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage pic(2, 1, QImage::Format_RGB32);
    pic.setPixel(0, 0, qRgb(1, 2, 3));
    pic.setPixel(1, 0, qRgb(4, 5, 6));
    ASSERT_TRUE(pic.save(dir.filePath("QV_GLYPH.bmp")));
    TqvBitmap b;
    b.LoadFromResource(dir.path(), "QV_GLYPH.bmp");
    ASSERT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(1, 0), 0xFF040506u);
    b.LoadFromResource(dir.path(), "QV_NONE.bmp");
    EXPECT_EQ(b.Width(), 2);
    b.LoadFromResource(QString(), "QV_NONE");
    EXPECT_EQ(b.Pixel(0, 0), 0xFF010203u);
}

// ---- PCX

QByteArray PcxHeader(int version, int encoding, int xmax, int ymax, int bytesPerLine, int planes = 1) {
    QByteArray h(128, '\0');
    auto put16 = [&](int off, int v) { qToLittleEndian<quint16>(quint16(v), h.data() + off); };
    h[0] = 10;
    h[1] = char(version);
    h[2] = char(encoding);
    h[3] = 8;
    put16(8, xmax);
    put16(10, ymax);
    h[65] = char(planes);
    put16(66, bytesPerLine);
    return h;
}

QByteArray Palette() {
    QByteArray p(1, '\x0C');
    for (int i = 0; i < 256; ++i) p.append(char(i)).append(char(255 - i)).append(char(7));
    return p;
}

bool LoadPcx(TqvBitmap& b, const QByteArray& data) {
    QByteArray copy = data;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    return b.LoadFromPcxStream(buf);
}

TqvColor PalColor(int i) { return qvARGB(255, i, 255 - i, 7); }

TEST(PcxLoader, DecodesRunLengthRowsWithTheirPadding) {
    // 3 x 2, 4 bytes per line: row 0 = 1, 2, 2 (+pad), row 1 = 200 (a literal
    // above 191 must be coded as a run of one), 5, 5 (+pad).
    QByteArray f = PcxHeader(5, 1, 2, 1, 4);
    f.append(char(1)).append(char(0xC2)).append(char(2)).append(char(0));
    f.append(char(0xC1)).append(char(200)).append(char(0xC2)).append(char(5)).append(char(0));
    f.append(Palette());
    TqvBitmap b;
    ASSERT_TRUE(LoadPcx(b, f));
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    const int want[2][3] = {{1, 2, 2}, {200, 5, 5}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Pixel(x, y), PalColor(want[y][x])) << x << "," << y;
}

TEST(PcxLoader, RawDataAndTheSixteenColourPalette) {
    QByteArray f = PcxHeader(3, 0, 1, 0, 2);
    f.append(char(9)).append(char(15));
    TqvBitmap b;
    ASSERT_TRUE(LoadPcx(b, f));
    EXPECT_EQ(b.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(b.Pixel(1, 0), 0xFFFFFFFFu);
}

TEST(PcxLoader, TruncatedAndLyingFilesNeverReadPastTheData) {
    TqvBitmap b;
    b.SetSize(1, 1);
    b.SetPixel(0, 0, 0xFF445566);
    struct Case {
        const char* name;
        QByteArray data;
        bool loads;
    };
    QByteArray notPcx = PcxHeader(5, 1, 0, 0, 1);
    notPcx[0] = 11;
    QByteArray runAtEnd = PcxHeader(5, 1, 3, 3, 4);
    runAtEnd.append(char(0xFF));  // a run count with no value after it
    const Case cases[] = {
        {"empty", QByteArray(), false},
        {"half_header", PcxHeader(5, 1, 9, 9, 10).left(60), false},
        {"not_pcx", notPcx, false},
        {"inverted_bounds", PcxHeader(5, 1, 0, 0, 1).replace(4, 2, QByteArray("\x05\x00", 2)), false},
        {"huge_size", PcxHeader(5, 1, 65535, 65535, 65535, 255), false},
        {"header_only", PcxHeader(5, 1, 9, 9, 10), true},
        {"line_shorter_than_width", PcxHeader(5, 0, 9, 3, 1) + QByteArray(4, '\x03'), true},
        {"run_count_at_end", runAtEnd, true},
        {"palette_missing", PcxHeader(5, 0, 1, 0, 2) + QByteArray(2, '\x01'), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoadPcx(b, c.data), c.loads);
        if (!c.loads) {
            EXPECT_EQ(b.Pixel(0, 0), 0xFF445566u);  // unchanged
        }
    }
    // Missing data reads as index 0; with no palette that is black.
    ASSERT_TRUE(LoadPcx(b, PcxHeader(5, 0, 1, 0, 2) + QByteArray(1, '\x01')));
    EXPECT_EQ(b.Pixel(1, 0), 0xFF000000u);
}

// ---- links

TEST(BitmapLink, StreamFormDrawAndParsedRectangles) {
    TqvBitmap img;
    img.SetName("strip");
    img.SetSize(4, 4);
    img.SetPixel(2, 1, 0xFFABCDEF);
    auto link = img.GetBitmapLink(QStringLiteral("1, 1, 3, 2"));
    EXPECT_EQ(link->Rect(), (TRect{1, 1, 3, 2}));
    EXPECT_EQ(link->Name(), "strip");
    EXPECT_TRUE(link->Assigned());
    EXPECT_FALSE(img.GetBitmapLink(QStringLiteral("(1,1,3,2"))->Assigned());

    TqvBitmap dst;
    dst.SetSize(3, 3);
    link->Draw(dst, 1, 1);
    EXPECT_EQ(dst.Pixel(2, 1), 0xFFABCDEFu);

    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    link->SaveToStream(buf);
    buf.seek(0);
    TqvBitmapLink back;
    back.LoadFromStream(buf);
    EXPECT_EQ(back.Rect(), link->Rect());
    EXPECT_EQ(back.Name(), "strip");
    EXPECT_EQ(back.Image(), nullptr);  // the image is not stored
}

TEST(BitmapLink, CheckingMaskedSortsMaskedPixelsIntoAreas) {
    TqvBitmap img;
    img.SetSize(8, 8);
    img.Clear(0xFFFFFFFF);
    TqvBitmapLink link;
    link.SetImage(&img);
    link.SetRect({1, 1, 7, 7});  // 6 x 6, margin 2: centre (2,2)-(4,4)
    const TRect margin{2, 2, 2, 2};
    struct Case {
        const char* name;
        TPoint at;  // in link coordinates
        TqvColor pixel;
        bool masked, border, angles;
    };
    const Case cases[] = {
        {"opaque_everywhere", {0, 0}, 0xFFFFFFFF, false, false, false},
        {"corner", {5, 5}, 0x00000000, false, false, true},
        {"border_strip", {3, 0}, 0x80FFFFFF, false, true, false},
        {"centre_key", {2, 3}, qvColorKey, true, false, false},
        {"grey_marker_is_not_masked", {2, 3}, 0x33333333, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        img.Clear(0xFFFFFFFF);
        img.SetPixel(1 + c.at.X, 1 + c.at.Y, c.pixel);
        link.CheckingMasked(margin);
        EXPECT_EQ(link.Masked(), c.masked);
        EXPECT_EQ(link.MaskedBorder(), c.border);
        EXPECT_EQ(link.MaskedAngles(), c.angles);
    }
    img.Clear(0xFFFFFFFF);
    img.SetPixel(6, 6, 0x00000000);
    link.CheckingMasked();
    EXPECT_TRUE(link.Masked());
    link.SetRect({6, 6, 10, 10});  // partly outside: outside reads as masked
    img.Clear(0xFFFFFFFF);
    link.CheckingMasked();
    EXPECT_TRUE(link.Masked());
}

}  // namespace
