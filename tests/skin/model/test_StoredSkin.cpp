#include "skin/model/SkinBitmaps.h"
#include "skin/model/StoredSkin.h"
#include "tests/skin/support/TestSkin.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Inflate(const QByteArray& zlib, qint64 maxBytes = kMaxInflatedSkin)
{
    QByteArray source = zlib, out;
    QBuffer in(&source), dest(&out);
    in.open(QIODevice::ReadOnly);
    dest.open(QIODevice::WriteOnly);
    DecompressStream(&dest, &in, maxBytes);
    return out;
}

// Text and noise, so the stream spans several 8192-byte buffers both ways.
QByteArray SampleData()
{
    QByteArray data;
    QRandomGenerator random(7);
    for (int i = 0; i < 3000; ++i) {
        data += "line " + QByteArray::number(i) + "\r\n";
        data.append(char(random.bounded(256)));
    }
    return data;
}

QByteArray Int32(qint32 v)
{
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(char((quint32(v) >> (8 * i)) & 0xFF));
    return b;
}

TEST(ZlibStreams, CompressAtLevelNineAndInflateBack)
{
    const QByteArray data = SampleData();
    const QByteArray zlib = CompressBytes(data);
    ASSERT_GE(zlib.size(), 2);
    EXPECT_EQ(quint8(zlib[0]), 0x78);
    EXPECT_EQ(quint8(zlib[1]), 0xDA);
    EXPECT_EQ(Inflate(zlib), data);
    EXPECT_EQ(Inflate(CompressBytes(QByteArray())), QByteArray());
}

TEST(ZlibStreams, ReadsOf4096GiveWhatOneReadGives)
{
    const QByteArray data = SampleData();
    QByteArray zlib = CompressBytes(data);
    QBuffer source(&zlib);
    source.open(QIODevice::ReadOnly);
    TDecompressionStream whole(&source);
    QByteArray all(data.size() + 100, '\0');
    EXPECT_EQ(whole.Read(all.data(), all.size()), data.size());
    all.truncate(data.size());
    EXPECT_EQ(all, data);
    EXPECT_TRUE(whole.StreamEnded());
    char rest[16];
    EXPECT_EQ(whole.Read(rest, sizeof rest), 0) << "after the end every read gives 0";
}

TEST(ZlibStreams, DecompressionSeekRules)
{
    const QByteArray data = SampleData();
    QByteArray zlib = CompressBytes(data);
    QBuffer source(&zlib);
    source.open(QIODevice::ReadOnly);
    TDecompressionStream z(&source);
    char buf[40];
    ASSERT_EQ(z.Read(buf, 40), 40);
    EXPECT_EQ(z.Seek(100, soFromBeginning), 100);
    ASSERT_EQ(z.Read(buf, 10), 10);
    EXPECT_EQ(QByteArray(buf, 10), data.mid(100, 10));
    EXPECT_EQ(z.Seek(0, soFromCurrent), 110);
    try {
        z.Seek(10, soFromBeginning);
        ADD_FAILURE() << "a backward seek must fail";
    } catch (const EDecompressionError& e) {
        EXPECT_STREQ(e.what(), "Invalid stream operation");
    }
    EXPECT_THROW(z.Seek(-1, soFromCurrent), EDecompressionError);
    EXPECT_THROW(z.Seek(0, soFromEnd), EDecompressionError);
    EXPECT_THROW(z.Write(buf, 1), EDecompressionError);
    // Other code may move the source in between: the stream keeps its own place.
    source.seek(3);
    EXPECT_EQ(z.Seek(0, soFromBeginning), 0);
    ASSERT_EQ(z.Read(buf, 20), 20);
    EXPECT_EQ(QByteArray(buf, 20), data.left(20));
}

TEST(ZlibStreams, CompressionStreamIsWriteOnly)
{
    QByteArray out;
    QBuffer dest(&out);
    dest.open(QIODevice::WriteOnly);
    TCompressionStream z(TCompressionLevel::clMax, &dest);
    EXPECT_EQ(z.CompressionRate(), 0);
    const QByteArray text(10000, 'a');
    EXPECT_EQ(z.Write(text.constData(), text.size()), text.size());
    EXPECT_EQ(z.Seek(0, soFromCurrent), 10000);
    char buf[4];
    try {
        z.Read(buf, 4);
        ADD_FAILURE() << "reading must fail";
    } catch (const ECompressionError& e) {
        EXPECT_STREQ(e.what(), "Invalid stream operation");
    }
    EXPECT_THROW(z.Seek(5, soFromBeginning), ECompressionError);
    z.Finish();
    EXPECT_GT(z.CompressionRate(), 90);
    EXPECT_EQ(Inflate(out), text);
}

