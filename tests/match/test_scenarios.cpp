// The match's scenarios: replies and button presses in; state, clocks and lines said out.
#include "match/match_control.h"
#include "match/match_events.h"
#include "program/shown_status.h"
#include "support/steps.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

const std::string kBegin = "*** MATCH BEGIN *** Map playing: ";
const std::string kEnded = "*** MATCH HAS ENDED! *** FINAL SCORE: ";

// The program monitoring a server whose replies the test makes `paceMs` apart (no entry: none).
struct Match : Steps {
    explicit Match(const std::string& entry = "10.0.0.5:27910") : Steps(entry) { paceMs = 1000; }
    // A Quake 3 reply with these variables, then the base ones; the first scores set to these.
    void q3(Vars vars, const std::vector<int>& scores = {}) {
        platform.advance(paceMs);
        for (std::size_t i = 0; i < scores.size(); ++i) roster[i].score = std::to_string(scores[i]);
        vars.insert(vars.end(), base.begin(), base.end());
        reply(quake3Reply(vars, roster), host, port);
    }
    // An Unreal Tournament answer in its three datagrams; the roster's pings are the teams.
    void ut(const std::string& gametype, const std::string& limit, const std::vector<int>& frags) {
        platform.advance(paceMs);
        UnrealAnswer answer{gametype, limit};
        for (std::size_t i = 0; i < roster.size(); ++i)
            answer.players.push_back(
                {roster[i].name, i < frags.size() ? frags[i] : 0, roster[i].ping});
        for (const std::string& d : unrealDatagrams(answer, ++utQuery)) reply(d, host, port);
    }
    // The seconds the match clock started at, or "off".
    std::string clock() {
        return app.battleTimer->enabled() ? std::to_string(app.match.game.played.count()) : "off";
    }
    int utQuery = 0;
    Vars base;
};

// The match-event rules on one pair of replies. Points after 0:0 say the Begin line with the time
// left as it stands; a private server is hidden in it, each form keeping its own blanks.
TEST(MatchRules, OnePairOfReplies) {
    using enum MatchState;
    const GameType Osp = GameType::Quake3OspScored, Ctf = GameType::Quake2Ctf,
                   Tdm = GameType::Quake2TeamDeathmatch, Q3Team = GameType::Quake3TeamGame,
                   Q3Ctf = GameType::Quake3BaseCtf;
    const std::string at = kBegin + "   Server: 10.0.0.5:27910   Time Left: ";
    const std::string hidden = kBegin + "   Server: [PRIVATE!]";
    // clang-format off
    const struct { const char* name; GameType type; const char *lastTime, *time, *red, *blue;
                   MatchState state, after; const char* clock; std::string said = ""; bool hidden = false;
                   long long previousBlue = 0; } rows[] = {
        {"the clock ends a skip", Osp, "20:00", "19:59", "0", "0", Skip, None, "off"},
        {"the clock begins", Osp, "20:00", "19:59", "0", "0", None, Running, "6", at + "19:59"},
        {"quiet start below four points", Osp, "", "", "2", "1", None, Running, "15", at},
        {"quiet start at one point", Osp, "", "", "1", "0", None, Running, "15", at},
        {"quiet start at one point of blue's", Osp, "", "", "0", "1", None, Running, "15", at},
        {"no quiet start from four points", Osp, "", "", "3", "1", None, None, "20", at},
        {"points after 0 0 end a skip", Osp, "", "", "1", "0", Skip, None, "20", at},
        {"points after points neither begin nor end a skip", Osp, "", "", "1", "3", Skip, Skip, "off", "", false, 3},
        {"ready ctf", Ctf, "20:00", "19:59", "0/0", "0/0", Ready, Running, "off", at + "19:59"},
        {"ready, no warm up: no match", Tdm, "10:00", "9:59", "0", "0", Ready, None, "off"},
        {"warm up ends", Tdm, "WARMUP", "20:00", "0", "0", Ready, Running, "off", at + "20:00"},
        {"private, ready ctf", Ctf, "20:00", "19:59", "0/0", "0/0", Ready, Running, "off",
         hidden + "  Time Left: 19:59", true},
        {"private, by the clock", Osp, "20:00", "19:59", "0", "0", None, Running, "6",
         hidden + "   Time Left: 19:59", true},
        // A base Quake 3 team game's clock runs on from the seconds it counted already.
        {"base team game", Q3Team, "20:00", "19:59", "0", "0", None, Running, "42", at + "19:59"},
        {"base ctf game", Q3Ctf, "20:00", "19:59", "0", "0", None, Running, "6", at + "19:18"}};
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Match m;
        m.app.settings.serverIsPrivate = r.hidden;
        m.app.monitor.gameType = r.type;
        m.app.monitor.gameText = r.type == Osp   ? "osp"
                                 : r.type == Tdm ? "tourney"
                                 : r.type == Ctf ? "ctf"
                                                 : "baseoa";
        m.app.match.matchState = r.state;
        m.app.match.game.played = std::chrono::seconds(42);
        m.app.monitor.lastValues.timeLeft = TimeLeft::read(r.lastTime);
        m.app.monitor.timeLeft = TimeLeft::read(r.time);
        m.app.monitor.lastValues.red = 0LL;
        m.app.monitor.lastValues.blue = r.previousBlue;
        m.scores(r.red, r.blue);
        runMatchEventRules(m.app, ServerStatus{});
        EXPECT_EQ(std::tuple(m.app.match.matchState, m.clock(), m.said.lines),
                  std::tuple(r.after, r.clock, r.said.empty() ? Lines{} : Lines{r.said}));
        const TimelineStart& drawn = m.app.timeline.recorder.current().start;
        if (!r.said.empty())  // the timeline hides a private server too
            EXPECT_EQ(
                drawn.server + " " + drawn.began,
                (r.hidden ? "[PRIVATE!]" : "10.0.0.5:27910") + std::string(" 2026-12-06 12:00:01"));
    }
}

