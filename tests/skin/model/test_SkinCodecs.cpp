#include "skin/model/ResourceStrings.h"
#include "skin/model/SkinCodecs.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

TqvSkinIni Ini(const char* text)
{
    TqvSkinIni ini;
    ini.LoadFromText(QByteArray(text));
    return ini;
}

struct TRectCase {
    const char* Name;
    const char* Text;
    TRect Expected;
};

void PrintTo(const TRectCase& c, std::ostream* os)
{
    *os << '"' << c.Text << "\" -> (" << c.Expected.Left << ", " << c.Expected.Top << ", " << c.Expected.Right << ", "
        << c.Expected.Bottom << ")";
}

class ParseSkinRectCases : public ::testing::TestWithParam<TRectCase> {};

TEST_P(ParseSkinRectCases, ReadsTheDigitsOfEachPart)
{
    EXPECT_EQ(ParseSkinRect(QLatin1String(GetParam().Text)), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseSkinRectCases,
                         ::testing::Values(TRectCase{"plain", "1,2,3,4", {1, 2, 3, 4}},
                                           TRectCase{"blanks_and_letters_dropped", " 3 ,x4, 5a ,6 ", {3, 4, 5, 6}},
                                           TRectCase{"fifth_part_ignored", "1,2,3,4,5", {1, 2, 3, 4}},
                                           TRectCase{"leading_minus_kept", "-1,-2,3,4", {-1, -2, 3, 4}},
                                           TRectCase{"inner_minus_dropped", "1-2,3,4,5", {12, 3, 4, 5}},
                                           TRectCase{"minus_before_a_blank_dropped", "- 7,0,0,0", {7, 0, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SkinCodecs, PointsDropBlanksAndExtraParts)
{
    EXPECT_EQ(ParseSkinPoint(QStringLiteral("5, 6")), Point(5, 6));
    EXPECT_EQ(ParseSkinPoint(QStringLiteral("7,8,9")), Point(7, 8));
}

TEST(SkinCodecs, NegativeValuesSurviveAWriteAndRead)
{
    TqvSkinIni ini;
    WriteSkinPoint(ini, QStringLiteral("S"), QStringLiteral("p"), Point(-1, -1));
    WriteSkinRect(ini, QStringLiteral("S"), QStringLiteral("r"), Rect(-5, 3, -2, 10));
    EXPECT_EQ(ReadSkinPoint(ini, QStringLiteral("S"), QStringLiteral("p")), Point(-1, -1));
    EXPECT_EQ(ReadSkinRect(ini, QStringLiteral("S"), QStringLiteral("r")), Rect(-5, 3, -2, 10));
}

TEST(SkinCodecs, AnEmptyPartIsAConversionError)
{
    const std::pair<const char*, bool> cases[] = {
        {"1,2,3", true}, {"1,,3,4", true}, {"4,", false}, {"", false}, {"a,b", false}};
    for (const auto& [text, isRect] : cases) {
        try {
            isRect ? (void)ParseSkinRect(QLatin1String(text)) : (void)ParseSkinPoint(QLatin1String(text));
            ADD_FAILURE() << "no error for \"" << text << '"';
        } catch (const EqvConvertError& e) {
            EXPECT_STREQ(e.what(), "'' is not a valid integer value") << text;
        }
    }
}

TEST(SkinCodecs, MissingKeysTakeTheirDefaultsAndPresentEmptyValuesFail)
{
    const TqvSkinIni ini = Ini("[S]\r\nempty=\r\n");
    const QString s = QStringLiteral("S");
    EXPECT_EQ(ReadSkinRect(ini, s, QStringLiteral("missing")), TRect{});
    EXPECT_EQ(ReadSkinPoint(ini, s, QStringLiteral("missing")), TPoint{});
    EXPECT_THROW(ReadSkinRect(ini, s, QStringLiteral("empty")), EqvConvertError);
    EXPECT_THROW(ReadSkinPoint(ini, s, QStringLiteral("empty")), EqvConvertError);
}

TEST(SkinCodecs, BooleansAreTrueOnlyForOne)
{
    const TqvSkinIni ini = Ini("[S]\nA=1\nB=true\nC=2\nD=yes\nE=0\nF= 1 \n");
    const std::pair<const char*, bool> cases[] = {{"A", true},  {"B", false}, {"C", false},
                                                   {"D", false}, {"E", false}, {"F", true}, {"G", false}};
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(ReadSkinBoolean(ini, QStringLiteral("S"), QLatin1String(key)), expected) << key;
}

TEST(SkinCodecs, FontStylesAreSubstringsWithCase)
{
    const TqvSkinIni ini = Ini("[S]\na=fsBold\nb=fsitalic,fsbold\nc=fsitalicfsbold\nd=fsunderline fsstrikeout\n");
    const QString s = QStringLiteral("S");
    EXPECT_EQ(ReadSkinFontStyles(ini, s, QStringLiteral("a")), 0);
    EXPECT_EQ(ReadSkinFontStyles(ini, s, QStringLiteral("b")), fsBold | fsItalic);
    EXPECT_EQ(ReadSkinFontStyles(ini, s, QStringLiteral("c")), fsBold | fsItalic);
    EXPECT_EQ(ReadSkinFontStyles(ini, s, QStringLiteral("d")), fsUnderline | fsStrikeOut);
    EXPECT_EQ(ReadSkinFontStyles(ini, s, QStringLiteral("missing")), 0);

    TqvSkinIni out;
    WriteSkinFontStyles(out, s, QStringLiteral("x"), fsBold | fsStrikeOut);
    WriteSkinFontStyles(out, s, QStringLiteral("y"), 0);
    EXPECT_EQ(out.ReadString(s, QStringLiteral("x"), QString()), QStringLiteral("fsbold,fsstrikeout"));
    EXPECT_TRUE(out.ValueExists(s, QStringLiteral("y")));
    EXPECT_EQ(out.ReadString(s, QStringLiteral("y"), QStringLiteral("?")), QString());
}

TEST(SkinCodecs, EnumerationWordsMatchExactlyWithTheirFallbacks)
{
    const TqvSkinIni ini = Ini("[S]\n"
                               "a1=taleftjustify\na2=tacenter\na3=TaCenter\n"
                               "s1=stvert\ns2=Stfull\ns3=stfull\n"
                               "e1=iedarkness\ne2=ieblur\n"
                               "m1=mkpush\nm2=mkwhatever\n");
    const QString s = QStringLiteral("S");
    auto k = [](const char* key) { return QLatin1String(key); };
    EXPECT_EQ(ReadSkinAlignment(ini, s, k("a1")), taLeftJustify);
    EXPECT_EQ(ReadSkinAlignment(ini, s, k("a2")), taCenter);
    EXPECT_EQ(ReadSkinAlignment(ini, s, k("a3")), taRightJustify);
    EXPECT_EQ(ReadSkinAlignment(ini, s, k("none")), taCenter);
    EXPECT_EQ(ReadStretchType(ini, s, k("s1")), qvstVert);
    EXPECT_EQ(ReadStretchType(ini, s, k("s2")), qvstHorz);
    EXPECT_EQ(ReadStretchType(ini, s, k("s3")), qvstFull);
    EXPECT_EQ(ReadStretchType(ini, s, k("none")), qvstFull);
    EXPECT_EQ(ReadInActiveEffect(ini, s, k("e1")), ieDarkness);
    EXPECT_EQ(ReadInActiveEffect(ini, s, k("e2")), ieGrayScale);
    EXPECT_EQ(ReadInActiveEffect(ini, s, k("none")), ieBrightness);
    EXPECT_EQ(ReadMorphKind(ini, s, k("m1")), mkPush);
    EXPECT_EQ(ReadMorphKind(ini, s, k("m2")), mkDefault);
    EXPECT_EQ(StdCommandFromWord(QStringLiteral("cmMaximize")), cmMinimizeToTray);
    EXPECT_EQ(StdCommandFromWord(QStringLiteral("cmrollup")), cmRollUp);
}

TEST(SkinCodecs, EnumerationsRoundTrip)
{
    TqvSkinIni ini;
    const QString s = QStringLiteral("S");
    for (int v = 0; v <= mkPush; ++v) {
        WriteMorphKind(ini, s, QStringLiteral("k"), TqvMorphKind(v));
        EXPECT_EQ(ReadMorphKind(ini, s, QStringLiteral("k")), v);
    }
    for (int v = 0; v <= ieInvert; ++v) {
        WriteInActiveEffect(ini, s, QStringLiteral("k"), TqvInActiveEffect(v));
        EXPECT_EQ(ReadInActiveEffect(ini, s, QStringLiteral("k")), v);
    }
    for (int v = 0; v <= qvstVert; ++v) {
        WriteStretchType(ini, s, QStringLiteral("k"), TqvStretchType(v));
        EXPECT_EQ(ReadStretchType(ini, s, QStringLiteral("k")), v);
    }
    for (auto v : {taLeftJustify, taRightJustify, taCenter}) {
        WriteSkinAlignment(ini, s, QStringLiteral("k"), v);
        EXPECT_EQ(ReadSkinAlignment(ini, s, QStringLiteral("k")), v);
    }
    for (int v = 0; v <= cmMinimizeToTray; ++v)
        EXPECT_EQ(StdCommandFromWord(StdCommandWord(TqvStdCommand(v))), v);
}

TEST(SkinCodecs, StringListsKeepHolesAndAppend)
{
    const TqvSkinIni ini = Ini("[P]\nlistcount=3\n0=a.bmp\n2=c.bmp\n");
    QStringList items{QStringLiteral("kept")};
    ReadSkinStrings(ini, QStringLiteral("P"), QStringLiteral("list"), items);
    EXPECT_EQ(items, (QStringList{"kept", "a.bmp", "", "c.bmp"}));

    TqvSkinIni out;
    WriteSkinStrings(out, QStringLiteral("P"), QStringLiteral("list"), {"x", "y"});
    EXPECT_EQ(out.Keys(QStringLiteral("P")), (QStringList{"listcount", "0", "1"}));

    const TqvSkinIni huge = Ini("[P]\nlistcount=2000000000\n");
    QStringList none;
    EXPECT_THROW(ReadSkinStrings(huge, QStringLiteral("P"), QStringLiteral("list"), none), EqvSkinError);
}

TEST(SkinCodecs, ASkinIniNeedsAllFiveSections)
{
    const char* full = "[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[skincontrols]\n";
    EXPECT_TRUE(IsSkinIniFile(Ini(full)));
    EXPECT_FALSE(IsSkinIniFile(Ini("[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n")));
    EXPECT_FALSE(IsSkinIniFile(Ini("")));
}

TEST(SkinIni, NamesIgnoreCaseValuesDoNotAndTheFirstKeyWins)
{
    TqvSkinIni ini = Ini("\xEF\xBB\xBF; comment\r\n[Sec]\r\nKey=Value=2\r\nkey=second\r\n[other]\r\nn=0x1F\r\nm=$10\r\nbad=12x\r\n");
    EXPECT_EQ(ini.ReadString(QStringLiteral("SEC"), QStringLiteral("KEY"), QString()), QStringLiteral("Value=2"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("other"), QStringLiteral("n"), 0), 31);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("other"), QStringLiteral("m"), 0), 16);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("other"), QStringLiteral("bad"), -7), -7);
    ini.WriteString(QStringLiteral("sec"), QStringLiteral("KEY"), QStringLiteral("new"));
    ini.EraseSection(QStringLiteral("OTHER"));
    EXPECT_EQ(ini.ToText(), QByteArray("; comment\r\n[Sec]\r\nKey=new\r\nkey=second\r\n\r\n"));
}