TEST(ZlibStreams, DamagedTruncatedAndOversizedStreamsAreErrors)
{
    const QByteArray data = SampleData();
    const QByteArray zlib = CompressBytes(data);
    EXPECT_THROW(Inflate(zlib.left(zlib.size() / 2)), EDecompressionError) << "cut short";
    EXPECT_THROW(Inflate(zlib.left(zlib.size() - 1)), EDecompressionError) << "checksum cut";
    QByteArray flipped = zlib;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x10);
    EXPECT_THROW(Inflate(flipped), EDecompressionError);
    EXPECT_THROW(Inflate(QByteArray("not zlib at all")), EDecompressionError);
    EXPECT_THROW(Inflate(zlib, 1000), EDecompressionError);
    EXPECT_EQ(Inflate(zlib + "trailing bytes are never read"), data);
}

TEST(StoredSkin, EmptySkinContainerIsEightBytesAndWritesNoFile)
{
    TqvCompressedStoredSkin stored;
    EXPECT_TRUE(stored.Empty());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadWrite);
    stored.SaveToCompressStream(&buffer);
    EXPECT_EQ(bytes, QByteArray("\x03\0\0\0\0\0\0\0", 8));
    TqvCompressedStoredSkin back;
    back.LoadFromCompressStream(&buffer);
    EXPECT_TRUE(back.Empty());

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("empty.skn"));
    stored.SaveToCompressFile(file);
    EXPECT_FALSE(QFile::exists(file));
}

TEST(StoredSkin, ContainerVersionAboveThreeGivesAnEmptySkin)
{
    QByteArray container = TTestSkin().Container();
    container[0] = 4;
    QBuffer buffer(&container);
    buffer.open(QIODevice::ReadOnly);
    TqvCompressedStoredSkin stored;
    stored.SetCompressedData("x");
    stored.LoadFromCompressStream(&buffer);
    EXPECT_TRUE(stored.Empty());
}

TEST(StoredSkin, ContainerLengthsAreCheckedAgainstTheBytesThatFollow)
{
    const QByteArray good = TTestSkin().Container();
    const QByteArray cases[] = {
        good.left(good.size() - 1),                           // truncated
        good.left(8) + good.mid(8).left(10),                  // truncated a lot
        Int32(3) + Int32(-5) + good.mid(8),                   // negative length
        Int32(3) + Int32(0x7FFFFFFF) + good.mid(8),           // oversized length
        Int32(3),                                             // header cut
        QByteArray(),                                         // nothing at all
    };
    for (const QByteArray& bytes : cases) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        TqvCompressedStoredSkin stored;
        EXPECT_THROW(stored.LoadFromCompressStream(&buffer), EqvSkinError) << bytes.size();
        EXPECT_TRUE(stored.Empty());
    }
}

TEST(StoredSkin, FileRoundTripKeepsTheBytes)
{
    QTemporaryDir dir;
    TqvCompressedStoredSkin stored;
    TTestSkin().StoreInto(stored);
    ASSERT_FALSE(stored.Empty());
    const QString file = dir.filePath(QStringLiteral("a.skn"));
    stored.SaveToCompressFile(file);
    TqvCompressedStoredSkin back;
    back.LoadFromCompressFile(file);
    EXPECT_EQ(back.CompressedData(), stored.CompressedData());
    EXPECT_THROW(back.LoadFromCompressFile(dir.filePath(QStringLiteral("missing.skn"))), EqvSkinError);
    EXPECT_TRUE(back.Empty());
}

