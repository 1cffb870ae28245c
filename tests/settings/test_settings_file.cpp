// The settings file: its case file (what is written, byte for byte, and how each kind of line
// reads back); and that a damaged file or a failing disk loses nothing and is reported.
#include <random>

#include "monitor/poller.h"
#include "settings/game_server_list.h"
#include "settings/irc_server_list.h"
#include "settings/settings_fixture.h"
#include "settings/settings_format.h"
#include "support/scenario.h"

namespace fc::test {
namespace {

FC_SCENARIOS(SettingsFile, "settings/cases/settings_file.txt");

TEST_F(SettingsTest, ValuesCannotBreakTheLayout) {
    const char entry[] = "10.0.0.5 evil\r\nIRCName = Hijack\0x";
    app.settings.serverEntry = std::string(entry, sizeof entry - 1);
    saveSettings(app);
    EXPECT_NE(file().find("Q2Selected = 10.0.0.5 evilIRCName = Hijackx\r\n"), std::string::npos);

    App again(platform);
    loadSettings(again);
    EXPECT_EQ(again.settings.ircName, "FCST");

    // A value no line could carry is cut, so that it still reads back.
    app.settings.dmTemplate = std::string(100000, 'x');
    saveSettings(app);
    loadSettings(again);
    EXPECT_EQ(again.settings.dmTemplate, std::string(kLongestSettingsValue, 'x'));
}

TEST_F(SettingsTest, DamagedFileLoadsEveryGoodLineAndKeepsACopy) {
    const std::string damaged = std::string("IRCName = Survivor\r\n") +
                                "garbage without equals\r\n" +
                                std::string("IRC\0Channel = #x\r\n", 18) + "IRCPort = 7000\r\n" +
                                std::string(100000, 'A') + " = long\r\n" + "Advanced = 7\r\n" +
                                "isStarted = 99999999999\r\n" + "IRCChannel = #fine\r\n";
    platform.files[kSettingsFile] = damaged;
    loadSettings(app);

    EXPECT_EQ(app.settings.ircName, "Survivor");
    EXPECT_EQ(app.settings.ircPort, "7000");
    EXPECT_EQ(app.settings.channelEntry, "#fine");
    EXPECT_FALSE(app.settings.advancedMode);
    EXPECT_EQ(app.settings.startCount, 0);
    const std::vector<std::string> lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(holdsText(lines[0],
                          "orvexa.ini is damaged: lines 2, 3, 5, 6, 7 could not be "
                          "read, and its end is missing"));
    EXPECT_TRUE(holdsText(lines[0], "kept as orvexa.ini.damaged."));
    EXPECT_EQ(platform.files["orvexa.ini.damaged"], damaged);

    // A later damaged file does not overwrite the first copy.
    platform.files[kSettingsFile] = "IRCName = Cut short\r\n";
    loadSettings(app);
    EXPECT_TRUE(holdsText(shown().at(0),
                          "its end is missing. Every other setting was read; the "
                          "file as found is kept as orvexa.ini.damaged-2."));
    EXPECT_EQ(platform.files["orvexa.ini.damaged"], damaged);
    EXPECT_EQ(app.settings.ircName, "Cut short");

    // Past ten, the unreadable lines are counted, not named.
    platform.files[kSettingsFile] = "";
    for (int i = 0; i < 12; ++i) platform.files[kSettingsFile] += "no equals\r\n";
    platform.files[kSettingsFile] += "; End of INI\r\n";
    loadSettings(app);
    EXPECT_TRUE(
        holdsText(shown().at(0), "lines 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more could not"));
}

TEST_F(SettingsTest, RandomBytesNeverStopTheStart) {
    std::mt19937 random(6);
    std::string noise(1 << 20, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    platform.files[kSettingsFile] = noise;
    loadSettings(app);
    EXPECT_EQ(app.settings.ircName, "FCST");
    EXPECT_TRUE(holdsText(shown().at(0), "is damaged"));
}

TEST_F(SettingsTest, AFailedSaveKeepsTheOldFileAndIsReportedOnce) {
    load({"IRCName = Old", "; End of INI"});
    const std::string before = file();
    platform.unwritable.insert(kSettingsFile);
    app.settings.ircName = "New";

    saveSettings(app);
    saveSettings(app);
    EXPECT_EQ(file(), before);
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(holdsText(lines[0], "could not be saved in orvexa.ini"));

    platform.unwritable.clear();
    saveSettings(app);
    EXPECT_NE(file().find("IRCName = New"), std::string::npos);
    platform.unwritable.insert(kSettingsFile);
    saveSettings(app);
    EXPECT_EQ(shown().size(), 1u);  // failing again after a success is news again
}

TEST_F(SettingsTest, AnUnreadableFileLeavesTheDefaults) {
    platform.files[kSettingsFile] = "IRCName = Hidden\r\n; End of INI\r\n";
    platform.unreadable.insert(kSettingsFile);
    loadSettings(app);
    EXPECT_EQ(app.settings.ircName, "FCST");
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(holdsText(lines[0], "could not be read; the program starts with its defaults"));
}

// The moments besides start-up and shut-down at which the settings are saved.
TEST_F(SettingsTest, ServerListButtonsSaveOnlyAfterAChange) {
    auto saves = [this] {
        int n = 0;
        for (const std::string& op : std::exchange(platform.fileLog, {}))
            n += op == "replace orvexa.ini";
        return n;
    };
    app.settings.ircServer = "irc.example.org my server";
    addIrcServerToList(app);
    EXPECT_EQ(app.settings.ircServers.back(), "irc.example.org my server");
    EXPECT_EQ(saves(), 1);
    EXPECT_TRUE(holdsText(file(), "IRCServer = irc.example.org my server\r\n"));

    app.settings.ircServer = "irc.libera.chat backup";  // its server is already offered
    addIrcServerToList(app);
    app.settings.ircServer = "";
    addIrcServerToList(app);
    removeIrcServerFromList(app);
    app.settings.ircServer = "irc.nowhere.net";
    removeIrcServerFromList(app);
    EXPECT_EQ(platform.beeps, 4);
    EXPECT_EQ(saves(), 0);

    app.settings.ircServer = "irc.libera.chat";
    removeIrcServerFromList(app);
    EXPECT_EQ((Lines{"irc.quakenet.org", "irc.oftc.net", "irc.example.org my server"}),
              app.settings.ircServers);
    EXPECT_EQ(saves(), 1);

    onServerEntryEdited(app, "10.0.0.5:27960 Friday league");
    addServerToList(app);
    addServerToList(app);  // already kept: a beep, no save
    EXPECT_EQ(saves(), 1);
    EXPECT_TRUE(holdsText(file(), "Q2Server = 10.0.0.5:27960\r\nQ2Selected = "));
}

}  // namespace
}  // namespace fc::test
