// The skin ini: an in-memory ini text with the rules skins are written in.
// Section and key names match without regard to case, values come back as
// written, the first of two equal keys wins, and everything the skin code does
// not touch (comments, unknown sections and keys) is kept in place.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

// Base of the skin model's own errors; the message is meant for the user.
class EqvSkinError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that should hold a number does not ("'' is not a valid integer value").
class EqvConvertError : public EqvSkinError {
public:
    using EqvSkinError::EqvSkinError;
};

// Replaces a file's content whole or not at all: the bytes go to a temporary
// file beside it, every write checked, and only a complete file takes its
// name. Throws EqvSkinError naming the file and the reason; the old file then
// stays as it was.
void WriteSkinFile(const QString& fileName, const QByteArray& data);

// Strict decimal or hexadecimal ("$1F", "0x1F") 32-bit integer; false when the
// text is no such number. Blanks around the number are allowed.
bool TryStrToInt(const QString& text, int& value);

class TqvSkinIni {
public:
    TqvSkinIni() = default;

    // Text as UTF-8 (a byte-order mark is skipped); lines may end in LF or CR LF.
    void LoadFromText(const QByteArray& text);
    // Throws EqvSkinError when the file cannot be read.
    void LoadFromFile(const QString& fileName);
    // CR LF lines, UTF-8 without a byte-order mark.
    QByteArray ToText() const;
    // Writes through a temporary file, so a failed write leaves the old file whole.
    void SaveToFile(const QString& fileName) const;

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList Sections() const;
    QStringList Keys(const QString& section) const;

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // The default also for a value that is no number.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void EraseSection(const QString& section);
    void Clear();

private:
    struct TLine {
        QString Key;    // empty for a line that is no key (comment, blank)
        QString Value;  // the value, or the whole line when Key is empty
    };
    struct TSection {
        QString Name;
        std::vector<TLine> Lines;
    };
    TSection* Find(const QString& section);
    const TSection* Find(const QString& section) const;
    static const TLine* FindKey(const TSection& s, const QString& key);

    std::vector<TLine> FPreamble;  // lines before the first section
    std::vector<TSection> FSections;
};
