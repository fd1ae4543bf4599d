// skin_gallery --out DIR [--skin N]: one contact sheet (NN.png) per stored
// skin, or for skin N only. The skins come from the embedded skin list,
// loaded the way the program loads them.
#include "platform/Application.h"
#include "resources/skins/StoredSkins.h"
#include "skin/forms/menu/MenuServices.h"
#include "tools/gallery/GallerySheet.h"

#include <QDir>
#include <QApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    // Widgets: the control sections grab real skinned controls.
    QApplication app(argc, argv);
    RegisterSkinMenuServices();
    const QStringList args = app.arguments();
    QString out;
    int only = -1;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == QLatin1String("--skin") && i + 1 < args.size())
            only = args[++i].toInt();
        else {
            std::fprintf(stderr, "skin_gallery: unknown argument %s\n", qPrintable(args[i]));
            return 2;
        }
    }
    if (out.isEmpty()) {
        std::fprintf(stderr, "usage: skin_gallery --out DIR [--skin N]\n");
        return 2;
    }
    try {
        TqvCompressedSkinList list;
        LoadStoredSkins(list);
        if (only >= list.Skins().Count()) {
            std::fprintf(stderr, "skin_gallery: there is no skin %d\n", only);
            return 2;
        }
        QDir().mkpath(out);
        TqvSkinData skin;
        skin.SetSkinIndex(-1);
        skin.SetSkinList(&list);
        for (int i = 0; i < list.Skins().Count(); ++i) {
            if (only >= 0 && i != only)
                continue;
            skin.SetSkinIndex(i);
            TGallerySheet sheet(skin, i);
            for (const TGallerySection& section : GallerySections()) {
                sheet.Heading(QString::fromLatin1(section.Title));
                section.Draw(sheet);
            }
            const QString file = QStringLiteral("%1/%2.png").arg(out).arg(i, 2, 10, QLatin1Char('0'));
            const QString regions = QStringLiteral("%1/%2.regions").arg(out).arg(i, 2, 10, QLatin1Char('0'));
            if (!sheet.Finish().save(file) || !sheet.WriteTextRegions(regions)) {
                std::fprintf(stderr, "skin_gallery: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skin_gallery: %s\n", e.what());
        DestroyApplication();
        return 1;
    }
    DestroyApplication();
    return 0;
}
