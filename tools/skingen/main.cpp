// skingen --out DIR [--folders]: writes the eleven stored skins as DIR/NN.skn
// and, with --folders, as readable skin folders DIR/NN/ (ini and BMPs).
#include "tools/skingen/SkinGen.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString out;
    bool folders = false;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == QLatin1String("--folders"))
            folders = true;
        else {
            std::fprintf(stderr, "skingen: unknown argument %s\n", qPrintable(args[i]));
            return 2;
        }
    }
    if (out.isEmpty()) {
        std::fprintf(stderr, "usage: skingen --out DIR [--folders]\n");
        return 2;
    }
    try {
        WriteStoredSkins(out, folders);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
