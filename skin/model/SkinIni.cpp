#include "skin/model/SkinIni.h"

#include "platform/SafeFile.h"

#include <QFile>

#include <limits>

void WriteSkinFile(const QString& fileName, const QByteArray& data)
{
    QString why;
    if (!ReplaceFileContent(fileName, data, &why))
        throw EqvSkinError(QStringLiteral("Cannot write file \"%1\": %2").arg(fileName, why).toStdString());
}

bool TryStrToInt(const QString& text, int& value)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < t.size() && t[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == u'0' && (t[i + 1] == u'x' || t[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        const int d = QChar(t[i]).digitValue();
        const char16_t c = t[i].unicode();
        int digit = -1;
        if (c < 128 && d >= 0)
            digit = d;
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0 || digit >= base)
            return false;
        v = v * base + digit;
        // Hexadecimal may spell the full 32-bit pattern ($FFFFFFFF = -1).
        const long long limit = base == 16 ? 0xFFFFFFFFLL : 0x80000000LL;
        if (v > limit)
            return false;
    }
    if (base == 16 && v > std::numeric_limits<int>::max())
        v = static_cast<int>(static_cast<unsigned>(v));
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(v);
    return true;
}

void TqvSkinIni::Clear()
{
    FPreamble.clear();
    FSections.clear();
}

void TqvSkinIni::LoadFromText(const QByteArray& bytes)
{
    Clear();
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    const QString text = QString::fromUtf8(data);
    TSection* current = nullptr;
    for (QStringView raw : QStringView(text).split(u'\n')) {
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        const QStringView line = raw.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed().toString();
            current = Find(name);
            if (!current) {
                FSections.push_back({name, {}});
                current = &FSections.back();
            }
            continue;
        }
        TLine l;
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && !line.startsWith(u';')) {
            l.Key = line.left(eq).trimmed().toString();
            l.Value = line.mid(eq + 1).trimmed().toString();
        } else {
            l.Value = raw.toString();
        }
        if (l.Key.isEmpty() && l.Value.trimmed().isEmpty())
            continue;  // blank lines are layout, not content
        (current ? current->Lines : FPreamble).push_back(l);
    }
}

void TqvSkinIni::LoadFromFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EqvSkinError(QStringLiteral("Cannot open file \"%1\": %2").arg(fileName, f.errorString()).toStdString());
    LoadFromText(f.readAll());
}

QByteArray TqvSkinIni::ToText() const
{
    QString out;
    auto put = [&out](const std::vector<TLine>& lines) {
        for (const TLine& l : lines) {
            out += l.Key.isEmpty() ? l.Value : l.Key + u'=' + l.Value;
            out += QStringLiteral("\r\n");
        }
    };
    put(FPreamble);
    for (const TSection& s : FSections) {
        out += u'[' + s.Name + QStringLiteral("]\r\n");
        put(s.Lines);
        out += QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

void TqvSkinIni::SaveToFile(const QString& fileName) const
{
    WriteSkinFile(fileName, ToText());
}

TqvSkinIni::TSection* TqvSkinIni::Find(const QString& section)
{
    for (TSection& s : FSections)
        if (s.Name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const TqvSkinIni::TSection* TqvSkinIni::Find(const QString& section) const
{
    return const_cast<TqvSkinIni*>(this)->Find(section);
}

const TqvSkinIni::TLine* TqvSkinIni::FindKey(const TSection& s, const QString& key)
{
    for (const TLine& l : s.Lines)
        if (!l.Key.isEmpty() && l.Key.compare(key, Qt::CaseInsensitive) == 0)
            return &l;
    return nullptr;
}

bool TqvSkinIni::SectionExists(const QString& section) const
{
    return Find(section) != nullptr;
}

bool TqvSkinIni::ValueExists(const QString& section, const QString& key) const
{
    const TSection* s = Find(section);
    return s && FindKey(*s, key);
}

QStringList TqvSkinIni::Sections() const
{
    QStringList names;
    for (const TSection& s : FSections)
        names << s.Name;
    return names;
}

QStringList TqvSkinIni::Keys(const QString& section) const
{
    QStringList keys;
    if (const TSection* s = Find(section))
        for (const TLine& l : s->Lines)
            if (!l.Key.isEmpty())
                keys << l.Key;
    return keys;
}

QString TqvSkinIni::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const TSection* s = Find(section);
    const TLine* l = s ? FindKey(*s, key) : nullptr;
    return l ? l->Value : def;
}

int TqvSkinIni::ReadInteger(const QString& section, const QString& key, int def) const
{
    const TSection* s = Find(section);
    const TLine* l = s ? FindKey(*s, key) : nullptr;
    int v = def;
    if (l && TryStrToInt(l->Value, v))
        return v;
    return def;
}

void TqvSkinIni::WriteString(const QString& section, const QString& key, const QString& value)
{
    TSection* s = Find(section);
    if (!s) {
        FSections.push_back({section, {}});
        s = &FSections.back();
    }
    // A value is one line; a line break inside it would split the key.
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    if (const TLine* l = FindKey(*s, key)) {
        const_cast<TLine*>(l)->Value = v;
        return;
    }
    s->Lines.push_back({key, v});
}

void TqvSkinIni::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TqvSkinIni::EraseSection(const QString& section)
{
    for (auto it = FSections.begin(); it != FSections.end(); ++it)
        if (it->Name.compare(section, Qt::CaseInsensitive) == 0) {
            FSections.erase(it);
            return;
        }
}
