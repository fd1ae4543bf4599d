// A temporary program folder and home for the settings tests, with helpers
// to set up "option.ini" and to read back what it holds.
#pragma once

#include "app/settings/SettingsFile.h"
#include "platform/Classes.h"
#include "platform/IniFiles.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class SettingsTest : public ::testing::Test {
protected:
    QTemporaryDir ProgramDir;
    QTemporaryDir HomeDir;

    // Like the program's own folder name: it ends in "/".
    QString Program() const { return ProgramDir.path() + "/"; }
    QString Home() const { return HomeDir.path(); }
    QString IniFile() const { return settings::OptionIniFileName(Program()); }

    void WriteIni(const QByteArray& text) const {
        QFile f(IniFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(text), text.size());
    }

    QByteArray IniBytes() const {
        QFile f(IniFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }

    QStringList Sections() const {
        TStringList l;
        TIniFile(IniFile()).ReadSections(l);
        return ToList(l);
    }

    // "key=value" lines of a section, in file order.
    QStringList Values(const QString& section) const {
        TStringList l;
        TIniFile(IniFile()).ReadSectionValues(section, l);
        return ToList(l);
    }

    // The stored text, or "<none>" when the key is not there at all.
    QString Stored(const QString& section, const QString& key) const {
        return TIniFile(IniFile()).ReadString(section, key, "<none>");
    }

    static QStringList ToList(const TStrings& l) {
        QStringList out;
        for (int i = 0; i < l.Count(); ++i) out << l[i];
        return out;
    }
};
