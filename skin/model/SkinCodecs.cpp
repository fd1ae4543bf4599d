#include "skin/model/SkinCodecs.h"

#include <array>

namespace {

// The numeric parts of a point ("X,Y") or rectangle ("L,T,R,B") text.
template <std::size_t N>
std::array<int, N> ParseParts(const QString& text)
{
    std::array<QString, N> parts;
    std::size_t n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u',') {
            if (++n == N)
                break;  // a comma beyond the last part ends the value
        } else if (c >= u'0' && c <= u'9') {
            parts[n] += c;
        } else if (c == u'-' && parts[n].isEmpty() && i + 1 < text.size() && text[i + 1] >= u'0' &&
                   text[i + 1] <= u'9') {
            parts[n] += c;
        }
    }
    std::array<int, N> values{};
    for (std::size_t k = 0; k < N; ++k) {
        bool ok = false;
        values[k] = parts[k].toInt(&ok);
        if (!ok)
            throw EqvConvertError(QStringLiteral("'%1' is not a valid integer value").arg(parts[k]).toStdString());
    }
    return values;
}

const char* const kAlignWords[] = {"taleftjustify", "tarightjustify", "tacenter"};
const char* const kStretchWords[] = {"stfull", "sthorz", "stvert"};
const char* const kEffectWords[] = {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
const char* const kMorphWords[] = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                   "mkleftslide", "mkrightslide", "mkpush"};
const char* const kCommandWords[] = {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu",
                                     "cmdefault", "cmrollup", "cmminimizetotray"};
const char* const kStyleWords[] = {"fsbold", "fsitalic", "fsunderline", "fsstrikeout"};

// Index of the word that equals text exactly, or fallback.
template <std::size_t N>
int WordIndex(const char* const (&words)[N], const QString& text, int fallback)
{
    for (std::size_t i = 0; i < N; ++i)
        if (text == QLatin1String(words[i]))
            return static_cast<int>(i);
    return fallback;
}

}  // namespace

TPoint ParseSkinPoint(const QString& text)
{
    const auto v = ParseParts<2>(text);
    return {v[0], v[1]};
}

TRect ParseSkinRect(const QString& text)
{
    const auto v = ParseParts<4>(text);
    return {v[0], v[1], v[2], v[3]};
}

TPoint ReadSkinPoint(const TqvSkinIni& ini, const QString& section, const QString& key)
{
    return ParseSkinPoint(ini.ReadString(section, key, QStringLiteral("0,0")));
}

TRect ReadSkinRect(const TqvSkinIni& ini, const QString& section, const QString& key)
{
    return ParseSkinRect(ini.ReadString(section, key, QStringLiteral("0,0,0,0")));
}

bool ReadSkinBoolean(const TqvSkinIni& ini, const QString& section, const QString& key)
{
    return ini.ReadInteger(section, key, 0) == 1;
}

TFontStyles ReadSkinFontStyles(const TqvSkinIni& ini, const QString& section, const QString& key)
{
    const QString text = ini.ReadString(section, key, QString());
    TFontStyles styles = 0;
    for (int i = 0; i < 4; ++i)
        if (text.contains(QLatin1String(kStyleWords[i])))
            styles |= static_cast<TFontStyles>(1u << i);
    return styles;
}

void ReadSkinStrings(const TqvSkinIni& ini, const QString& section, const QString& name, QStringList& strings)
{
    const QString countKey = name + QStringLiteral("count");
    const int count = ini.ReadInteger(section, countKey, 0);
    // No skin has lists this long; a damaged count must not allocate without bound.
    constexpr int kMaxItems = 100000;
    if (count > kMaxItems)
        throw EqvSkinError(QStringLiteral("The value of \"%1\" in section [%2] is too large: %3")
                               .arg(countKey, section)
                               .arg(count)
                               .toStdString());
    for (int i = 0; i < count; ++i)
        strings << ini.ReadString(section, QString::number(i), QString());
}

