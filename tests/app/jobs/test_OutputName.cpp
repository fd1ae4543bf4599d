// The output-exists rule in a temporary output folder: numbering in rename
// mode, folders and look-alike names ignored, overwrite mode, and the names
// that are taken in either mode (any job's input, another row's output), and
// the job's own earlier output.
// Then the rename editor's name check.
#include "app/jobs/OutputName.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using namespace jobs;

namespace {

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write("x");
}

TEST(OutputName, NameParts) {
    const struct {
        const char* path;
        const char* base;
        const char* ext;
    } cases[] = {
        {"/in/clip.avi", "clip", ".avi"},
        {"/in/movie.part1.avi", "movie.part1", ".avi"},
        {"/in/clip", "clip", ""},
        {"/in.d/clip", "clip", ""},        // a dot in the folder is not an extension
        {"/in/a:b.mkv", "a:b", ".mkv"},    // ":" is an ordinary character
        {"clip.avi", "clip", ".avi"},
        {"/in/.hidden", "", ".hidden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileBaseName(QString::fromUtf8(c.path)), QString::fromUtf8(c.base));
        EXPECT_EQ(FileExtension(QString::fromUtf8(c.path)), QString::fromUtf8(c.ext));
    }
}

class OutputNameRule : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        out = tmp.filePath("out");
        in = tmp.filePath("in");
        ASSERT_TRUE(QDir().mkpath(out));
        ASSERT_TRUE(QDir().mkpath(in));
    }
    QString Choose(const QString& base, const QString& ext, bool overwrite, const QString& input = {},
                   const QStringList& others = {}) {
        return ChooseOutputPath(out, base, ext, overwrite, input.isEmpty() ? in + "/" + base + ".src" : input,
                                others);
    }
    QTemporaryDir tmp;
    QString out, in;
};

TEST_F(OutputNameRule, RenameModeNumbersTheFirstFreeName) {
    const QString clip = out + "/clip";
    EXPECT_EQ(Choose("clip", ".avi", false), clip + ".avi");
    Touch(clip + ".avi");
    EXPECT_EQ(Choose("clip", ".avi", false), clip + "_1.avi");
    Touch(clip + "_1.avi");
    EXPECT_EQ(Choose("clip", ".avi", false), clip + "_2.avi");
    // Only base_n.ext counts: a zero-padded number or another extension does not.
    Touch(clip + "_02.avi");
    Touch(clip + "_2.mp4");
    EXPECT_EQ(Choose("clip", ".avi", false), clip + "_2.avi");
    // A gap is filled.
    Touch(clip + "_3.avi");
    EXPECT_EQ(Choose("clip", ".avi", false), clip + "_2.avi");
}

TEST_F(OutputNameRule, FoldersAndLookAlikesDoNotCount) {
    ASSERT_TRUE(QDir().mkpath(out + "/clip.avi"));
    EXPECT_EQ(Choose("clip", ".avi", false), out + "/clip.avi");
    Touch(out + "/clip_01.avi");
    Touch(out + "/clip");
    EXPECT_EQ(Choose("clip", ".mp4", false), out + "/clip.mp4");
}

TEST_F(OutputNameRule, OverwriteModeKeepsTheName) {
    Touch(out + "/clip.avi");
    Touch(out + "/clip_1.avi");
    EXPECT_EQ(Choose("clip", ".avi", true), out + "/clip.avi");
}

TEST_F(OutputNameRule, NamesAndExtensions) {
    // The extension replaces only the last one; a name without one gets it appended.
    const QString input = in + "/movie.part1.avi";
    Touch(input);
    EXPECT_EQ(Choose(FileBaseName(input), ".mp4", false, input), out + "/movie.part1.mp4");
    EXPECT_EQ(Choose(FileBaseName(in + "/noext"), ".mp4", false), out + "/noext.mp4");
    // The folder text is not normalised.
    EXPECT_EQ(ChooseOutputPath(out + "/", "clip", ".avi", false, {}, {}), out + "//clip.avi");
    Touch(out + "/clip.avi");
    EXPECT_EQ(ChooseOutputPath(out + "/", "clip", ".avi", false, {}, {}), out + "//clip_1.avi");
    EXPECT_EQ(ChooseOutputPath("", "clip", ".avi", true, {}, {}), QStringLiteral("/clip.avi"));
    // No profile entry: base and extension empty, the folder text and "/".
    EXPECT_EQ(ChooseOutputPath(out, "", "", false, {}, {}), out + "/");
}

