// Section "Options": what the options dialog reads from each stored value
// and writes back, and what its OK and Cancel leave in the file.
#include "app/settings/OptionsSettings.h"
#include "tests/app/settings/SettingsFixture.h"
#include "tests/platform/FileSizeLimit.h"

#include <QDir>

using namespace settings;

namespace {

// Every key valid and none at its default.
const QByteArray kSaved =
    "[Options]\nThread_Count=1\nAfter_Done=3\nThread_Priority=1\nOverwrite_File=0\nShow_Preview=1\n";

TOptionsSettings SavedSettings() {
    TOptionsSettings o;
    o.AfterRun = TAfterRunAction::Nothing;
    o.OverwriteExisting = true;
    o.ThreadCount = 1;
    o.ShowPreview = true;
    o.Priority = tpLowest;
    return o;
}

QByteArray WithValue(const char* key, const char* value) {
    QByteArray text = kSaved;
    const QByteArray line = QByteArray(key) + "=";
    const qsizetype at = text.indexOf(line);
    const qsizetype end = text.indexOf('\n', at);
    text.remove(at, end + 1 - at);
    if (value) text.insert(at, line + value + "\n");
    return text;
}

} // namespace

TEST_F(SettingsTest, StoredOptionValues) {
    struct Case {
        const char* key;
        const char* stored;  // nullptr: the key is not there
        const char* storedAfter;
        void (*expect)(TOptionsSettings&);  // how the settings differ from SavedSettings()
    };
    const Case cases[] = {
        {"After_Done", "0", "0", [](TOptionsSettings& o) { o.AfterRun = TAfterRunAction::OpenOutputFolder; }},
        {"After_Done", "1", "1", [](TOptionsSettings& o) { o.AfterRun = TAfterRunAction::ShutDown; }},
        {"After_Done", "2", "2", [](TOptionsSettings& o) { o.AfterRun = TAfterRunAction::PlaySound; }},
        {"After_Done", "7", "0", [](TOptionsSettings& o) { o.AfterRun = TAfterRunAction::OpenOutputFolder; }},
        {"After_Done", "Error", "0", [](TOptionsSettings& o) { o.AfterRun = TAfterRunAction::OpenOutputFolder; }},
        {"After_Done", nullptr, "0", [](TOptionsSettings& o) { o.AfterRun = TAfterRunAction::OpenOutputFolder; }},
        {"Thread_Count", "5", "5", [](TOptionsSettings& o) { o.ThreadCount = 5; }},
        {"Thread_Count", "19", "19", [](TOptionsSettings& o) { o.ThreadCount = 19; }},
        {"Thread_Count", "0", "0", [](TOptionsSettings&) {}},
        {"Thread_Count", "abc", "0", [](TOptionsSettings&) {}},
        {"Thread_Count", "20", "0", [](TOptionsSettings&) {}},
        {"Thread_Count", "05", "0", [](TOptionsSettings&) {}},
        {"Thread_Count", "-3", "0", [](TOptionsSettings&) {}},
        {"Thread_Count", "", "0", [](TOptionsSettings&) {}},
        {"Thread_Priority", "0", "0", [](TOptionsSettings& o) { o.Priority = tpIdle; }},
        {"Thread_Priority", "2", "2", [](TOptionsSettings& o) { o.Priority = tpLower; }},
        {"Thread_Priority", "3", "3", [](TOptionsSettings& o) { o.Priority = tpNormal; }},
        {"Thread_Priority", "4", "3", [](TOptionsSettings& o) { o.Priority = tpNormal; }},
        {"Thread_Priority", "Error", "3", [](TOptionsSettings& o) { o.Priority = tpNormal; }},
        {"Overwrite_File", "1", "1", [](TOptionsSettings& o) { o.OverwriteExisting = false; }},
        {"Overwrite_File", "yes", "1", [](TOptionsSettings& o) { o.OverwriteExisting = false; }},
        {"Overwrite_File", nullptr, "1", [](TOptionsSettings& o) { o.OverwriteExisting = false; }},
        {"Show_Preview", "0", "0", [](TOptionsSettings& o) { o.ShowPreview = false; }},
        {"Show_Preview", "true", "0", [](TOptionsSettings& o) { o.ShowPreview = false; }},
        {"Show_Preview", "error", "0", [](TOptionsSettings& o) { o.ShowPreview = false; }},  // compared with case
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + (c.stored ? c.stored : "<no key>"));
        WriteIni(WithValue(c.key, c.stored));
        const TOptionsRead r = LoadOptions(Program());
        TOptionsSettings expected = SavedSettings();
        c.expect(expected);
        EXPECT_EQ(r.Options, expected);
        EXPECT_TRUE(r.Error.isEmpty());
        EXPECT_EQ(Stored("Options", c.key), c.storedAfter);
        // Only the key read is touched; a key written back anew ends its section.
        const QByteArray after = c.stored ? WithValue(c.key, c.storedAfter)
                                          : WithValue(c.key, nullptr) + c.key + "=" + c.storedAfter + "\n";
        EXPECT_EQ(IniBytes(), after);
    }
}

