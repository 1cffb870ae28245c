// What users get when they ask the bot: every command and client query with its exact
// notices, the ignore list, the greeting, and who may stop the bot.
#include "irc/bot_commands.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

class BotCommandsTest : public IrcTest {
protected:
    void SetUp() override {
        joinChannel();
        view.IRConjoin = false;
    }
    // A private message to the bot from `nick`, control codes written as for Codes().
    void ask(const std::string& text, const std::string& nick = "joe") {
        receive(":" + nick + "!~joe@host PRIVMSG FCST :" + Codes(text) + "\r\n");
    }
    // The log lines among the output (chat display lines left out).
    Lines logged() {
        Lines logs;
        for (const std::string& line : shown())
            if (line.rfind("<", 0) != 0) logs.push_back(line);
        return logs;
    }
};

TEST_F(BotCommandsTest, ClientQueriesGetPlainNoticeAnswers) {
    ask("^AVERSION^A", "v");
    ask("^APING 1700000000^A", "p");  // the timestamp is not echoed
    ask("^AFINGER^A", "f");
    EXPECT_EQ(sent(),
              (Lines{"NOTICE v :Fragcaster Version 1.33 Build  139", "NOTICE p :You're lagging...",
                     "NOTICE f :https://fragcaster.example.net/"}));
    EXPECT_EQ(logged(),
              (Lines{"& Notice (CTCP version) sent to v", "& Notice (CTCP ping) sent to p",
                     "& Notice (CTCP finger) sent to f"}));
}

TEST_F(BotCommandsTest, InfoShowsVersionAndCounters) {
    view.isStarted = 12;
    view.isLinesPrinted = 345;
    ask("!info");
    const Lines lines = sent();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "NOTICE joe :Fragcaster Version 1.33 Build: 139  S: 12  L: 345");
    EXPECT_EQ(
        lines[2],
        "NOTICE joe :I keep match scores live up to date and will report them in this channel.");
    EXPECT_NE(lines[3].find("https://fragcaster.example.net/"), std::string::npos);
    EXPECT_EQ(logged(), (Lines{"& Notice (!info) sent to joe"}));
}

TEST_F(BotCommandsTest, HelpmeShowsScoreAndCommandsAndIgnoresFiveSecondsLonger) {
    view.qsMap = "q3ctf1";
    view.qsRed = "3/12";
    view.qsBlue = " 25";  // no "/": the first number is 0, the second the whole value
    view.qsTimeLeft = "12:34";
    view.IRCIgnoreTime = "15 sec";
    ask("!helpme");
    EXPECT_EQ(sent(),
              (Lines{
                  Codes("NOTICE joe :^C7Fragcaster Version 1.33"),
                  Codes("NOTICE joe :^C7Map:q3ctf1  Current score: [Red team] 3 (12) / "
                        "[Blue team] 0 (25)  Time left: 12:34"),
                  Codes("NOTICE joe :^C7Type: ^B/msg FCST !info^B  = Info about the program"),
                  Codes("NOTICE joe :^C7Type: ^B/msg FCST !players^B  = Current players "
                        "playing on that server"),
                  Codes("NOTICE joe :^C7Type: ^B/msg FCST !stats^B  = Current match info."),
                  Codes("NOTICE joe :^C7You can only send a command every 15 sec seconds!"),
              }));
    EXPECT_EQ(view.ignorelist, (Lines{"joe 20"}));
}

TEST_F(BotCommandsTest, StatsDependOnGameTypeAndMatchState) {
    view.Q2Serverlist = "10.0.0.5:27960 Friday league";
    view.qsMap = "q2dm1";
    view.qsRed = "2/40";
    view.qsBlue = "1/35";
    view.qsTimeLeft = "7:00";
    view.IRCIgnoreTime = "0";
    auto stats = [&](const std::string& type, int state, bool hidden = false) {
        view.gameType = type;
        view.matchState = static_cast<MatchState>(state);
        view.serverIsPrivate = hidden;
        ask("!stats");
        platform.advance(1000);  // the ignore entry runs out
        const Lines lines = sent();
        return lines.empty() ? std::string("(none)") : lines.at(0);
    };
    const std::string ctf =
        " -- Current score: [Red team] 2 (40) / [Blue team] 1 (35)  Time left: 7:00";
    const std::pair<std::string, std::string> ctfStats[] = {
        {stats("ctf", 0), "NOTICE joe :Match has not started yet"},
        {stats("ctfq3", 3), "NOTICE joe :Match has not started yet"},
        {stats("ctf", 2), "NOTICE joe :Match is ready to begin"},
        {stats("ctf", 1), "NOTICE joe :^_^BServer^B^_: 10.0.0.5:27960  ^_^BMap^_^B:q2dm1" + ctf},
        {stats("ctfq3", 1, true),
         "NOTICE joe :^_^BServer^B^_: [PRIVATE!]  ^_^BMap^_^B:q2dm1" + ctf},
    };
    view.qsRed = " 17 ";
    view.qsBlue = "9";
    const std::string dm =
        "  ^_^BMap^_^B:q2dm1  ^_^BCurrent score^_^B: [Red team] 17 / [Blue team] 9";
    const std::pair<std::string, std::string> dmStats[] = {
        {stats("dmq3", 2, true), "NOTICE joe :^_^BServer^B^_: [PRIVATE!]" + dm},
        {stats("dm", 1, true), "NOTICE joe :^_^BServer^B^_: [PRIVATE!]" + dm},
        {stats("freedm", 0), "NOTICE joe :^_^BServer^B^_: 10.0.0.5:27960" + dm},
    };
    for (const auto& [said, expected] : ctfStats) EXPECT_EQ(said, Codes(expected));
    for (const auto& [said, expected] : dmStats) EXPECT_EQ(said, Codes(expected));
    shown();
    EXPECT_EQ(stats("utctf", 1), "(none)");
    EXPECT_EQ(logged(), (Lines{"& Notice (!stats) sent to joe"}));  // logged all the same
}

