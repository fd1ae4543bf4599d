// Fuzz target over the stored-skin reader and the skin ini reader. The first
// input byte picks what the rest is: a ".skn" container, an inflated payload,
// or skin ini text. Every input must end in a loaded skin or an exception,
// never in a crash, a hang or a half-filled model.
#include "skin/model/SkinData.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray ContainerOf(const QByteArray& zlib)
{
    QByteArray c;
    for (quint32 v : {3u, quint32(zlib.size())})
        for (int i = 0; i < 4; ++i)
            c.append(char((v >> (8 * i)) & 0xFF));
    return c + zlib;
}

void CheckClean(const TqvSkinData& model)
{
    // A failed load must leave nothing behind.
    if (!model.Empty || !model.CtrlList.empty() || !model.ObjectList.empty() || !model.FActivePictures.empty() ||
        model.ChangeSkinDataProcess)
        std::abort();
}

[[maybe_unused]] void LoadContainer(const QByteArray& container)
{
    TqvCompressedStoredSkin stored;
    QByteArray copy = container;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    try {
        stored.LoadFromCompressStream(&buffer);
    } catch (const std::exception&) {
        return;
    }
    TqvSkinData model;
    try {
        model.LoadCompressedStoredSkin(stored);
    } catch (const std::exception&) {
        CheckClean(model);
        return;
    }
    // Whatever loaded must write out and read back.
    TqvSkinIni ini;
    model.WriteSkinIni(ini);
    (void)model.GetControlIndex(QStringLiteral("button"));
}

void EnsureApplication()
{
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_skin_model";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
}

// A small skin built in code: two pictures, a few records of each list.
[[maybe_unused]] QByteArray SeedPayload(bool withFrame)
{
    TqvSkinData model;
    QImage picture(16, 8, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    if (withFrame)
        model.FPicture = picture;
    model.FActivePictures = {picture};
    model.FActivePicturesNames = {QStringLiteral("a.bmp")};
    model.SkinName = QStringLiteral("seed");
    for (const char* kind : {"button", "panel", "scrollbar", "updown"})
        model.CtrlList.push_back(CreateSkinControlRecord(QLatin1String(kind), QLatin1String(kind)));
    for (const char* kind : {"caption", "stdbutton", "menuitem"})
        model.ObjectList.push_back(CreateSkinObjectRecord(QLatin1String(kind), QLatin1String(kind)));
    TqvStoredSkinPayload p;
    p.Picture = model.FPicture;
    p.ActivePictures = model.FActivePictures;
    TqvSkinIni ini;
    model.WriteSkinIni(ini);
    p.IniText = ini.ToText();
    return BuildStoredSkinPayload(p);
}

}  // namespace

#ifdef QV_FUZZ_SEEDS

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    EnsureApplication();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    auto write = [&](const char* name, char mode, const QByteArray& bytes) {
        QFile f(folder + u'/' + QLatin1String(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(1, mode) + bytes) < 0)
            std::exit(1);
    };
    const QByteArray payload = SeedPayload(true);
    write("container", 'c', ContainerOf(CompressBytes(payload)));
    write("payload", 'p', payload);
    write("payload_bare", 'p', SeedPayload(false));
    const qsizetype ini = payload.indexOf("[VERSION]");
    write("ini", 'i', payload.mid(ini));
    return 0;
}

#else

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureApplication();
    if (size < 1)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    switch (data[0]) {
    case 'c':
        LoadContainer(rest);
        break;
    case 'p':
        LoadContainer(ContainerOf(CompressBytes(rest)));
        try {
            (void)ParseStoredSkinPayload(rest);
        } catch (const std::exception&) {
        }
        break;
    case 'i': {
        // Ini text alone, behind a payload without pictures.
        QByteArray payload("\x03\0\0\0\1\1\1\0\0\0\0", 11);
        LoadContainer(ContainerOf(CompressBytes(payload + rest)));
        break;
    }
    default:
        break;
    }
    return 0;
}

#endif
