#include "platform/IniFiles.h"

#include <QFile>
#include "platform/SafeFile.h"

#include <climits>
#include <optional>
#include <vector>

namespace {

// One line of the file: its bytes (without the line break) and what it means.
struct TLine {
    QByteArray Raw;
    enum { Other, Section, Key } Kind = Other;
    QString Name;   // section or key name, trimmed
    QString Value;  // key lines only, trimmed
};

struct TDocument {
    std::vector<TLine> Lines;
    QByteArray Bom;
    QByteArray Eol = "\n";
    bool EndsWithEol = true;
};

TLine ParseLine(const QByteArray& raw) {
    TLine l;
    l.Raw = raw;
    const QString text = QString::fromUtf8(raw).trimmed();
    if (text.startsWith(QLatin1Char('['))) {
        const int close = text.indexOf(QLatin1Char(']'));
        if (close > 0) {
            l.Kind = TLine::Section;
            l.Name = text.mid(1, close - 1).trimmed();
        }
        return l;
    }
    if (text.startsWith(QLatin1Char(';'))) return l;
    const int eq = text.indexOf(QLatin1Char('='));
    if (eq > 0) {
        l.Kind = TLine::Key;
        l.Name = text.left(eq).trimmed();
        l.Value = text.mid(eq + 1).trimmed();
    }
    return l;
}

// A missing or unreadable file reads as empty.
TDocument Load(const QString& file) {
    TDocument d;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return d;
    QByteArray data = f.readAll();
    if (data.startsWith("\xEF\xBB\xBF")) {
        d.Bom = data.left(3);
        data.remove(0, 3);
    }
    if (data.contains("\r\n")) d.Eol = "\r\n";
    if (data.isEmpty()) return d;
    d.EndsWithEol = data.endsWith('\n');
    QList<QByteArray> parts = data.split('\n');
    if (d.EndsWithEol) parts.removeLast();
    for (QByteArray& p : parts) {
        if (p.endsWith('\r')) p.chop(1);
        d.Lines.push_back(ParseLine(p));
    }
    return d;
}

void Save(const TDocument& d, const QString& file) {
    QByteArray out = d.Bom;
    for (size_t i = 0; i < d.Lines.size(); ++i) {
        out += d.Lines[i].Raw;
        if (i + 1 < d.Lines.size() || d.EndsWithEol) out += d.Eol;
    }
    if (!ReplaceFileContent(file, out)) throw EIniFileException("Unable to write to " + file.toStdString());
}

bool Same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The first section of that name: [header, end) line indexes. Names are
// compared trimmed, as the lines store them.
std::optional<std::pair<size_t, size_t>> FindSection(const TDocument& d, const QString& section) {
    const QString name = section.trimmed();
    for (size_t i = 0; i < d.Lines.size(); ++i) {
        if (d.Lines[i].Kind != TLine::Section || !Same(d.Lines[i].Name, name)) continue;
        size_t end = i + 1;
        while (end < d.Lines.size() && d.Lines[end].Kind != TLine::Section) ++end;
        return std::make_pair(i, end);
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const TDocument& d, const QString& section, const QString& ident) {
    const auto s = FindSection(d, section);
    if (!s) return std::nullopt;
    const QString key = ident.trimmed();
    for (size_t i = s->first + 1; i < s->second; ++i)
        if (d.Lines[i].Kind == TLine::Key && Same(d.Lines[i].Name, key)) return i;
    return std::nullopt;
}

void CheckText(const QString& file, std::initializer_list<QString> parts) {
    // A line break would end the line early and make the rest a line of its own.
    for (const QString& p : parts)
        if (p.contains(QLatin1Char('\n')) || p.contains(QLatin1Char('\r')))
            throw EIniFileException("Unable to write to " + file.toStdString() + ": line breaks cannot be stored");
}

}  // namespace

QString TIniFile::ReadString(const QString& section, const QString& ident, const QString& def) const {
    const TDocument d = Load(FFileName);
    const auto k = FindKey(d, section, ident);
    return k ? d.Lines[*k].Value : def;
}

void TIniFile::WriteString(const QString& section, const QString& ident, const QString& value) {
    CheckText(FFileName, {section, ident, value});
    // Names the reader would not give back: a section ends at "]", a line
    // starting with "[" or ";" is a header or a comment.
    const QString key = ident.trimmed();
    auto refuse = [&](const char* what, const QString& name) {
        throw EIniFileException("Unable to write to " + FFileName.toStdString() + ": invalid " + what + " \"" +
                                name.toStdString() + "\"");
    };
    if (key.isEmpty() || key.contains(QLatin1Char('=')) || key.startsWith(QLatin1Char('[')) ||
        key.startsWith(QLatin1Char(';')))
        refuse("key", ident);
    if (section.contains(QLatin1Char(']'))) refuse("section", section);
    TDocument d = Load(FFileName);
    const TLine line = ParseLine((key + QLatin1Char('=') + value).toUtf8());
    if (const auto k = FindKey(d, section, ident)) {
        d.Lines[*k] = line;
    } else if (const auto s = FindSection(d, section)) {
        // After the section's last non-blank line, so blank separators stay last.
        size_t at = s->second;
        while (at > s->first + 1 && d.Lines[at - 1].Raw.trimmed().isEmpty()) --at;
        d.Lines.insert(d.Lines.begin() + std::ptrdiff_t(at), line);
    } else {
        if (!d.Lines.empty() && !d.Lines.back().Raw.trimmed().isEmpty()) d.Lines.push_back(ParseLine(""));
        d.Lines.push_back(ParseLine(("[" + section.trimmed() + "]").toUtf8()));
        d.Lines.push_back(line);
    }
    d.EndsWithEol = true;
    Save(d, FFileName);
}

int TIniFile::ReadInteger(const QString& section, const QString& ident, int def) const {
    QString s = ReadString(section, ident, QString());
    bool ok = false;
    int sign = 1;
    if (s.startsWith(QLatin1Char('-'))) {
        sign = -1;
        s.remove(0, 1);
    } else if (s.startsWith(QLatin1Char('+'))) {
        s.remove(0, 1);
    }
    long long v = 0;
    if (s.startsWith(QLatin1Char('$'))) v = s.mid(1).toLongLong(&ok, 16);
    else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) v = s.mid(2).toLongLong(&ok, 16);
    else v = s.toLongLong(&ok, 10);
    v *= sign;
    if (!ok || v < INT_MIN || v > INT_MAX) return def;
    return int(v);
}