TAlignment ReadSkinAlignment(const TqvSkinIni& ini, const QString& section, const QString& key)
{
    return static_cast<TAlignment>(
        WordIndex(kAlignWords, ini.ReadString(section, key, QStringLiteral("tacenter")), taRightJustify));
}

TqvStretchType ReadStretchType(const TqvSkinIni& ini, const QString& section, const QString& key)
{
    return static_cast<TqvStretchType>(
        WordIndex(kStretchWords, ini.ReadString(section, key, QStringLiteral("stfull")), qvstHorz));
}

TqvInActiveEffect ReadInActiveEffect(const TqvSkinIni& ini, const QString& section, const QString& key)
{
    return static_cast<TqvInActiveEffect>(
        WordIndex(kEffectWords, ini.ReadString(section, key, QStringLiteral("iebrightness")), ieGrayScale));
}

TqvMorphKind ReadMorphKind(const TqvSkinIni& ini, const QString& section, const QString& key)
{
    return static_cast<TqvMorphKind>(
        WordIndex(kMorphWords, ini.ReadString(section, key, QStringLiteral("mkdefault")), mkDefault));
}

void WriteSkinPoint(TqvSkinIni& ini, const QString& section, const QString& key, TPoint value)
{
    ini.WriteString(section, key, QStringLiteral("%1,%2").arg(value.X).arg(value.Y));
}

void WriteSkinRect(TqvSkinIni& ini, const QString& section, const QString& key, const TRect& value)
{
    ini.WriteString(section, key,
                    QStringLiteral("%1,%2,%3,%4").arg(value.Left).arg(value.Top).arg(value.Right).arg(value.Bottom));
}

void WriteSkinBoolean(TqvSkinIni& ini, const QString& section, const QString& key, bool value)
{
    ini.WriteInteger(section, key, value ? 1 : 0);
}

void WriteSkinFontStyles(TqvSkinIni& ini, const QString& section, const QString& key, TFontStyles value)
{
    QStringList words;
    for (int i = 0; i < 4; ++i)
        if (value & (1u << i))
            words << QLatin1String(kStyleWords[i]);
    ini.WriteString(section, key, words.join(u','));
}

void WriteSkinStrings(TqvSkinIni& ini, const QString& section, const QString& name, const QStringList& strings)
{
    ini.WriteInteger(section, name + QStringLiteral("count"), static_cast<int>(strings.size()));
    for (qsizetype i = 0; i < strings.size(); ++i)
        ini.WriteString(section, QString::number(i), strings[i]);
}

void WriteSkinAlignment(TqvSkinIni& ini, const QString& section, const QString& key, TAlignment value)
{
    ini.WriteString(section, key, QLatin1String(kAlignWords[static_cast<int>(value)]));
}

void WriteStretchType(TqvSkinIni& ini, const QString& section, const QString& key, TqvStretchType value)
{
    ini.WriteString(section, key, QLatin1String(kStretchWords[value]));
}

void WriteInActiveEffect(TqvSkinIni& ini, const QString& section, const QString& key, TqvInActiveEffect value)
{
    ini.WriteString(section, key, QLatin1String(kEffectWords[value]));
}

void WriteMorphKind(TqvSkinIni& ini, const QString& section, const QString& key, TqvMorphKind value)
{
    ini.WriteString(section, key, QLatin1String(kMorphWords[value]));
}

TqvStdCommand StdCommandFromWord(const QString& word)
{
    // "cmminimizetotray" is no word of the reader: it is what unknown words become.
    const int i = WordIndex(kCommandWords, word, cmMinimizeToTray);
    return static_cast<TqvStdCommand>(i);
}

QString StdCommandWord(TqvStdCommand command)
{
    return QLatin1String(kCommandWords[command]);
}

bool IsSkinIniFile(const TqvSkinIni& ini)
{
    for (const char* s : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.SectionExists(QLatin1String(s)))
            return false;
    return true;
}
