#include <gtest/gtest.h>

#include "core/clock_text.h"
#include "core/server_status.h"
#include "interp/interp_feed.h"
#include "support/steps.h"

namespace fc::test {
namespace {

// The feed's clock as time played, "INT" when it does not count.
std::string played(const App& app) {
    return app.interp.interpPlayed ? minutesSeconds(*app.interp.interpPlayed) : "INT";
}

struct Feed : Steps {
    Feed() : Steps("") {
        app.irc.botChannel = "#war";
        app.settings.serverEntry = "10.0.0.5:27960 our server";
        app.settings.ctfTemplate = "%at% %as%:%bs% %bt% by %c% ping %ap%/%bp% diff %ae%/%be% %tl%";
        app.gameSocket->setRemote("10.0.0.5", "10.0.0.5", 27960);
        connectInterp(app);
        service().accept();
    }
    FakeTcpSocket& service() { return *platform.tcpSockets.at(1); }
    std::string asked() { return std::exchange(service().sent, ""); }
};

const char *const kHome = "*** home ***|*** home ***",
                  *const kHomeGone = "*** home ***|*** somewhere ***",
                  *const kGoneHome = "*** somewhere ***|*** home ***";

// One arrival per string of `in`; what is said and asked, and the labels the row names.
// clang-format off
struct FeedRow { const char* name; void (*set)(Feed&) = [](Feed&) {}; std::vector<std::string> in, said = {}; std::string asked = "";
                 const char *flags = nullptr, *capper = nullptr, *scores = nullptr, *clock = nullptr; };
const auto ctfq3 = [](Feed& f) { f.app.monitor.gameType = GameType::Quake3OspCtf; };  // a mod's own
const FeedRow kFeedRows[] = {
    {.name = "status split over two arrivals", .in = {"RED Flag Status: HO", "ME\n"}, .flags = "*** home ***|[unknown]"},
    {.name = "status names the carrier", .in = {"RED Flag Status: ^1Sarge\nBLUE Flag Status: Major\n"}, .flags = "^1Sarge|Major"},
    {.name = "status carrier died", .in = {"BLUE Flag Status: FC Died\nRED Flag Status: HOME\n"}, .flags = kHomeGone},
    {.name = "taken, switch off: the label only", .in = {"^1Sar^7ge got the RED flag!\n"}, .flags = "Sarge|[unknown]"},
    {.name = "taken reported", .set = [](Feed& f) { f.app.interp.interpGotFlag = true; },
     .in = {"Major got the BLUE flag!\ngot the RED flag!\n"},
     .said = {"\002\0032BLUE\003\002 flag taken by Major", "\002\0035RED\003\002 flag taken by "}, .flags = "|Major"},
    {.name = "lost and recovered", .set = [](Feed& f) { f.app.interp.interpLostFlag = f.app.interp.interpRecoverFlag = true; },
     .in = {"Major lost the BLUE flag!\nSarge lost the RED flag!\n", "Sarge Recovered the RED flag!\nx Recovered the BLUE flag!\n"},
     .said = {"\002\0032BLUE\003\002 flag lost!", "\002\0035RED\003\002 flag lost!", "\002\0035RED\003\002 flag returned!",
              "\002\0032BLUE\003\002 flag returned!"},
     .flags = kHome},
    {.name = "recovered unreported", .in = {"Major Recovered the BLUE flag!\nx lost the RED flag!\n"}, .flags = kGoneHome},
    {.name = "invisibility, quad off", .set = [](Feed& f) { f.app.interp.interpQuad = false; },
     .in = {"^4Ghost got INVIS!\nGhost got QUAD!\n"}, .said = {"\00314\002INVISIBILITY\002\003 taken by Ghost"}},
    {.name = "power-ups by their switches",
     .set = [](Feed& f) { f.app.interp.interpInvis = f.app.interp.interpHaste = false, f.app.interp.interpRegen = true; },
     .in = {"A got QUAD!\nB got HASTE!\nC got Regen\nD got INVIS!\n"},
     .said = {"\0034\002QUAD\002\003 taken by A", "\0036\002REGEN\002\003 taken by C"}},
    {.name = "haste by default", .in = {"Speedy got HASTE!\n"}, .said = {"\0037\002HASTE\002\003 taken by Speedy"}},
    {.name = "server status words exactly", .set = [](Feed& f) { f.app.interp.interpServerMsg = true; },
     .in = {"SERVER SHUTDOWN \nSERVER SHUTDOWN\n", "SERVER CRASH, RESTARTING\nserver starting up\nSERVER STARTING UP\nSERVER WILL SHUTDOWN IN 5 SECONDS\n"},
     .said = {"\002Server Status:\002 Server has shutdown!",
              "\002Server Status:\002 Server has \00304crashed\003! Restarting now...", "\002Server Status:\002 Starting up...",
              "\002Server Status:\002 Server will shutdown in 5 seconds..."}},
    {.name = "server status off", .in = {"SERVER STARTING UP\n"}},
    {.name = "capper with red, blanks before", .in = {"  Sarge CAPTURED the RED flag!\n"}, .capper = "Sarge"},
    {.name = "capper with blue after red", .in = {"x CAPTURED the RED flag!\n", "Major CAPTURED the BLUE flag!\n"}, .capper = "Major"},
    {.name = "capper of one letter", .in = {"x CAPTURED the RED flag!\n"}, .capper = "x"},
    // A score line brings both flags home; its numbers are taken and reported unless the
    // switch is off or the game is ctfq3, whose mod gives the score.
    {.name = "score under takeover",
     .set = [](Feed& f) { f.app.interp.interpCapper = "Sarge", f.app.monitor.timeLeft = TimeLeft::read("7:30"); },
     .in = {"Score (Red-Blue):13 - 1\n"}, .said = {"Red team 13:1 Blue team by Sarge ping N/A/N/A diff N/A/N/A 7:30"},
     .flags = kHome, .scores = "13/ 1/"},
    {.name = "score when the mod gives it", .set = [](Feed& f) { ctfq3(f), f.scores("2/40", "0/0"); },
     .in = {"Score (Red-Blue): 3 - 1\n"}, .flags = kHome, .scores = "2/40 0/0"},
    {.name = "score with the switch off", .set = [](Feed& f) { f.app.interp.interpReport = false; },
     .in = {"Current Score (Red-Blue): 3 - 1\n"}, .flags = kHome, .scores = "0/0 0/0"},
    {.name = "Current Score sets the fields only", .in = {"Current Score (Red-Blue):4 - 12 \n"}, .flags = kHome, .scores = "4/ 12/"},
    {.name = "match start, address hidden", .set = [](Feed& f) { f.app.settings.serverIsPrivate = true; },
     .in = {"Match Started!!! ctf4\n"}, .said = {"*** MATCH HAS STARTED! *** Server: [PRIVATE!] - Using Interp! - ctf4"},
     .clock = "0:00 [no match]"},
    {.name = "match start with the address, its clock running on", .in = {"Match Started!!!\n", "Time Left: 5:00\n"},
     .said = {"*** MATCH HAS STARTED! *** Server: 10.0.0.5 - Using Interp! - "}, .clock = "0:00 [no match]"},
    {.name = "match start without takeover", .set = ctfq3, .in = {"Match Started!!! x\n"}, .clock = "0:00 [no match]"},
    {.name = "time left starts the clock", .set = ctfq3, .in = {"Time Left:  5:00 \n"}, .asked = "FLAGSTAT",
     .clock = "15:00 [no match]"},
    {.name = "a whole match left, in minutes", .set = ctfq3, .in = {"Time Left: 20\n"}, .asked = "FLAGSTAT", .clock = "0:00 [no match]"},
    {.name = "timelimit hit in a started match",
     .set = [](Feed& f) { f.app.match.matchState = MatchState::Running, f.scores("3/", "17"), f.app.match.redTeamName = "Rats"; },
     .in = {"Timelimit hit!\nTimelimit hit! \n"},
     .said = {"*** MATCH HAS ENDED! *** FINAL SCORE: [Rats] 3 (0) / [Blue team] 0 (17)"}, .clock = "INT INT"},
    {.name = "timelimit hit, no match", .in = {"Timelimit hit!\n"}, .clock = "INT INT"},
};
// clang-format on

TEST(InterpFeed, LinesMoveTheLabelsAndAreReportedByTheirSwitches) {
    for (const FeedRow& r : kFeedRows) {
        SCOPED_TRACE(r.name);
        Feed f;
        r.set(f);
        for (const std::string& arrival : r.in) f.service().receive(arrival);
        EXPECT_EQ(std::tuple(f.said.lines, f.asked()), std::tuple(r.said, r.asked));
        const App& a = f.app;
        if (r.flags) EXPECT_EQ(a.interp.redFlagWhere + "|" + a.interp.blueFlagWhere, r.flags);
        if (r.capper) EXPECT_EQ(a.interp.interpCapper, r.capper);
        if (r.scores) EXPECT_EQ(a.monitor.redScoreText + " " + a.monitor.blueScoreText, r.scores);
        if (r.clock) EXPECT_EQ(played(a) + " " + a.monitor.timeLeft.text(), r.clock);
    }
}

TEST(InterpFeed, TimeLeftRunsTheClockOnlyWithinAMatchLength) {
    Feed f;
    f.app.match.matchState = MatchState::Running;
    f.service().receive("Time Left: 5:00\n");
    EXPECT_EQ(f.asked(), "FLAGSTAT");
    f.platform.advance(299000);
    f.service().receive("Time Left: 9:00\n");  // only a stopped clock is set again
    EXPECT_EQ(f.app.monitor.timeLeft.text() + " " + played(f.app) + f.asked(), "0:01 19:59");
    EXPECT_TRUE(f.said.lines.empty());
    f.platform.advance(1000);
    EXPECT_EQ(f.said.lines, std::vector<std::string>{"*** MATCH HAS ENDED! *** FINAL SCORE: "
                                                     "[Red team] 0 (0) / [Blue team] 0 (0)"});
    EXPECT_EQ(std::tuple(f.app.monitor.timeLeft.text(), f.app.match.matchState,
                         f.app.interpClockTimer->enabled()),
              std::tuple("INT", MatchState::None, false));
    // more than the match length left never counts nor ends
    f.app.match.matchState = MatchState::Running;
    f.service().receive("Time Left: 25:00\n");
    EXPECT_EQ(played(f.app) + " " + f.asked(), "INT FLAGSTAT");
    f.platform.advance(1800000);
    EXPECT_EQ(std::tuple(played(f.app), f.app.match.matchState),
              std::tuple("INT", MatchState::Running));
    f.service().receive("Time Left: 19:00\n");  // the clock stopped: the next report sets it
    EXPECT_EQ(played(f.app) + " " + f.asked(), "1:00 FLAGSTAT");
    EXPECT_EQ(f.said.lines.size(), 1u);
}

TEST(InterpFeed, ConnectsToTheServersHostAndIsNotRedialled) {
    Feed f;
    const auto seen = [&] {
        return f.service().host + ":" + std::to_string(f.service().port) + " " +
               f.app.interp.interpSupport + " " + std::to_string(int(f.service().state()));
    };
    EXPECT_EQ(seen(), "10.0.0.5:3490 ENABLED! 7");
    EXPECT_TRUE(f.app.window.teamScoresVisible);
    for (const auto& [entry, shown] :
         {std::pair{"game.example.net", "game.example.net:3490 Disabled! 6"},
          {"10.1.1.1 :27960 comment", "10.1.1.1:3490 Disabled! 6"},
          {"recordings/final.rec", "10.1.1.1:3490 Disabled! 0"}}) {
        f.app.settings.serverEntry = entry;
        connectInterp(f.app);
        EXPECT_EQ(seen(), shown);
    }
    f.app.settings.serverEntry = "10.0.0.5:27960";
    connectInterp(f.app);
    f.service().accept();
    f.service().peerClose();  // the service going away is shown and not redialled
    f.platform.advance(60000);
    EXPECT_EQ(seen(), "10.0.0.5:3490 Disabled! 0");
    connectInterp(f.app);  // "Reconnect"
    EXPECT_EQ(seen(), "10.0.0.5:3490 Disabled! 6");
    disconnectInterp(f.app);
    EXPECT_EQ(f.app.interp.interpSupport, "Disabled!");
}

TEST(InterpFeed, TheGreetingAsksForTheGameAndTheOutputShowsTheRawFeed) {
    Feed f;
    f.service().receive("Welcome to Interp 2.1b\r\nMade by: Fx\r\nEmail: fx@example.net\r\na\nb");
    EXPECT_EQ(f.asked() + " " + f.app.interp.interpVersion + " " + f.app.interp.interpAuthor + " " +
                  f.app.interp.interpEmail,
              "GAMESTAT 2.1b Fx fx@example.net");
    f.service().receive("c\r\n");
    EXPECT_EQ(f.app.interp.interpOutput.substr(f.app.interp.interpOutput.size() - 8),
              "a\r\nbc\r\r\n");
    clearInterpOutput(f.app);
    // bounded: an endless line is cut, or dropped with one message when it never ends
    f.app.interp.interpGotFlag = true;
    f.service().receive("a" + std::string(12000, 'x') + "\n");
    EXPECT_EQ(f.app.interp.interpOutput, std::string(9998, 'x') + "\r\n");
    clearInterpOutput(f.app);
    for (int n : {4000, 4000, 4200, 4184}) f.service().receive(std::string(n, 'y'));  // 16384
    const std::string& out = f.app.interp.interpOutput;
    EXPECT_EQ(out.find("dropped"), std::string::npos);
    f.service().receive("y");
    EXPECT_NE(out.find("*** A line longer than 16384 bytes was dropped. ***\r\n"),
              std::string::npos);
    f.service().receive(std::string(9000, 'y') + " got the RED flag!\nRED Flag Status: HOME\n");
    EXPECT_EQ(out.find("dropped"), out.rfind("dropped"));
    EXPECT_EQ(f.app.interp.redFlagWhere, "*** home ***");
    EXPECT_TRUE(f.said.lines.empty() && f.app.interp.interpBuffer.empty());
}

}  // namespace
}  // namespace fc::test
