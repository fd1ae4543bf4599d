// The skin library's own interface texts as NAME=text lines, so an
// application translates the whole library by replacing lines.
#pragma once

#include "platform/Graphics.h"

#include <QObject>
#include <QStringList>

class TqvResourceStrData : public QObject {
public:
    explicit TqvResourceStrData(QObject* owner = nullptr);

    const QStringList& ResStrings() const { return FResStrs; }
    void SetResStrings(const QStringList& value) { FResStrs = value; }
    TFontCharset CharSet() const { return FCharSet; }
    void SetCharSet(TFontCharset value) { FCharSet = value; }

    // Text after the first "=" of the first line whose name matches without
    // regard to case; empty when no line has that name.
    QString GetResStr(const QString& resName) const;

    static const QStringList& DefaultLines();

private:
    QStringList FResStrs;
    TFontCharset FCharSet = DEFAULT_CHARSET;
};