// A new game on a base Quake 3 server: the ended game gets its final score once and the next
// starts from nothing. Scores: [ABC]Ann's (blue), then two more blue, then =XY=Bob's (red).
TEST(NewGame, EndsTheOldGameOnceAndBeginsTheNext) {
    const Vars t1 = {{"g_timestamp", "t1"}}, t2 = {{"g_timestamp", "t2"}};
    const Vars m1 = {{"mapname", "m1"}}, m2 = {{"mapname", "m2"}};
    const std::string begin = kBegin + "m1   Server: 10.0.0.5:27910   Time Left: 1:00";
    using enum MatchState;
    // clang-format off
    // `waitMs` more time before a reply; `press`: the operator presses the match button before it.
    struct Reply { Vars vars; std::vector<int> scores = {}; int waitMs = 0; bool press = false; };
    const struct { const char* name; std::vector<Reply> replies; MatchState after; std::vector<std::string> said;
                   Vars base = {{"gamename", "baseoa"}, {"g_gametype", "3"}, {"timelimit", "1"}, {"mapname", "m1"}}; } rows[] = {
        // A suicide takes the frag sums back to 0:0 mid-game; Bob's capture; then a new map.
        {"a map change without timestamp ends the game",
         {{m1}, {m1, {0, 0, 0, 1}}, {m1, {0, 0, 0, 0}}, {m1, {0, 0, 0, 1}}, {m1, {0, 0, 0, 6}},
          {m2, {0, 0, 0, 0}}, {m2, {2, 0, 0, 0}}, {m2, {7, 0, 0, 0}}},
         Running, {begin, "CAP =XY=Bob 1:0N/A", kEnded + "[XY] 1 (6) / [ABC] 0 (0)",
                   "Top capper: =XY=Bob (1)  Top fragger: =XY=Bob (6)  Played: 0:04",
                   kBegin + "m2   Server: 10.0.0.5:27910   Time Left: 1:00", "CAP [ABC]Ann 0:1N/A"},
         {{"gamename", "baseoa"}, {"g_gametype", "4"}, {"timelimit", "1"}}},
        {"a new game when time is up ends once",
         {{t1}, {t1, {0, 0, 0, 1}}, {t1, {2, 0, 0, 3}, 29000}, {t2, {0, 0, 0, 0}, 29000}},
         Ready, {begin, kEnded + "[XY] 3 / [ABC] 2", "Top fragger: =XY=Bob (3)  Played: 1:00"}},
        {"a game the operator stopped begins again", {{t1}, {t1, {0, 0, 0, 1}}, {t1, {0, 0, 0, 0}, 0, true},
          {t1, {0, 0, 0, 1}}}, Running, {begin, kBegin + "m1   Server: 10.0.0.5:27910   Time Left: 20:00"}}};
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Match m;
        m.app.settings.ctfTemplate = "CAP %c% %as%:%bs%%be%";
        m.roster = {{"0", "70", "[ABC]Ann"}, {"0", "80", "[ABC]Cid"}, {"0", "80", "[ABC]Eve"},
                    {"0", "50", "=XY=Bob"},  {"0", "60", "=XY=Dan"},  {"0", "60", "=XY=Fay"}};
        m.base = r.base;
        for (const Reply& reply : r.replies) {
            m.platform.advance(reply.waitMs);
            if (reply.press) onMatchButton(m.app);
            m.q3(reply.vars, reply.scores);
        }
        EXPECT_EQ(std::tuple(m.app.match.matchState, m.said.lines), std::tuple(r.after, r.said));
    }
}