void TIniFile::WriteInteger(const QString& section, const QString& ident, int value) {
    WriteString(section, ident, QString::number(value));
}

bool TIniFile::ReadBool(const QString& section, const QString& ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const QString& section, const QString& ident, bool value) {
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString& section) const { return FindSection(Load(FFileName), section).has_value(); }

bool TIniFile::ValueExists(const QString& section, const QString& ident) const {
    return FindKey(Load(FFileName), section, ident).has_value();
}

void TIniFile::ReadSection(const QString& section, TStrings& idents) const {
    const TDocument d = Load(FFileName);
    idents.BeginUpdate();
    idents.Clear();
    if (const auto s = FindSection(d, section))
        for (size_t i = s->first + 1; i < s->second; ++i)
            if (d.Lines[i].Kind == TLine::Key) idents.Add(d.Lines[i].Name);
    idents.EndUpdate();
}

void TIniFile::ReadSections(TStrings& sections) const {
    const TDocument d = Load(FFileName);
    sections.BeginUpdate();
    sections.Clear();
    for (const TLine& l : d.Lines)
        if (l.Kind == TLine::Section) sections.Add(l.Name);
    sections.EndUpdate();
}

void TIniFile::ReadSectionValues(const QString& section, TStrings& lines) const {
    const TDocument d = Load(FFileName);
    lines.BeginUpdate();
    lines.Clear();
    if (const auto s = FindSection(d, section))
        for (size_t i = s->first + 1; i < s->second; ++i)
            if (d.Lines[i].Kind == TLine::Key) lines.Add(d.Lines[i].Name + QLatin1Char('=') + d.Lines[i].Value);
    lines.EndUpdate();
}

void TIniFile::EraseSection(const QString& section) {
    TDocument d = Load(FFileName);
    const auto s = FindSection(d, section);
    if (!s) return;
    d.Lines.erase(d.Lines.begin() + std::ptrdiff_t(s->first), d.Lines.begin() + std::ptrdiff_t(s->second));
    Save(d, FFileName);
}

void TIniFile::DeleteKey(const QString& section, const QString& ident) {
    TDocument d = Load(FFileName);
    const auto k = FindKey(d, section, ident);
    if (!k) return;
    d.Lines.erase(d.Lines.begin() + std::ptrdiff_t(*k));
    Save(d, FFileName);
}
