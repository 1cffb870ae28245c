// The settings file: what is written, byte for byte; how each kind of line reads back; and
// that a damaged file or a failing disk loses nothing and is reported.
#include <random>

#include "irc/irc_server_list.h"
#include "monitor/poller.h"
#include "settings/settings_fixture.h"
#include "settings/settings_format.h"

namespace fc::test {
namespace {

TEST_F(SettingsTest, WritesEveryValueInItsFixedPlace) {
    MainView& v = view();
    v.IRCServer = "irc.example.org";
    v.IRCServerList = {"irc.example.org", "", "irc.other.net"};  // empty entries are left out
    v.txtstdKanaal = "#clan";
    v.ircName = "ClanBot";
    v.IRCKey = "s3cret";
    v.IRConjoin = false;
    v.debugAU = true;
    v.isStarted = 41;
    v.isLinesPrinted = 1234;
    v.qServers = {"10.0.0.5:27960", "q3.example.net"};
    v.Q2Serverlist = "10.0.0.5:27960 Friday league";
    v.IRCPort = "6668";
    v.IRCIgnoreTime = "30";
    v.ReportDM = "45";
    v.TimeLimitDM = "15";
    v.IRCLineCTF =
        "\x02%t\x02 \x03"
        "04capped";
    v.IRCLineDM = "\x1F%s\x0F";
    v.Advanced = true;
    v.IRCRemoveColors = true;
    v.CheckForUpdate = false;
    v.PriveServer = false;
    v.serverIsPrivate = true;  // the file follows the mirror
    v.KillAllowedFrom = "Boss Deputy";
    v.IRCBurst = "6";
    v.IRCLineGapMs = "1500";
    v.IRCTls = v.IRCTlsInsecure = true;
    v.IRCReconnect = false;
    v.FastSweep = true;
    v.MasterServer = "127.0.0.1:27950";
    v.UpdateURL = "http://127.0.0.1:8080/version.txt";

    SafeINI(app);

    EXPECT_EQ(file(),
              "; INI file for Orvexa -- Version 1.33\r\n"
              "; Do not modify by hand, unless you know what you are doing...\r\n"
              "\r\n"
              "IRCSerSel = irc.example.org\r\n"
              "IRCServer = irc.example.org\r\n"
              "IRCServer = irc.other.net\r\n"
              "IRCChannel = #clan\r\n"
              "IRCName = ClanBot\r\n"
              "IRCKey = s3cret\r\n"
              "IRCOnJoin = 0\r\n"
              "IRCShowRaw = 1\r\n"
              "isStarted = 41\r\n"
              "isLinesPrinted = 1234\r\n"
              "Q2Server = 10.0.0.5:27960\r\n"
              "Q2Server = q3.example.net\r\n"
              "Q2Selected = 10.0.0.5:27960 Friday league\r\n"
              "TagSystem = [obselete since 1.20]\r\n"
              "IRCPort = 6668\r\n"
              "IRCIgnoreTime = 30\r\n"
              "ReportDM = [obselete since 1.14]\r\n"
              "ReportSecDM = 45\r\n"
              "TimeLimitDM = 15\r\n"
              "IRCLineCTF = \x02%t\x02 \x03"
              "04capped\r\n"
              "IRCLineDM = \x1F%s\x0F\r\n"
              "Advanced = 1\r\n"
              "RemoveColors = 1\r\n"
              "RemoveFCodes = 0\r\n"
              "CheckForUpdate = 0\r\n"
              "PriveServer = 1\r\n"
              "KillAllowedFrom = Boss Deputy\r\n"
              "IRCBurst = 6\r\n"
              "IRCLineGapMs = 1500\r\n"
              "IRCTls = 1\r\n"
              "IRCTlsInsecure = 1\r\n"
              "IRCReconnect = 0\r\n"
              "FastSweep = 1\r\n"
              "MasterServer = 127.0.0.1:27950\r\n"
              "UpdateURL = http://127.0.0.1:8080/version.txt\r\n"
              "\r\n"
              "; End of INI\r\n");
    EXPECT_TRUE(shown().empty());
}

std::string AsText(const std::string& text) {
    return text;
}
std::string AsText(bool box) {
    return box ? "1" : "0";
}
std::string AsText(std::int32_t number) {
    return std::to_string(number);
}
std::string AsText(const Lines& list) {
    std::string text;
    for (const std::string& entry : list) text += entry + "|";
    return text;
}

// One field of the window after reading a file of these lines.
struct Read {
    Lines lines;
    const char* name;
    std::string (*field)(const MainView&);
    std::string expected;
    const char* lineEnd = "\r\n";
};
#define FIELD(name) #name, [](const MainView& v) { return AsText(v.name); }

const std::string kLongNumber = "123456789012345678901234567890";
const std::string kCtfLine =
    "\x02%t\x02 = \x03"
    "04capped";

const Read kReads[] = {
    // What the writer puts down comes back to its own field.
    {{"IRCOnJoin = 0"}, FIELD(IRConjoin), "0"},
    {{"IRCShowRaw = 1"}, FIELD(debugAU), "1"},
    {{"Q2Selected = 10.0.0.9:27910 Cup final"}, FIELD(Q2Serverlist), "10.0.0.9:27910 Cup final"},
    {{"IRCIgnoreTime = n"}, FIELD(IRCIgnoreTime), "n"},
    {{"ReportSecDM = 45"}, FIELD(ReportDM), "45"},
    {{"IRCLineCTF = " + kCtfLine}, FIELD(IRCLineCTF), kCtfLine},
    {{"IRCLineDM = n"}, FIELD(IRCLineDM), "n"},
    {{"Advanced = 1"}, FIELD(Advanced), "1"},
    {{"RemoveColors = 1"}, FIELD(IRCRemoveColors), "1"},
    {{"RemoveFCodes = 1"}, FIELD(IRCRemoveFontCodes), "1"},
    {{"CheckForUpdate = 0"}, FIELD(CheckForUpdate), "0"},
    {{"PriveServer = 1"}, FIELD(serverIsPrivate), "1"},
    {{"KillAllowedFrom = Boss"}, FIELD(KillAllowedFrom), "Boss"},
    // Keys in any case, values as written.
    {{"ircname=Bot"}, FIELD(ircName), "Bot"},
    {{"  IrcChannel   =   #mine  "}, FIELD(txtstdKanaal), "#mine"},
    {{"IRCKey = a=b = c"}, FIELD(IRCKey), "a=b = c"},
    {{"IRCPort =\t6669"}, FIELD(IRCPort), "\t6669"},  // only blanks are trimmed
    {{"TimeLimitDM = 10", "timelimitdm = 25"}, FIELD(TimeLimitDM), "25"},  // the later line wins
    {{"ReportSecDM = 45 seconds"}, FIELD(ReportDM), "45"},
    {{"isLinesPrinted = 12.5"}, FIELD(isLinesPrinted), "12"},  // halves round to even
    {{"isStarted = 13.5"}, FIELD(isStarted), "14"},
    // The report interval as typed (so it reads back), but never 0 or less: that would report
    // every second.
    {{"ReportSecDM = soon"}, FIELD(ReportDM), "40"},
    {{"ReportSecDM = 0"}, FIELD(ReportDM), "40"},
    {{"ReportSecDM = -5"}, FIELD(ReportDM), "40"},
    {{"ReportSecDM = "}, FIELD(ReportDM), "40"},
    {{"ReportSecDM = 07.50 s"}, FIELD(ReportDM), "7.5"},
    {{"ReportSecDM = " + kLongNumber}, FIELD(ReportDM), kLongNumber},
    // Server lists collect their entries; the selected IRC server need not be among them.
    {{"IRCServer = irc.example.org", "IRCServer = IRC.Example.ORG", "IRCServer = IRC.LIBERA.CHAT"},
     FIELD(IRCServerList),
     "irc.quakenet.org|irc.libera.chat|irc.oftc.net|irc.example.org|"},
    {{"IRCSerSel = irc.not-in-list.net"}, FIELD(IRCServer), "irc.not-in-list.net"},
    {{"Q2Server = 10.0.0.5:27960 Friday league", "Q2Server = 10.0.0.5:27960",
      "Q2Server = q3.example.net"},
     FIELD(qServers),
     "10.0.0.5:27960|10.0.0.5:27960|q3.example.net|"},
    // Check boxes and their effects: an empty entry cannot be switched on.
    {{"Advanced = 0"}, FIELD(Advanced), "0"},
    {{"PriveServer = 0"}, FIELD(serverIsPrivate), "0"},
    {{"Q2Selected = "}, FIELD(quakeTimerButtonEnabled), "0"},
    {{"Q2Selected = 10.0.0.5"}, FIELD(quakeTimerButtonEnabled), "1"},
    // Line ends other than CR LF read alike.
    {{"IRCName = Unix\nIRCChannel = #lf\n; End of INI\n"}, FIELD(ircName), "Unix", ""},
    {{"IRCName = Unix\nIRCChannel = #lf\n; End of INI\n"}, FIELD(txtstdKanaal), "#lf", ""},
    {{"IRCName = Mac\rIRCChannel = #cr\r; End of INI"}, FIELD(ircName), "Mac", ""},
    {{"IRCName = Mac\rIRCChannel = #cr\r; End of INI"}, FIELD(txtstdKanaal), "#cr", ""},
};

TEST_F(SettingsTest, EachLineReadsIntoItsField) {
    for (const Read& row : kReads) {
        std::string text;
        for (const std::string& line : row.lines) text += line + row.lineEnd;
        platform.files[kSettingsFile] = text;
        OutputLines seen;
        App fresh(platform);
        fresh.addListener(&seen);
        LoadINI(fresh);
        EXPECT_EQ(row.field(fresh.view), row.expected) << row.name << " from " << text;
        // A whole file, however its lines end, is no damage.
        if (Holds(text, "; End of INI")) {
            EXPECT_TRUE(seen.lines.empty()) << text;
        }
    }
}

TEST_F(SettingsTest, CommentsAndObsoleteLinesGoAtTheNextSave) {
    load({"; my own notes", "TagSystem = [obselete since 1.20]", "ReportDM = 30",
          "; a comment = with an equals sign", "FavouriteMap = q2dm1", "", "IRCName = Kept",
          "; End of INI"});
    EXPECT_TRUE(shown().empty());      // nothing here is damage
    EXPECT_EQ(view().ReportDM, "60");  // the obsolete key is not the interval

    SafeINI(app);
    EXPECT_EQ(file().find("my own notes"), std::string::npos);
    EXPECT_EQ(file().find("FavouriteMap"), std::string::npos);
    EXPECT_NE(file().find("IRCName = Kept\r\n"), std::string::npos);
}

TEST_F(SettingsTest, ValuesCannotBreakTheLayout) {
    const char entry[] = "10.0.0.5 evil\r\nIRCName = Hijack\0x";
    view().Q2Serverlist = std::string(entry, sizeof entry - 1);
    SafeINI(app);
    EXPECT_NE(file().find("Q2Selected = 10.0.0.5 evilIRCName = Hijackx\r\n"), std::string::npos);

    App again(platform);
    LoadINI(again);
    EXPECT_EQ(again.view.ircName, "FCST");

    // A value no line could carry is cut, so that it still reads back.
    view().IRCLineDM = std::string(100000, 'x');
    SafeINI(app);
    LoadINI(again);
    EXPECT_EQ(again.view.IRCLineDM, std::string(kLongestSettingsValue, 'x'));
}

TEST_F(SettingsTest, DamagedFileLoadsEveryGoodLineAndKeepsACopy) {
    const std::string damaged = std::string("IRCName = Survivor\r\n") +
                                "garbage without equals\r\n" +
                                std::string("IRC\0Channel = #x\r\n", 18) + "IRCPort = 7000\r\n" +
                                std::string(100000, 'A') + " = long\r\n" + "Advanced = 7\r\n" +
                                "isStarted = 99999999999\r\n" + "IRCChannel = #fine\r\n";
    platform.files[kSettingsFile] = damaged;
    LoadINI(app);

    EXPECT_EQ(view().ircName, "Survivor");
    EXPECT_EQ(view().IRCPort, "7000");
    EXPECT_EQ(view().txtstdKanaal, "#fine");
    EXPECT_FALSE(view().Advanced);
    EXPECT_EQ(view().isStarted, 0);
    const std::vector<std::string> lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(Holds(lines[0],
                      "orvexa.ini is damaged: lines 2, 3, 5, 6, 7 could not be "
                      "read, and its end is missing"));
    EXPECT_TRUE(Holds(lines[0], "kept as orvexa.ini.damaged."));
    EXPECT_EQ(platform.files["orvexa.ini.damaged"], damaged);

    // A later damaged file does not overwrite the first copy.
    platform.files[kSettingsFile] = "IRCName = Cut short\r\n";
    LoadINI(app);
    EXPECT_TRUE(Holds(shown().at(0),
                      "its end is missing. Every other setting was read; the "
                      "file as found is kept as orvexa.ini.damaged-2."));
    EXPECT_EQ(platform.files["orvexa.ini.damaged"], damaged);
    EXPECT_EQ(view().ircName, "Cut short");
}

TEST_F(SettingsTest, RandomBytesNeverStopTheStart) {
    std::mt19937 random(6);
    std::string noise(1 << 20, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    platform.files[kSettingsFile] = noise;
    LoadINI(app);
    EXPECT_EQ(view().ircName, "FCST");
    EXPECT_TRUE(Holds(shown().at(0), "is damaged"));
}

TEST_F(SettingsTest, AFailedSaveKeepsTheOldFileAndIsReportedOnce) {
    load({"IRCName = Old", "; End of INI"});
    const std::string before = file();
    platform.unwritable.insert(kSettingsFile);
    view().ircName = "New";

    SafeINI(app);
    SafeINI(app);
    EXPECT_EQ(file(), before);
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(Holds(lines[0], "could not be saved in orvexa.ini"));

    platform.unwritable.clear();
    SafeINI(app);
    EXPECT_NE(file().find("IRCName = New"), std::string::npos);
    platform.unwritable.insert(kSettingsFile);
    SafeINI(app);
    EXPECT_EQ(shown().size(), 1u);  // failing again after a success is news again
}

TEST_F(SettingsTest, AnUnreadableFileLeavesTheDefaults) {
    platform.files[kSettingsFile] = "IRCName = Hidden\r\n; End of INI\r\n";
    platform.unreadable.insert(kSettingsFile);
    LoadINI(app);
    EXPECT_EQ(view().ircName, "FCST");
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(Holds(lines[0], "could not be read; the program starts with its defaults"));
}

// The moments besides start-up and shut-down at which the settings are saved.
TEST_F(SettingsTest, ServerListButtonsSaveOnlyAfterAChange) {
    auto saves = [this] {
        int n = 0;
        for (const std::string& op : std::exchange(platform.fileLog, {}))
            n += op == "replace orvexa.ini";
        return n;
    };
    view().IRCServer = "irc.example.org my server";
    AddIrcServerToList(app);
    EXPECT_EQ(view().IRCServerList.back(), "irc.example.org my server");
    EXPECT_EQ(saves(), 1);
    EXPECT_TRUE(Holds(file(), "IRCServer = irc.example.org my server\r\n"));

    view().IRCServer = "irc.libera.chat backup";  // its server is already offered
    AddIrcServerToList(app);
    view().IRCServer = "";
    AddIrcServerToList(app);
    RemoveIrcServerFromList(app);
    view().IRCServer = "irc.nowhere.net";
    RemoveIrcServerFromList(app);
    EXPECT_EQ(platform.beeps, 4);
    EXPECT_EQ(saves(), 0);

    view().IRCServer = "irc.libera.chat";
    RemoveIrcServerFromList(app);
    EXPECT_EQ((Lines{"irc.quakenet.org", "irc.oftc.net", "irc.example.org my server"}),
              view().IRCServerList);
    EXPECT_EQ(saves(), 1);

    OnServerEntryEdited(app, "10.0.0.5:27960 Friday league");
    AddServerToList(app);
    AddServerToList(app);  // already kept: a beep, no save
    EXPECT_EQ(saves(), 1);
    EXPECT_TRUE(Holds(file(), "Q2Server = 10.0.0.5:27960\r\nQ2Selected = "));
}

}  // namespace
}  // namespace fc::test
