// The settings file on the fake platform: the file byte for byte, how each kind of line reads
// back, damaged files, failing disks and the list buttons.
#include <gtest/gtest.h>

#include "monitor/poller.h"
#include "program/startup.h"
#include "settings/game_server_list.h"
#include "settings/headless_defaults.h"
#include "settings/irc_server_list.h"
#include "settings/settings_file.h"
#include "settings/settings_format.h"
#include "support/program_fixture.h"

namespace fc::test {
namespace {

std::string crlf(std::string text) {
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.insert(at, "\r");
    return text;
}

struct SettingsTest : ::testing::Test, Program {
    std::string& file() { return platform.files[kSettingsFile]; }
    bool fileHolds(const std::string& text) { return file().find(text) != std::string::npos; }
    Lines shown() { return std::exchange(output.lines, {}); }  // since the last look
    void load(const std::string& text) {
        file() = text;
        loadSettings(app);
    }
};

const std::string kBanner =
    "; INI file for Orvexa -- Version 1.33\n"
    "; Do not modify by hand, unless you know what you are doing...\n\n";
// Every setting away from its default, each box unlike its neighbours.
const std::string kEveryValue = crlf(
    kBanner +
    "IRCSerSel = irc.example.org\nIRCServer = irc.quakenet.org\nIRCServer = irc.libera.chat\n"
    "IRCServer = irc.oftc.net\nIRCServer = irc.example.org\nIRCChannel = #clan\n"
    "IRCName = ClanBot\nIRCKey = s3cret\nIRCOnJoin = 0\nIRCShowRaw = 1\nisStarted = 41\n"
    "isLinesPrinted = 1234\nQ2Server = 10.0.0.5:27960\nQ2Server = q3.example.net\n"
    "Q2Selected = 10.0.0.5:27960 Friday league\nTagSystem = [obselete since 1.20]\n"
    "IRCPort = 6668\nIRCIgnoreTime = 30\nReportDM = [obselete since 1.14]\nReportSecDM = 45\n"
    "TimeLimitDM = 15\nIRCLineCTF = \x02%t\x02 \x03"
    "04capped\nIRCLineDM = \x1F%s\x0F\nAdvanced = 1\nRemoveColors = 1\nRemoveFCodes = 0\n"
    "CheckForUpdate = 0\nPriveServer = 1\nKillAllowedFrom = Boss Deputy\nIRCBurst = 6\n"
    "IRCLineGapMs = 1500\nIRCTls = 1\nIRCTlsInsecure = 1\nIRCReconnect = 0\nFastSweep = 1\n"
    "MasterServer = 127.0.0.1:27950\nUpdateURL = http://127.0.0.1:8080/version.txt\n"
    "IRCEncoding = latin-1\nIRCSaslUser = clanbot\nIRCSaslPassword = hunter2\n"
    "IRCLoginLine = PRIVMSG Q@CServe.quakenet.org :AUTH clanbot hunter2\nKillPassword = halt\n"
    "WebhookURL = https://chat.example.org/hooks/abc\nWebhookFormat = slack\nSaveTimeline = 0\n"
    "ReportSummary = 1\n\n"
    "; End of INI\n");

// Empty entries are left out, and the file follows the private box's mirror.
TEST_F(SettingsTest, EveryValueReadsBackAndIsWrittenInItsPlace) {
    load(kEveryValue);
    EXPECT_EQ(std::tuple(app.settings.ircServer, app.settings.channelKey, app.settings.greetOnJoin,
                         app.settings.startCount, app.settings.ircTls, app.settings.ircTlsInsecure,
                         app.settings.serverIsPrivate, app.window.connectionButtonEnabled, shown()),
              std::tuple("irc.example.org", "s3cret", false, 41, true, true, true, true, Lines{}));
    app.settings.ircServers.insert(app.settings.ircServers.begin() + 1, "");
    app.settings.privateServerChecked = false;
    saveSettings(app);
    EXPECT_EQ(file(), kEveryValue);
    EXPECT_EQ(platform.fileLog.back(), "replace private orvexa.ini");  // it holds passwords
    load("Q2Selected = \r\n; End of INI\r\n");  // an empty entry cannot be switched on
    EXPECT_FALSE(app.window.connectionButtonEnabled);
}

// Each row's lines read without a word of damage; the file then saved holds the row's last text.
TEST(SettingsLines, EachKindOfLineReadsBack) {
    // clang-format off
    const struct { const char *what, *read, *written; } rows[] = {
        {"an equals sign in a value", "IRCLineCTF = %t = x", "\nIRCLineCTF = %t = x\r"},
        {"the later line wins", "TimeLimitDM = 10\r\ntimelimitdm = 25", "\nTimeLimitDM = 25\r"},
        {"a tab is no blank", "IRCPort =\t6669", "\nIRCPort = \t6669\r"},
        {"LF alone", "IRCName = Unix\nIRCChannel = #lf", "#lf\r\nIRCName = Unix\r"}, {"CR alone", "IRCName = Mac\rIRCChannel = #cr", "#cr\r\nIRCName = Mac\r"},
        {"to even", "isLinesPrinted = 12.5\r\nisStarted = 13.5", "14\r\nisLinesPrinted = 12"},
        // The interval as typed, but never 0 or less: that would report every second.
        {"interval zero", "ReportSecDM = 0", "\nReportSecDM = 40\r"},
        {"interval with a fraction", "ReportSecDM = 07.50 s", "\nReportSecDM = 7.5\r"},
        {"a huge interval", "ReportSecDM = 9999999999999999999.5 s", "= 9999999999999999999.5\r"},
        {"IRC servers once in any case", "IRCServer = irc.x.org\r\nIRCServer = IRC.X.ORG",
         "irc.oftc.net\r\nIRCServer = irc.x.org\r\nIRCChannel"},
        {"game servers keep every entry", "Q2Server = 10.0.0.5 Cup\r\nQ2Server = 10.0.0.5",
         "= 0\r\nQ2Server = 10.0.0.5 Cup\r\nQ2Server = 10.0.0.5\r\nQ2Sel"},
        {"comments, unknown and obsolete keys", "; a\r\n\r\n; b = c\r\nMap = q2\r\nReportDM = 30",
         "\nReportDM = [obselete since 1.14]\r\nReportSecDM = 60\r"},
        {"boxes switched on and off", "Advanced = 1\r\nRemoveFCodes = 1\r\nAdvanced = 0",
         "\nAdvanced = 0\r\nRemoveColors = 0\r\nRemoveFCodes = 1\r"}};
    // clang-format on
    for (const auto& row : rows) {
        Program p;
        p.platform.files[kSettingsFile] = row.read + std::string("\r\n; End of INI\r\n");
        loadSettings(p.app);
        saveSettings(p.app);
        EXPECT_NE(p.platform.files[kSettingsFile].find(row.written), std::string::npos) << row.what;
        EXPECT_EQ(p.output.lines, Lines{}) << row.what;
    }
}

TEST_F(SettingsTest, ValuesCannotBreakTheLayout) {
    const char entry[] = "10.0.0.5 evil\r\nIRCName = Hijack\0x";
    app.settings.serverEntry = std::string(entry, sizeof entry - 1);
    app.settings.dmTemplate = std::string(100000, 'x');
    saveSettings(app);
    EXPECT_TRUE(fileHolds("Q2Selected = 10.0.0.5 evilIRCName = Hijackx\r\n"));
    load(file());
    EXPECT_EQ(std::tuple(app.settings.ircName, app.settings.dmTemplate),
              std::tuple("FCST", std::string(kLongestSettingsValue, 'x')));
    load("IRCLineDM = " + std::string(kLongestSettingsLine - 12, 'y') + "\r\n");  // the longest
    EXPECT_EQ(app.settings.dmTemplate.size(), kLongestSettingsLine - 12);
}

TEST_F(SettingsTest, DamagedFileLoadsEveryGoodLineAndKeepsACopy) {
    const std::string damaged = "IRCName = Survivor\r\nx\r\nx\r\nx\r\nx\r\nx\r\nx\r\n" +
                                std::string("IRC\0Channel = #x\r\n", 18) + "IRCPort = 7000\r\n" +
                                std::string(100000, 'A') + " = long\r\nAdvanced = 7\r\n" +
                                "isStarted = 99999999999\r\nIRCChannel = #fine\r\n; End of INI\r\n";
    const std::pair<std::string, std::string> files[] = {
        {damaged, "lines 2, 3, 4, 5, 6, 7, 8, 10, 11, 12 could not be read"},  // ten, all named
        {"IRCName = Cut short\r\nx\r\n", "line 2 could not be read, and its end is missing"},
        {crlf("x\nx\nx\nx\nx\nx\nx\nx\nx\nx\nx\nx\n; End of INI\n"),
         "lines 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more could not be read"}};
    for (int i = 0; i < 3; ++i) {
        load(files[i].first);
        EXPECT_EQ(shown(), Lines{"*** The settings file orvexa.ini is damaged: " + files[i].second +
                                 ". Every other setting was read; the file as found is kept as "
                                 "orvexa.ini.damaged" +
                                 (i ? "-" + std::to_string(i + 1) : "") + "."});
        EXPECT_EQ(platform.files["orvexa.ini.damaged"], damaged);
    }
    for (int n = 4; n <= 99; ++n) platform.files["orvexa.ini.damaged-" + std::to_string(n)] = "";
    load("x\r\n");  // ninety-nine copies are enough
    EXPECT_TRUE(shown().at(0).ends_with("no copy of the file as found could be kept."));
    EXPECT_EQ(std::tuple(app.settings.ircName, app.settings.ircPort, app.settings.channelEntry,
                         app.settings.advancedMode, app.settings.startCount),
              std::tuple("Cut short", "7000", "#fine", false, 0));
}

TEST_F(SettingsTest, AFailingDiskLosesNothingAndIsReportedOnceUntilASaveWorks) {
    load("IRCName = Old\r\n; End of INI\r\n");
    const std::string failed =
        "*** The settings could not be saved in orvexa.ini; the file keeps the settings it had "
        "before.";
    app.settings.ircName = "New";
    for (const bool works : {false, false, true, false}) {
        platform.unwritable =
            works ? std::set<std::string>{} : std::set{std::string(kSettingsFile)};
        saveSettings(app);
    }
    EXPECT_TRUE(fileHolds("IRCName = New"));
    EXPECT_EQ(shown(), (Lines{failed, failed}));
    platform.unreadable.insert(kSettingsFile);
    loadSettings(app);
    EXPECT_EQ(shown(), Lines{"*** The settings file orvexa.ini could not be read; the program "
                             "starts with its defaults."});
}

// The list buttons beep at an empty entry, at one listed already (whatever its comment) or at
// one not listed, and save only after a change.
TEST_F(SettingsTest, ServerListButtonsSaveOnlyAfterAChange) {
    // clang-format off
    const struct { void (*press)(App&); const char* entry; std::size_t beeps, saves; } steps[] = {
        {addIrcServerToList, "irc.example.org my server", 0, 1}, {addIrcServerToList, "irc.libera.chat backup", 1, 1},
        {removeIrcServerFromList, "", 2, 1}, {removeIrcServerFromList, "irc.nowhere.net", 3, 1},
        {removeIrcServerFromList, "irc.libera.chat", 3, 2}, {addServerToList, "10.0.0.5:27960 Friday league", 3, 3},
        {addServerToList, "10.0.0.5:27960 Friday league", 4, 3}};
    // clang-format on
    for (const auto& step : steps) {
        app.settings.ircServer = step.entry;
        onServerEntryEdited(app, step.entry);
        step.press(app);
        EXPECT_EQ(std::tuple(std::size_t(platform.beeps), platform.fileLog.size()),
                  std::tuple(step.beeps, step.saves));
    }
    EXPECT_TRUE(fileHolds("IRCServer = irc.oftc.net\r\nIRCServer = irc.example.org my server\r"));
    EXPECT_TRUE(fileHolds("\r\nQ2Server = 10.0.0.5:27960 Friday league\r\nQ2Selected = "));
}

// The shipped demo waits behind the button when no server is saved; a start counts, to its end.
TEST_F(SettingsTest, StartingOffersTheShippedDemoAndCountsTheStart) {
    const char* const demo = "demos/final.rec";
    platform.files[demo] = "";
    for (const auto& [saved, shipped, entry] : {std::tuple{"", demo, demo},
                                                {kFirstTimeEntry, demo, demo},
                                                {" 10.0.0.5", demo, " 10.0.0.5"},
                                                {"", "gone.rec", ""}}) {
        app.settings.serverEntry = saved, app.window.connectionButtonEnabled = false;
        offerShippedDemo(app, shipped);
        EXPECT_EQ(std::pair(app.settings.serverEntry, app.window.connectionButtonEnabled),
                  std::pair(std::string(entry), std::string_view(entry) == demo))
            << saved;
    }
    platform.files[kSettingsFile] = "isStarted = 2147483647\r\n; End of INI\r\n";
    startProgram(app);  // the count of starts stops at its greatest
    EXPECT_EQ(app.settings.startCount, 2147483647);
    closeSplash(app);  // as the window's end closes it, its timers with it
    EXPECT_FALSE(app.window.splashVisible || app.splashEndTimer->enabled() ||
                 app.splashRestoreTimer->enabled());
}

TEST(HeadlessDefaults, OnlyEntriesThatNameAServerAreTaken) {
    // clang-format off
    for (const auto& [entry, usable] : {std::pair{"10.0.0.5 Clan server:27910", true}, {"", false},
             {kFirstTimeEntry, false}, {"demos/final.rec", false}, {"10.0.0.5:0", false}})
        EXPECT_EQ(isUsableServerEntry(entry), usable) << entry;
    for (const auto& [server, usable] : {std::pair{"  127.0.0.1 my own server", true}, {"fe80::abcd:ef01:2345:6789:ABCD:EF", true},
             {"irc.libera.chat", true}, {"", false}, {"irc?server", false}})
        EXPECT_EQ(isUsableIrcServer(server), usable) << server;
    // clang-format on
}

}  // namespace
}  // namespace fc::test