// Unreal Tournament answers, three datagrams each, one poll apart, as the frags of Alpha (red)
// and Bravo (blue): the begin, the captures and the end.
TEST(UnrealMatch, BeginsCountsCapturesAndEnds) {
    using enum MatchState;
    const std::string begin = kBegin + "CTF-Face   Server: 127.0.0.1:7778   Time Left: ";
    // clang-format off
    // The frags one answer each; the operator presses after answer `buttonAfter`; `waitMs` more
    // before the last answer; red/blue captures counted (nullptr: not checked).
    const struct { const char *name, *game, *limit; std::vector<std::vector<int>> frags; int buttonAfter, waitMs;
                   MatchState after; const char* caps; std::vector<std::string> said; } rows[] = {
        {"begin when frags leave 0 0", "CTFGame", "0", {{}, {0, 0}, {3, 0}}, -1, 0, Running, "0/0", {begin + "20:00"}},
        {"a capture in state 0 is counted unsaid", "CTFGame", "0", {{}, {3, 0}, {10, 0}}, 1, 0, None, "1/0", {begin + "20:00"}},
        {"captures while running are said", "CTFGame", "0", {{}, {3, 0}, {10, 8}}, -1, 0, Running, "1/1", {begin + "20:00", "CAP Alpha or Bravo N/A"}},
        {"frags back at 0 0 clear the captures", "CTFGame", "0", {{}, {3, 0}, {10, 0}, {0, 0}}, -1, 0, Running, "0/0", {begin + "20:00", "CAP Alpha N/A"}},
        {"no team rows, no begin", "Deathmatchplus", "0", {{}, {3, 4}}, -1, 0, None, nullptr, {}},
        {"ctf ends at INT", "CTFGame", "1", {{}, {3, 0}, {3, 2}}, -1, 48000, None, "0/0",
         {begin + "1:00", kEnded + "[Red team] 0 (3) / [Blue team] 0 (2)", "Top fragger: Alpha (3)  Played: 0:50"}},
        {"a team game ends at INT", "TeamGamePlus", "1", {{}, {3, 0}, {3, 2}}, -1, 48000, None, nullptr,
         {begin + "1:00", kEnded + "[Red team] 3 / [Blue team] 2", "Top fragger: Alpha (3)  Played: 0:50"}},
        {"other games end silently", "Assault", "1", {{}, {}}, 0, 70000, None, nullptr, {}}};
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Match u("127.0.0.1:7778");
        u.paceMs = 2000, u.app.settings.ctfTemplate = "CAP %c% %ae%";
        u.roster = {{"0", "0", "Alpha"}, {"0", "1", "Bravo"}};
        for (std::size_t i = 0; i < r.frags.size(); ++i) {
            if (i + 1 == r.frags.size()) u.platform.advance(r.waitMs);
            u.ut(r.game, r.limit, r.frags[i]);
            if (int(i) == r.buttonAfter) onMatchButton(u.app);
        }
        EXPECT_EQ(std::tuple(u.app.match.matchState, u.said.lines), std::tuple(r.after, r.said));
        for (const CaptureMark& mark : u.app.timeline.recorder.current().captures)
            EXPECT_EQ(mark.team, "Red");  // the first capper's side, on the timeline
        const auto& game = u.app.match.game;
        if (r.caps)
            EXPECT_EQ(std::to_string(game.capsRed) + "/" + std::to_string(game.capsBlue), r.caps);
    }
}