TEST(StoredSkin, FolderBuilderCopiesTheIniTextAndPictures)
{
    QTemporaryDir dir;
    const TTestSkin skin = TTestSkin().WithMask();
    const QString ini = skin.WriteFolder(dir.path());
    TqvCompressedStoredSkin stored;
    stored.LoadFromIniFile(ini);
    QByteArray payload;
    QBuffer out(&payload);
    out.open(QIODevice::WriteOnly);
    stored.DeCompressToStream(&out);
    const TqvStoredSkinPayload p = ParseStoredSkinPayload(payload);
    EXPECT_EQ(p.Version, 3);
    EXPECT_EQ(p.IniText, skin.IniText());
    EXPECT_EQ(p.Picture, skin.Pictures().at(QLatin1String(TTestSkin::kFrame)));
    EXPECT_EQ(p.Mask, skin.Pictures().at(QLatin1String(TTestSkin::kMask)));
    EXPECT_TRUE(p.InActivePicture.isNull());
    ASSERT_EQ(p.ActivePictures.size(), 2u);

    // Not a skin ini: nothing changes. A missing picture: an error and an empty stored skin.
    QFile other(dir.filePath(QStringLiteral("other.ini")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[VERSION]\r\n");
    other.close();
    const QByteArray before = stored.CompressedData();
    stored.LoadFromIniFile(other.fileName());
    EXPECT_EQ(stored.CompressedData(), before);
    QFile::remove(dir.filePath(QLatin1String(TTestSkin::kControls)));
    EXPECT_THROW(stored.LoadFromIniFile(ini), EqvSkinError);
    EXPECT_TRUE(stored.Empty());
}

QImage Picture(int w, int h, QRgb c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

TEST(StoredSkinPayload, VersionTwoExtrasAreDroppedAndFlagsMayLeaveEverythingOut)
{
    const QByteArray bmp = EncodeSkinBmp(Picture(3, 2, qRgb(1, 2, 3)));
    QByteArray v2 = Int32(2) + '\0' + bmp + '\1' + '\1' + '\0' + bmp + '\0' + bmp + Int32(1) + bmp + "[VERSION]\r\n";
    const TqvStoredSkinPayload p = ParseStoredSkinPayload(v2);
    EXPECT_EQ(p.Version, 2);
    EXPECT_EQ(p.Picture, Picture(3, 2, qRgb(1, 2, 3)));
    EXPECT_TRUE(p.InActivePicture.isNull());
    EXPECT_TRUE(p.Mask.isNull());
    ASSERT_EQ(p.ActivePictures.size(), 1u);
    EXPECT_EQ(p.IniText, QByteArray("[VERSION]\r\n"));

    const TqvStoredSkinPayload bare = ParseStoredSkinPayload(Int32(3) + "\1\1\1" + Int32(0) + "ini");
    EXPECT_TRUE(bare.Picture.isNull());
    EXPECT_TRUE(bare.ActivePictures.empty());
    EXPECT_EQ(bare.IniText, QByteArray("ini"));

    EXPECT_EQ(ParseStoredSkinPayload(Int32(4) + "anything").Version, 4);
}

TEST(StoredSkinPayload, EveryLengthAndCountIsChecked)
{
    const QByteArray bmp = EncodeSkinBmp(Picture(4, 4, qRgb(9, 9, 9)));
    QByteArray longer = bmp;
    longer[2] = char(0xFF);  // bfSize past the end
    QByteArray tiny = bmp;
    tiny[2] = 5;  // bfSize below any header
    tiny[3] = tiny[4] = tiny[5] = 0;
    QByteArray hugeImage = bmp;
    hugeImage[18] = hugeImage[19] = hugeImage[20] = char(0x7F);  // width with no pixels behind it
    QByteArray overflowing = bmp;  // width, height and depth whose product overflows 64 bits
    for (int at : {18, 19, 20, 22, 23, 24})
        overflowing[at] = char(0xFF);
    overflowing[21] = overflowing[25] = char(0x7F);
    overflowing[28] = overflowing[29] = char(0xFF);
    const QByteArray cases[] = {
        QByteArray(),
        Int32(3),
        Int32(3) + '\0' + bmp.left(bmp.size() - 1) + "\1\1" + Int32(0),
        Int32(3) + '\0' + longer + "\1\1" + Int32(0),
        Int32(3) + '\0' + tiny + "\1\1" + Int32(0),
        Int32(3) + '\0' + hugeImage + "\1\1" + Int32(0),
        Int32(3) + '\0' + overflowing + "\1\1" + Int32(0),
        Int32(3) + "\1\1\1" + Int32(0x7FFFFFFF) + bmp,
        Int32(3) + "\1\1\1" + Int32(2) + bmp,
        Int32(3) + "\1\1\1" + Int32(1) + "XX" + bmp.mid(2),
        Int32(3) + "\1\1\1",
    };
    int i = 0;
    for (const QByteArray& payload : cases)
        EXPECT_THROW(ParseStoredSkinPayload(payload), EqvSkinError) << "case " << i++;
}

TEST(SkinList, NewItemsAreNumberedAndAssignmentCopies)
{
    TqvCompressedSkinList list;
    for (int i = 0; i < 3; ++i)
        list.Skins().Add();
    EXPECT_EQ(list.Skins().GetItem(0)->Name(), QStringLiteral("qvSkin0"));
    EXPECT_EQ(list.Skins().GetItem(2)->Name(), QStringLiteral("qvSkin2"));
    TTestSkin().StoreInto(*list.Skins().GetItem(1)->Skin());
    list.Skins().GetItem(1)->SetName(QStringLiteral("blue"));

    TqvCompressedSkinList copy;
    copy.SetSkins(list.Skins());
    ASSERT_EQ(copy.Skins().Count(), 3);
    EXPECT_EQ(copy.Skins().GetItem(1)->Name(), QStringLiteral("blue"));
    EXPECT_EQ(copy.Skins().GetItem(1)->Skin()->CompressedData(), list.Skins().GetItem(1)->Skin()->CompressedData());
    EXPECT_NE(copy.Skins().GetItem(1)->Skin(), list.Skins().GetItem(1)->Skin());
}

}  // namespace