TEST_F(OutputNameRule, OwnInputIsAlwaysTaken) {
    // Output folder = input folder, same extension: writing would destroy the source.
    const QString input = out + "/clip.avi";
    Touch(input);
    for (bool overwrite : {false, true}) {
        SCOPED_TRACE(overwrite);
        EXPECT_EQ(ChooseOutputPath(out, "clip", ".avi", overwrite, input, {}), out + "/clip_1.avi");
    }
    // Reached through a link, or through another spelling of the folder.
    const QString link = in + "/linked.avi";
    ASSERT_TRUE(QFile::link(input, link));
    EXPECT_EQ(ChooseOutputPath(out, "clip", ".avi", true, link, {}), out + "/clip_1.avi");
    EXPECT_EQ(ChooseOutputPath(out + "/../out", "clip", ".avi", true, input, {}), out + "/../out/clip_1.avi");
    // A folder that links to the input's folder.
    ASSERT_TRUE(QFile::link(out, tmp.filePath("alias")));
    EXPECT_EQ(ChooseOutputPath(tmp.filePath("alias"), "clip", ".avi", true, input, {}),
              tmp.filePath("alias") + "/clip_1.avi");
    // A hard link is the same file too.
    const QString hard = in + "/hard.avi";
    ASSERT_EQ(::link(QFile::encodeName(input).constData(), QFile::encodeName(hard).constData()), 0);
    EXPECT_EQ(ChooseOutputPath(out, "clip", ".avi", true, hard, {}), out + "/clip_1.avi");
}

TEST_F(OutputNameRule, AnotherRowsNameIsAlwaysTaken) {
    const QStringList others{QStringLiteral("clip.avi"), QStringLiteral("clip_1.avi"), QStringLiteral("x.mp4")};
    EXPECT_EQ(Choose("clip", ".avi", true, {}, others), out + "/clip_2.avi");
    EXPECT_EQ(Choose("clip", ".avi", false, {}, others), out + "/clip_2.avi");
    Touch(out + "/clip_2.avi");
    EXPECT_EQ(Choose("clip", ".avi", false, {}, others), out + "/clip_3.avi");
    EXPECT_EQ(Choose("clip", ".avi", true, {}, others), out + "/clip_2.avi");
    // Names compare exactly: Linux file names differ by case.
    EXPECT_EQ(Choose("clip", ".AVI", false, {}, others), out + "/clip.AVI");
}

TEST_F(OutputNameRule, AnyJobsInputIsAlwaysTaken) {
    // song.wav's job wants song.mp3, which is another job's input.
    const QString mp3 = out + "/song.mp3", wav = out + "/song.wav";
    Touch(mp3);
    Touch(wav);
    for (bool overwrite : {false, true}) {
        SCOPED_TRACE(overwrite);
        const TTakenNames taken{{wav, mp3}, {QStringLiteral("song_1.mp3")}, std::nullopt};
        EXPECT_EQ(ChooseOutputPath(out, "song", ".mp3", overwrite, taken), out + "/song_2.mp3");
        EXPECT_TRUE(OutputNameTaken(mp3, overwrite, taken));
    }
    // An input that is gone takes nothing.
    const TTakenNames gone{{in + "/missing.mp3"}, {}, std::nullopt};
    EXPECT_EQ(ChooseOutputPath(out, "free", ".mp3", false, gone), out + "/free.mp3");
}

// Without overwrite a file that is there is taken, unless it is the job's own
// earlier output as its task left it.
TEST_F(OutputNameRule, OwnEarlierOutputIsFreeOnlyWhileUnchanged) {
    const QString path = out + "/clip.avi";
    Touch(path);
    TTakenNames taken{{in + "/clip.src"}, {}, StampOf(path)};
    ASSERT_TRUE(taken.OwnOutput);
    EXPECT_EQ(ChooseOutputPath(out, "clip", ".avi", false, taken), path);

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("changed");
    f.close();
    EXPECT_EQ(ChooseOutputPath(out, "clip", ".avi", false, taken), out + "/clip_1.avi");

    // Another file put in its place, even with the same bytes.
    taken.OwnOutput = StampOf(path);
    const QString copy = in + "/copy.avi";
    ASSERT_TRUE(QFile::copy(path, copy));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(copy, path));
    EXPECT_EQ(ChooseOutputPath(out, "clip", ".avi", false, taken), out + "/clip_1.avi");
    EXPECT_FALSE(StampOf(in + "/none"));
}

TEST(OutputName, RenameText) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"clip", true},     {"movie.part1", true}, {"...", true},   {" ", true},
        {"片段", true},     {"a:b", true},         {"", false},     {".", false},
        {"..", false},      {"a/b", false},        {"/", false},    {"../clip", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsValidRenameText(QString::fromUtf8(c.text)), c.valid);
    }
}

} // namespace