// The match button and the Unreal match clock, with no server monitored.
struct MatchControl : ::testing::Test, Match {
    MatchControl() : Match("") {}
};

// The operator corrects the time played: typed into the stopped field, taken when the clock is
// followed again, and only when the field was clicked into.
TEST_F(MatchControl, ACorrectedTimePlayedIsTakenWhenTheClockIsFollowedAgain) {
    // clang-format off
    const struct { const char* typed; bool clicked; long long played; } rows[] = {
        {"7:30", true, 450}, {"7", true, 420}, {" 2:05 ", true, 125}, {"x", true, 0}, {"7:30", false, 42},
        {"35791394:7", true, 2147483647}, {"35791394:8", true, 42}, {"-35791394:-8", true, -2147483648}};
    // clang-format on
    for (const auto& r : rows) {
        app.match.game.played = std::chrono::seconds(42);
        onFollowClockChanged(app, false);
        if (r.clicked) onTimePlayedClicked(app);
        onTimePlayedEdited(app, r.typed);
        onFollowClockChanged(app, true);
        EXPECT_EQ(app.match.game.played.count(), r.played) << r.typed;
        EXPECT_FALSE(app.match.timePlayedEditable);  // the field locked again
    }
}

// The button walks the states, the box saying the state and what the next click does; a stop
// hides the time played and resets the time left, shown wide.
TEST_F(MatchControl, TheButtonWalksTheStates) {
    using enum MatchState;
    const auto captions = [this] {
        const MatchCaptions c = matchCaptions(app.match.matchState);
        return std::string(c.state) + " / " + c.button;
    };
    app.window.timePlayedVisible = true, app.window.timeLeftWide = false;
    app.monitor.gameText = "battle";  // a start counts the report's points from nothing
    app.match.game.lastReportedRed = app.match.game.lastReportedBlue = 3;
    EXPECT_EQ(captions(), "No / Start it!");
    for (const auto& [after, shown, said] :
         {std::tuple(Running, true, "Yes / Stop it!"), {None, false, "No / Start it!"}}) {
        onMatchButton(app);
        EXPECT_EQ(std::tuple(app.match.matchState, app.window.timePlayedVisible, captions()),
                  std::tuple(after, shown, said));
    }
    EXPECT_EQ(std::tuple(app.monitor.timeLeft.text(), clock(), app.match.game.lastReportedRed,
                         app.match.game.lastReportedBlue, app.window.timeLeftWide),
              std::tuple("20:00", "off", 0, 0, true));
    app.match.matchState = Ready;
    EXPECT_EQ(captions(), "Ready to start / Skip this match");
    for (const auto& [after, said] : {std::pair(Skip, "No (Skipped) / Set: 'Ready to start'"),
                                      {Ready, "Ready to start / Skip this match"}}) {
        onMatchButton(app);
        EXPECT_EQ(std::tuple(app.match.matchState, captions()), std::tuple(after, said));
    }
}