TEST(ResourceStrings, HoldsTheDefaultTextsInOrder)
{
    TqvResourceStrData strings;
    EXPECT_EQ(strings.ResStrings().size(), 131);
    EXPECT_EQ(strings.ResStrings().first(), QStringLiteral("MI_MINCAPTION=Mi&nimize"));
    EXPECT_EQ(strings.ResStrings().last(), QStringLiteral("DBNAV_REFRESH=REFRESH"));
    EXPECT_EQ(strings.CharSet(), 1);
    EXPECT_EQ(strings.GetResStr(QStringLiteral("ERROR")), QStringLiteral("Error"));
    EXPECT_EQ(strings.GetResStr(QStringLiteral("mi_maxcaption")), QStringLiteral("Ma&ximize"));
    EXPECT_EQ(strings.GetResStr(QStringLiteral("FLV_LOOKIN")), QStringLiteral("Look in: "));
    QStringList names;
    for (const QString& line : strings.ResStrings())
        names << line.section(u'=', 0, 0).toUpper();
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 131) << "every name once";
}

TEST(ResourceStrings, FirstEqualsSignSplitsAndTheFirstLineWins)
{
    TqvResourceStrData strings;
    strings.SetResStrings({"A=b=c", "DUP=first", "dup=second", "NOEQUALS"});
    EXPECT_EQ(strings.GetResStr(QStringLiteral("a")), QStringLiteral("b=c"));
    EXPECT_EQ(strings.GetResStr(QStringLiteral("DUP")), QStringLiteral("first"));
    EXPECT_EQ(strings.GetResStr(QStringLiteral("MSG_BTN_OK")), QString());
    EXPECT_EQ(strings.GetResStr(QStringLiteral("NOEQUALS")), QString());
}

}  // namespace