TEST_F(BotCommandsTest, PlayersComeThreeToANoticeColouredAndPadded) {
    view.txtnaamRED = "=RC=";
    view.txtnaamBLUE = "[B]";
    const std::string pad = "\xA0\xA0";
    view.spelerLijst = {
        {"=RC=Sarge", pad + "12", pad + "50", "", RowColour::Black},
        {"[B]Doom", "3", "40", "", RowColour::Black},
        {"Abcdefghijklmnop", "0", "999", "", RowColour::Black},  // 16: no padding
        {"Xan", "1", "2", "Spec", RowColour::Grey},              // the column beats the name test
        {"=RC=Fake", "1", "2", "Blue", RowColour::Blue},
        {"[B]Turn", "1", "2", "Red", RowColour::Red},
        {"Last", "5", "6", "", RowColour::Black},
    };
    ask("!players");
    EXPECT_EQ(sent(), (Lines{Codes("NOTICE joe :^C04=RC=Sarge       " + pad + "12 (" + pad +
                                   "50), ^C12[B]Doom         3 (40), ^C14Abcdefghijklmnop 0 (999)"),
                             Codes("NOTICE joe :^C14Xan             1 (2), ^C12=RC=Fake        1 "
                                   "(2), ^C04[B]Turn         1 (2)"),
                             Codes("NOTICE joe :^C14Last            5 (6)")}));

    view.spelerLijst.clear();
    ask("!players", "ann");
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(logged(),
              (Lines{"& Notice (!players) sent to joe", "& Notice (!players) sent to ann"}));
}

TEST_F(BotCommandsTest, TriggersIgnoreCaseAndOnlyTheEndCountsAndOnlyPrivately) {
    view.gameType = "ctf";
    ask("!STATS", "a");
    ask("hey bot, give me the !stats", "b");
    receive(":c!~c@host PRIVMSG #FCST :!stats\r\n");
    ask("!stats please", "d");
    EXPECT_EQ(sent(), (Lines{"NOTICE a :Match has not started yet",
                             "NOTICE b :Match has not started yet"}));
}

TEST_F(BotCommandsTest, AUserGetsOneAnswerPerIgnoreTime) {
    view.IRCIgnoreTime = "3";
    ask("!info");
    ask("!stats");
    EXPECT_EQ(sent().size(), 4u);
    EXPECT_EQ(logged(), (Lines{"& Notice (!info) sent to joe"}));
    EXPECT_EQ(view.ignorelist, (Lines{"joe 3"}));

    platform.advance(1000);
    EXPECT_EQ(view.ignorelist, (Lines{"joe 2"}));
    ask("^AVERSION^A");
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(view.ignorelist, (Lines{"joe 2"}));  // the countdown is not restarted
    platform.advance(2000);
    EXPECT_TRUE(view.ignorelist.empty());
    ask("^AVERSION^A");
    EXPECT_EQ(sent().size(), 1u);

    view.IRCIgnoreTime = "0";
    ask("!info", "zero");
    EXPECT_EQ(view.ignorelist.back(), "zero 0");
    platform.advance(1000);
    EXPECT_EQ(view.ignorelist, (Lines{"joe 2"}));
}

TEST_F(BotCommandsTest, OnlyListedNicksMayStopTheBot) {
    ask("!killyourself", "stranger");
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(logged().empty());

    view.KillAllowedFrom = "Admin  op2";
    ask("!killyourself", "stranger");
    EXPECT_TRUE(sent().empty());
    ask("!killyourself", "ADMIN");
    ask("!killyourself", "ADMIN");  // no ignore check for this one
    const std::string notice = "NOTICE ADMIN :Command received!";
    const std::string quit = "QUIT :Remotely closed! - OMG! Somebody is controlling me!";
    EXPECT_EQ(sent(), (Lines{notice, quit, notice, quit}));
    EXPECT_EQ(logged(), (Lines{"*** DISCONNECTED! ***", "*** DISCONNECTED! ***"}));
    EXPECT_FALSE(view.Command3Enabled);  // the fields stay locked until Quit IRC
}

TEST_F(BotCommandsTest, JoiningUsersAreGreetedWhenTheOptionIsOn) {
    receive(":quiet!~q@host JOIN :#FCST\r\n");
    EXPECT_TRUE(sent().empty());
    view.IRConjoin = true;
    receive(":newbie!~n@host JOIN :#FCST\r\n");
    EXPECT_EQ(sent(), Lines{Codes("NOTICE newbie :^C7Hi! There is a war going on! Type ^B/msg FCST "
                                  "!helpme^B to get information about the war and the commands "
                                  "you can send me!")});
    EXPECT_TRUE(view.ignorelist.empty());
}

}  // namespace
}  // namespace fc::test
