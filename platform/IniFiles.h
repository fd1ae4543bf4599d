// Settings files: UTF-8 text of [section] and key=value lines. Sections and
// keys match ignoring case and surrounding blanks; values are stored and read
// as given (surrounding blanks aside). Every call opens the file once and closes it again, and a
// write changes only its own line, so comments and unknown lines stay.
#pragma once

#include "platform/Classes.h"

#include <QString>

#include <stdexcept>

// "Unable to write to <file>": the file on disk is left as it was.
class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TIniFile {
public:
    explicit TIniFile(const QString& fileName) : FFileName(fileName) {}

    QString FileName() const { return FFileName; }

    // The default when the file, the section or the key is missing.
    QString ReadString(const QString& section, const QString& ident, const QString& def) const;
    void WriteString(const QString& section, const QString& ident, const QString& value);
    // Decimal or hexadecimal ("$1F", "0x1F"); the default when not a number.
    int ReadInteger(const QString& section, const QString& ident, int def) const;
    void WriteInteger(const QString& section, const QString& ident, int value);
    // Any non-zero number is true; written as "1" or "0".
    bool ReadBool(const QString& section, const QString& ident, bool def) const;
    void WriteBool(const QString& section, const QString& ident, bool value);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& ident) const;
    void ReadSection(const QString& section, TStrings& idents) const;
    void ReadSections(TStrings& sections) const;
    void ReadSectionValues(const QString& section, TStrings& lines) const;
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& ident);
    // Writes happen at once; nothing is held back.
    void UpdateFile() {}

private:
    QString FFileName;
};
