#include "skin/forms/shell/ShellIcons.h"

#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>

namespace {

const char* ThemeName(const QString& kind) {
    if (kind == QLatin1String("folder")) return "folder";
    if (kind == QLatin1String("folder-open")) return "folder-open";
    if (kind == QLatin1String("file")) return "text-x-generic";
    if (kind == QLatin1String("computer")) return "computer";
    if (kind == QLatin1String("desktop")) return "user-desktop";
    if (kind == QLatin1String("home")) return "user-home";
    if (kind == QLatin1String("drive")) return "drive-harddisk";
    return nullptr;
}

QImage FromIcon(const QIcon& icon, int size) {
    QImage img = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
    if (img.isNull()) return {};
    if (img.width() != size || img.height() != size)
        img = img.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return img;
}

}  // namespace

TqvShellIcons& TqvShellIcons::Instance() {
    // Lives as long as the process: every shell view shares it.
    static TqvShellIcons* icons = new TqvShellIcons;
    return *icons;
}

TqvShellIcons::TqvShellIcons() : FSmall(new TImageList), FLarge(new TImageList) {
    FSmall->SetSize(16, 16);
    FLarge->SetSize(32, 32);
    for (const char* k : {"folder", "folder-open", "file", "computer", "desktop", "home", "drive"})
        IndexOf(QString::fromLatin1(k));
}

int TqvShellIcons::AddPictures(const QImage& small, const QImage& large) {
    FLarge->Add(large);
    return FSmall->Add(small);
}

int TqvShellIcons::IndexOf(const QString& key) {
    if (auto it = FIndex.constFind(key); it != FIndex.constEnd()) return *it;
    int index = -1;
    if (const char* theme = ThemeName(key)) {
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(theme));
        QImage s = icon.isNull() ? QImage() : FromIcon(icon, 16);
        QImage l = icon.isNull() ? QImage() : FromIcon(icon, 32);
        if (s.isNull() || l.isNull()) {
            s = BuiltInImage(key, 16);
            l = BuiltInImage(key, 32);
        }
        index = AddPictures(s, l);
    } else {
        // A MIME type: the theme's icon, its generic icon, else the plain file.
        const QMimeType mime = QMimeDatabase().mimeTypeForName(key);
        QIcon icon;
        if (mime.isValid()) {
            icon = QIcon::fromTheme(mime.iconName());
            if (icon.isNull()) icon = QIcon::fromTheme(mime.genericIconName());
        }
        const QImage s = icon.isNull() ? QImage() : FromIcon(icon, 16);
        const QImage l = icon.isNull() ? QImage() : FromIcon(icon, 32);
        index = s.isNull() || l.isNull() ? IndexOf(QStringLiteral("file")) : AddPictures(s, l);
    }
    FIndex.insert(key, index);
    return index;
}

int TqvShellIcons::IndexOfFile(const QString& fileName) {
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    if (!mime.isValid() || mime.isDefault()) return IndexOf(QStringLiteral("file"));
    return IndexOf(mime.name());
}

QImage TqvShellIcons::BuiltInImage(const QString& kind, int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const double u = size / 16.0;
    auto R = [u](double x, double y, double w, double h) { return QRectF(x * u, y * u, w * u, h * u); };
    const QColor outline(60, 60, 60);
    p.setPen(QPen(outline, 1));
    if (kind == QLatin1String("folder") || kind == QLatin1String("folder-open")) {
        const bool open = kind == QLatin1String("folder-open");
        p.setBrush(QColor(226, 178, 60));
        p.drawRect(R(1, 3, 6, 2));
        p.drawRect(R(1, 4, 14, 10));
        if (open) {
            p.setBrush(QColor(250, 214, 110));
            QPainterPath path;
            path.moveTo(3 * u, 7 * u);
            path.lineTo(15.5 * u, 7 * u);
            path.lineTo(14 * u, 14 * u);
            path.lineTo(1 * u, 14 * u);
            path.closeSubpath();
            p.drawPath(path);
        }
    } else if (kind == QLatin1String("computer")) {
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(R(1, 2, 14, 9));
        p.setBrush(QColor(70, 120, 200));
        p.drawRect(R(2.5, 3.5, 11, 6));
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(R(4, 12, 8, 2));
    } else if (kind == QLatin1String("desktop")) {
        p.setBrush(QColor(60, 110, 190));
        p.drawRect(R(1, 2, 14, 11));
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(R(3, 4, 3, 3));
    } else if (kind == QLatin1String("home")) {
        p.setBrush(QColor(210, 90, 60));
        QPainterPath roof;
        roof.moveTo(8 * u, 1 * u);
        roof.lineTo(15 * u, 8 * u);
        roof.lineTo(1 * u, 8 * u);
        roof.closeSubpath();
        p.drawPath(roof);
        p.setBrush(QColor(240, 230, 200));
        p.drawRect(R(3, 8, 10, 7));
        p.setBrush(QColor(130, 90, 50));
        p.drawRect(R(7, 10, 3, 5));
    } else if (kind == QLatin1String("drive")) {
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(R(1, 5, 14, 7));
        p.setBrush(QColor(40, 200, 60));
        p.drawRect(R(11, 9, 2, 1));
    } else {
        p.setBrush(Qt::white);
        QPainterPath page;
        page.moveTo(3 * u, 1 * u);
        page.lineTo(10 * u, 1 * u);
        page.lineTo(13 * u, 4 * u);
        page.lineTo(13 * u, 15 * u);
        page.lineTo(3 * u, 15 * u);
        page.closeSubpath();
        p.drawPath(page);
        p.drawLine(QPointF(10 * u, 1 * u), QPointF(10 * u, 4 * u));
        p.drawLine(QPointF(10 * u, 4 * u), QPointF(13 * u, 4 * u));
    }
    return img;
}
