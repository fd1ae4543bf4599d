// One process-wide cache of the namespace's icons at small (16) and large
// (32) size: the icon theme's pictures for folders, drives, the computer and
// each MIME type met, with pictures of our own where the theme has none. An
// icon's index is its position in the cache, the same in both lists.
#pragma once

#include "platform/ImgList.h"

#include <QHash>
#include <QString>

class TqvShellIcons {
public:
    static TqvShellIcons& Instance();

    TCustomImageList* Small() const { return FSmall; }
    TCustomImageList* Large() const { return FLarge; }

    // Built-in kinds: "folder", "folder-open", "file", "computer", "desktop",
    // "home", "drive"; anything else is a MIME type name.
    int IndexOf(const QString& key);
    // The index for a file name, by the MIME type its name suggests.
    int IndexOfFile(const QString& fileName);
    int Count() const { return FSmall->Count(); }

    // Our own picture of a built-in kind (the theme's is not used).
    static QImage BuiltInImage(const QString& kind, int size);

private:
    TqvShellIcons();
    int AddPictures(const QImage& small, const QImage& large);

    TCustomImageList* FSmall;
    TCustomImageList* FLarge;
    QHash<QString, int> FIndex;
};