// The interval field keeps what is typed; a field left without a positive number reads 40.
// Lowered below the seconds a running match already counted, the next tick reports at once.
TEST_F(MatchControl, TheReportIntervalFollowsTheTypingAndALoweredOneReportsAtOnce) {
    for (const char* typed : {"", "9", "1"}) onReportIntervalEdited(app, typed);
    onReportIntervalLeft(app);
    EXPECT_EQ(app.settings.reportIntervalSeconds, "1");
    onReportIntervalEdited(app, "");
    EXPECT_EQ(app.settings.reportIntervalSeconds, "");
    onReportIntervalLeft(app);
    EXPECT_EQ(app.settings.reportIntervalSeconds, "40");
    app.match.matchState = MatchState::Running;
    app.match.game.sinceReport = std::chrono::seconds(50);
    onReportIntervalEdited(app, "30");
    onBattleTick(app);
    EXPECT_EQ(std::tuple(said.lines.size(), app.match.game.sinceReport.count()), std::tuple(1u, 0));
}

// Games whose clock the program keeps start it by hand at the seconds a match has typically run,
// and count on from there.
TEST_F(MatchControl, AStartByHandSetsTheClockOfGamesTheProgramTimes) {
    const std::tuple<GameType, const char*, const char*> rows[] = {
        {GameType::Quake3TeamGame, "baseq3", "21"},
        {GameType::Quake3TeamGame, "osp", "21"},
        {GameType::Quake3OspScored, "osp", "25"},
        {GameType::Quake3OspScored, "cpma", "off"},
        {GameType::Quake2TeamDeathmatch, "battle", "25"},
        {GameType::Quake2Ctf, "ctf", "off"}};
    for (const auto& [type, game, started] : rows) {
        std::tie(app.monitor.gameType, app.monitor.gameText) = std::tuple(type, game);
        onMatchButton(app);
        platform.advance(10000);  // then it counts each second
        EXPECT_EQ(clock(), started) << game;
        onMatchButton(app);
    }
}

// Minimised, the window's caption tells the teams' first scores and the time left each second.
TEST_F(MatchControl, TheMinimisedWindowsCaptionTellsTheScore) {
    // clang-format off
    const struct { bool minimised; const char *red, *blue, *caption; } rows[] = {
        {true, " 3/12", " 1/7", "Red team  3|Blue team  1|[no match]"},
        {true, " 4", " 0", "Red team  4|Blue team  0|[no match]"}, {false, "3", "1", "~ Fragcaster ~"}};
    // clang-format on
    for (const auto& r : rows) {
        app.window.windowMinimised = r.minimised;
        app.monitor.redScoreText = r.red;
        app.monitor.blueScoreText = r.blue;
        platform.advance(1000);
        EXPECT_EQ(app.window.windowCaption, r.caption);
    }
}

TEST_F(MatchControl, TheUnrealClockCountsDownAndReportsTeamGames) {
    app.monitor.gameFamily = GameFamily::UT;
    app.monitor.gameType = GameType::UnrealTeamGame;
    app.settings.reportIntervalSeconds = "60";
    app.settings.dmTemplate = "%at% %as% (%ae%) %bt% %bs% (%be%) ping %ap%/%bp% TL %tl% %c%";
    scores("32767", "-32768");  // the ends of what the counters hold
    onMatchButton(app);
    platform.advance(59000);
    EXPECT_TRUE(said.lines.empty());
    platform.advance(1000);
    EXPECT_EQ(
        std::tuple(said.lines, app.monitor.timeLeft.text(), app.match.game.lastReportedRed,
                   app.match.game.lastReportedBlue),
        std::tuple(Lines{"Red team 32767 (+32767) Blue team -32768 (-32768) ping 0/0 TL 19:01 N/A"},
                   "19:00", 32767, -32768));
    platform.advance(60000);  // nothing scored since
    EXPECT_EQ(said.lines.back(), "Red team 32767 (+0) Blue team -32768 (+0) ping 0/0 TL 18:01 N/A");
    onMatchButton(app);
    // stopped; the next start counts a whole interval again
    EXPECT_EQ(std::tuple(app.unrealMatchTimer->enabled(), app.match.matchState,
                         app.match.game.untilUnrealReport.count()),
              std::tuple(false, MatchState::None, 60));
}

}  // namespace
}  // namespace fc::test