TEST_F(SettingsTest, OkStoresTheDialogsChoicesForTheNextStart) {
    TOptionsSettings chosen;
    chosen.ThreadCount = 5;
    chosen.AfterRun = TAfterRunAction::ShutDown;
    chosen.ShowPreview = true;
    chosen.Priority = tpIdle;
    chosen.OverwriteExisting = true;
    SaveOptions(Program(), chosen);

    // Into a fresh file the keys go in the order they are written.
    EXPECT_EQ(Values("Options"), QStringList({"Thread_Count=5", "After_Done=1", "Show_Preview=1", "Thread_Priority=0",
                                              "Overwrite_File=0"}));
    EXPECT_EQ(LoadOptions(Program()).Options, chosen);

    // Every value the dialog can hold comes back after a restart.
    const TAfterRunAction actions[] = {TAfterRunAction::OpenOutputFolder, TAfterRunAction::ShutDown,
                                       TAfterRunAction::PlaySound, TAfterRunAction::Nothing};
    const TThreadPriority priorities[] = {tpIdle, tpLowest, tpLower, tpNormal};
    for (int i = 0; i < 4; ++i) {
        TOptionsSettings o;
        o.AfterRun = actions[i];
        o.Priority = priorities[3 - i];
        o.ThreadCount = 1 + i * 6;
        o.ShowPreview = i % 2 == 0;
        o.OverwriteExisting = i % 2 == 1;
        SaveOptions(Program(), o);
        EXPECT_EQ(LoadOptions(Program()).Options, o) << i;
    }
}

TEST_F(SettingsTest, OkWithoutMultiThreadModeLeavesTheStoredThreadCount) {
    WriteIni(WithValue("Thread_Count", "7"));
    TOptionsSettings o = SavedSettings();
    o.MultiThread = false;
    o.ThreadCount = 3;
    o.AfterRun = TAfterRunAction::PlaySound;
    SaveOptions(Program(), o);
    EXPECT_EQ(Stored("Options", "Thread_Count"), "7");
    EXPECT_EQ(Stored("Options", "After_Done"), "2");
}

TEST_F(SettingsTest, CancelLeavesTheFileAndTheNextStartRestoresTheSavedChoices) {
    WriteIni(kSaved);
    TOptionsSettings live = LoadOptions(Program()).Options;
    // Choices made in the dialog are in force at once, but only OK stores them.
    live.Priority = tpIdle;
    live.ShowPreview = false;
    live.ThreadCount = 9;
    ASSERT_NE(live, SavedSettings());
    EXPECT_EQ(IniBytes(), kSaved);
    EXPECT_EQ(LoadOptions(Program()).Options, SavedSettings());
}

TEST_F(SettingsTest, AFailedOkKeepsTheStoredValues) {
    WriteIni(kSaved);
    TOptionsSettings chosen;
    chosen.ThreadCount = 12;
    const std::string said = RunUnderFileSizeLimit(0, [&]() -> std::string {
        try {
            SaveOptions(Program(), chosen);
            return "saved";
        } catch (const EIniFileException& e) {
            return e.what();
        }
    });
    EXPECT_EQ(said, ("Unable to write to " + IniFile()).toStdString());
    EXPECT_EQ(IniBytes(), kSaved);
    EXPECT_EQ(QDir(Program()).entryList(QDir::Files | QDir::Hidden), QStringList{"option.ini"});
}
