#include "match/match_events.h"

#include <cmath>

#include "core/app.h"
#include "core/text_util.h"
#include "match/announcements.h"
#include "match/capper.h"
#include "match/match_clock.h"
#include "match/report_lines.h"
#include "match/teams.h"

namespace fc {

namespace {

std::string BeforeSlash(const std::string& text) {
    return text.substr(0, text.find('/'));
}

std::string AfterSlash(const std::string& text) {
    const std::size_t slash = text.find('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

long long Number(const std::string& text) {
    return LeadingWhole(text);
}

struct Compared {
    long long red = 0;
    long long blue = 0;
    long long previousRed = 0;
    long long previousBlue = 0;
    bool previousBothZero() const { return previousRed == 0 && previousBlue == 0; }
};

// The scores this reply is compared by: the frags behind the "/" where a score has two parts.
Compared CompareScores(const MainView& v) {
    Compared c;
    if (Contains(v.qsRed, "/")) {
        c.red = Number(AfterSlash(v.qsRed));
        c.blue = Number(AfterSlash(v.qsBlue));
    } else {
        c.red = Number(v.qsRed);
        c.blue = Number(v.qsBlue);
    }
    c.previousRed = Number(v.lastValues.red);
    c.previousBlue = Number(v.lastValues.blue);
    return c;
}

void SayBegin(App& app, BeginForm form) {
    Announce(app, BeginLine(app, form), ReportKind::Essential);
    app.view.game.beginSaid = true;
}

void SayEnd(App& app, const std::string& line) {
    Announce(app, line, ReportKind::Essential);
    app.view.game.beginSaid = false;
}

// Today's Quake 3 engines publish when the current game started (g_timestamp); it changes with
// every new game. Servers without it show a new game only by a new map.
bool GameChanged(const ServerStatus& now, const ServerStatus& before) {
    if (!before.answered) return false;
    const std::string& started = now.variable("g_timestamp");
    const std::string& startedBefore = before.variable("g_timestamp");
    if (!started.empty() && !startedBefore.empty()) return started != startedBefore;
    return started.empty() && now.variable("mapname") != before.variable("mapname");
}

// How the games whose match is read from the scores keep their time.
struct ScoreDrivenClock {
    // The time left is the time limit less the match clock.
    bool timeLeftFromClock;
    // A begin read from the clock starts the match clock at the seconds already played
    // (else at 6).
    bool startAtSecondsPlayed;
};

void RunScoreDrivenRules(App& app, const Compared& s, ScoreDrivenClock clock) {
    MainView& v = app.view;
    // One begin per game: once it was said, the clock leaving the full limit a reply later or
    // frag sums back at 0:0 after suicides move the state at most; no line, the clock runs on.
    const bool begun = v.game.beginSaid;
    if (clock.timeLeftFromClock) {
        v.qsTimeLeft = TijdMinus(v.TimeLimitDM + ":00", MinutesSeconds(v.game.secondsPlayed));
    }
    if (s.red == 0 && s.blue == 0 && v.matchState == MatchState::None)
        v.matchState = MatchState::Ready;

    // Begin by scores: the first points after 0:0.
    if (s.previousBothZero() && (s.red != 0 || s.blue != 0)) {
        if (v.matchState == MatchState::Ready) v.matchState = MatchState::Running;
        if (!begun) {
            SayBegin(app, BeginForm::Normal);
            StartBattleClock(app, 20);
        }
    }

    // Begin by clock: the time left leaves the full time limit.
    const std::string fullTime = Trim(v.TimeLimitDM) + ":00";
    if (ToLower(v.qsTimeLeft) != "[no match]" && Trim(v.lastValues.timeLeft) == fullTime &&
        v.qsTimeLeft != fullTime) {
        if (v.matchState == MatchState::Skip) {
            v.matchState = MatchState::None;  // the skipped match has started
        } else {
            if (!begun) {
                SayBegin(app, BeginForm::ClockRule);
                StartBattleClock(app, clock.startAtSecondsPlayed ? v.game.secondsPlayed : 6);
                v.game.lastReportedRed = 0;
                v.game.lastReportedBlue = 0;
            }
            v.matchState = MatchState::Running;
        }
    }

    // Quiet start: a few points on the board and no match running yet.
    if (v.matchState != MatchState::Skip && s.previousBothZero() &&
        v.matchState != MatchState::Running && (s.red >= 1 || s.blue >= 1) &&
        LeadingNumber(v.qsRed) + LeadingNumber(v.qsBlue) < 4) {
        v.matchState = MatchState::Running;
        if (!begun) {
            StartBattleClock(app, 15);
            v.game.lastReportedRed = 0;
            v.game.lastReportedBlue = 0;
        }
    }

    if (s.previousBothZero() && (s.red > 0 || s.blue > 0) && v.matchState == MatchState::Skip)
        v.matchState = MatchState::None;

    if (Trim(v.qsTimeLeft) == "INT" && v.matchState == MatchState::Running) {
        SayEnd(app, EndedLine(app));
        v.matchState = MatchState::None;
        app.battleTimer->setEnabled(false);
    }
}

// Base Quake 3 publishes no team captures: a capper found between two replies is one.
void CountBaseQuake3Captures(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    for (const char* team : {"Blue", "Red"}) {
        const std::string capper = ExtractPlayer(app, status, app.previousStatus, team);
        if (capper.empty()) continue;
        ++(std::string(team) == "Blue" ? v.game.capsBlueQ3 : v.game.capsRedQ3);
        Announce(app, CaptureLine(app, v.game.capsRedQ3, v.game.capsBlueQ3, capper),
                 ReportKind::Essential);
    }
}

long long MinutesOf(const std::string& time) {
    return Number(time.substr(0, time.find(':')));
}

void RunTourneyTeamRules(App& app) {
    MainView& v = app.view;
    const std::string& previous = v.lastValues.timeLeft;
    if (v.qsTimeLeft == "WARMUP" && v.matchState != MatchState::Skip)
        v.matchState = MatchState::Ready;
    if (v.qsTimeLeft != "WARMUP" && previous == "WARMUP") {
        if (v.matchState != MatchState::Skip) {
            SayBegin(app, BeginForm::Normal);
            v.matchState = MatchState::Running;
        } else {
            v.matchState = MatchState::None;
        }
    }
    if (v.matchState == MatchState::Ready && v.qsTimeLeft != "WARMUP" && previous != "WARMUP")
        v.matchState = MatchState::None;
    if (Trim(v.qsTimeLeft) == "0:00" && Trim(previous) != "0:00") {
        v.lastValues.timeLeft = "0:00";
        SayEnd(app, EndedLine(app));
        v.matchState = MatchState::None;
    }
    if (v.matchState == MatchState::Running && Contains(v.qsTimeLeft, ":") &&
        Contains(v.lastValues.timeLeft, ":")) {
        const long long m = MinutesOf(v.qsTimeLeft);
        // The report interval in whole minutes, halves to even.
        const long long k = WholeNumber(std::nearbyint(LeadingNumber(v.ReportDM) / 60));
        const long long next = AddWithin(m, 1);
        if (MinutesOf(v.lastValues.timeLeft) == next && next != 20 && m != 0 && k != 0 &&
            next % k == 0) {
            Announce(app, ScoreLine(app), ReportKind::Periodic);
        }
    }
}

void RunCaptureTheFlagRules(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    const long long redCaptures = Number(BeforeSlash(v.qsRed));
    const long long blueCaptures = Number(BeforeSlash(v.qsBlue));
    const std::string& previous = v.lastValues.timeLeft;
    if (Trim(v.qsTimeLeft) != "INT") {
        std::string shown = v.qsTimeLeft;
        while (!shown.empty() && shown.back() == ' ') shown.pop_back();
        if (v.qsTimeLeft != previous && v.matchState == MatchState::Ready) {
            SayBegin(app, BeginForm::Normal);
            v.matchState = MatchState::Running;
        } else if (v.matchState == MatchState::None && v.qsTimeLeft == previous &&
                   EndsWith(shown, "0:00")) {
            v.matchState =
                MatchState::Ready;  // the clock stands at a full minute: waiting for the start
        }
        if (v.matchState == MatchState::Skip && v.qsTimeLeft != previous)
            v.matchState = MatchState::None;
    }
    if (v.matchState == MatchState::Running) {
        const char* team = nullptr;
        if (Number(v.lastValues.red) < redCaptures) team = "Red";
        if (Number(v.lastValues.blue) < blueCaptures) team = "Blue";
        if (team) {
            if (AddWithin(redCaptures, blueCaptures) == 1) CheckNWissel(app);
            const std::string capper = ExtractPlayer(app, status, app.previousStatus, team);
            Announce(app, CaptureLine(app, redCaptures, blueCaptures, capper),
                     ReportKind::Essential);
        }
    }
    if (Trim(v.qsTimeLeft) == "INT" && v.matchState == MatchState::Running) {
        SayEnd(app, EndedCtfLine(app, redCaptures, Number(AfterSlash(v.qsRed)), blueCaptures,
                                 Number(AfterSlash(v.qsBlue))));
        v.matchState = MatchState::None;
    }
}

}  // namespace

void RunOspPhaseRules(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    const std::string& t = status.variable("Score_Time");
    if (t == "Starting") {
        if (v.matchState == MatchState::Running) {
            v.matchState = MatchState::Ready;
            SayEnd(app, StoppedLine());
        }
        v.qsTimeLeft = status.variable("timelimit") + ":00";
        return;
    }
    if (t == "Timelimit") {
        v.qsTimeLeft = "INT";
        return;
    }
    if (t != "PAUSED") {
        v.qsTimeLeft = t;
        if (v.game.pausedShown) {
            v.game.pausedShown = false;
            Announce(app, ContinuesLine(app));
        }
    }
    if (t == "PAUSED" && !v.game.pausedShown) {
        Announce(app, PausedLine(app, v.lastValues.timeLeft));
        v.qsTimeLeft += " (Paused)";
        v.game.pausedShown = true;
    }
}

void RunGameChangeRules(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    if (!GameChanged(status, app.previousStatus)) return;
    // The previous reply holds the game that ended: its frags, and the captures counted for it.
    if (v.matchState == MatchState::Running) {
        const bool countedCaptures = Describe(v.gameType).teamScores == TeamScores::CountedCaptures;
        SayEnd(app, countedCaptures ? EndedCtfLine(app, v.game.capsRedQ3, Number(v.lastValues.red),
                                                   v.game.capsBlueQ3, Number(v.lastValues.blue))
                                    : EndedLine(app, v.lastValues.red, v.lastValues.blue));
    }
    v.matchState = MatchState::None;
    app.battleTimer->setEnabled(false);
    v.game = GameMemory{};  // whole: a pause or a begin of the old game is not the new one's
    // The new game is read as a game's first reply: no scores before it, the clock at its limit.
    v.qsTimeLeft = Trim(v.TimeLimitDM) + ":00";
    v.lastValues.timeLeft = v.qsTimeLeft;
    v.lastValues.red = "0";
    v.lastValues.blue = "0";
}

void RunMatchEventRules(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    switch (v.gameType) {
        case GameType::Quake2TeamDeathmatch:
            if (ToLower(v.qsGame) == "battle") {
                RunScoreDrivenRules(app, CompareScores(v), {true, false});
            } else {
                RunTourneyTeamRules(app);
            }
            break;
        case GameType::Quake3OspScored:
            RunScoreDrivenRules(app, CompareScores(v), {false, false});
            break;
        case GameType::Quake3TeamGame:
            // Its time left is counted down from the match clock with the scores.
            RunScoreDrivenRules(app, CompareScores(v), {false, true});
            break;
        case GameType::Quake3BaseCtf:
            RunScoreDrivenRules(app, CompareScores(v), {true, false});
            CountBaseQuake3Captures(app, status);
            break;
        case GameType::Quake2Ctf:
        case GameType::Quake3OspCtf:
            RunCaptureTheFlagRules(app, status);
            break;
        case GameType::NoGameYet:
        case GameType::NotMonitoring:
        case GameType::Quake2Duel:
        case GameType::Quake2FreeForAll:
        case GameType::Quake3OspFreeForAll:
        case GameType::UnrealTeamGame:
        case GameType::UnrealCtf:
        case GameType::UnrealOther:
            break;
    }
}

void StoreLastValues(App& app, const std::string& reply) {
    MainView& v = app.view;
    v.lastValues.timeLeft = v.qsTimeLeft;
    v.lastValues.reply = reply;
    app.previousStatus = app.status;
    v.lastValues.game = v.qsGame;
    switch (v.gameType) {
        case GameType::Quake2Ctf:
        case GameType::Quake3OspCtf:
            v.lastValues.red = BeforeSlash(v.qsRed);
            v.lastValues.blue = BeforeSlash(v.qsBlue);
            break;
        case GameType::Quake3BaseCtf:
            v.lastValues.red = AfterSlash(v.qsRed);
            v.lastValues.blue = AfterSlash(v.qsBlue);
            break;
        case GameType::NoGameYet:
        case GameType::NotMonitoring:
        case GameType::Quake2Duel:
        case GameType::Quake2TeamDeathmatch:
        case GameType::Quake2FreeForAll:
        case GameType::Quake3OspFreeForAll:
        case GameType::Quake3OspScored:
        case GameType::Quake3TeamGame:
        case GameType::UnrealTeamGame:
        case GameType::UnrealCtf:
        case GameType::UnrealOther:
            v.lastValues.red = v.qsRed;
            v.lastValues.blue = v.qsBlue;
            break;
    }
}

}  // namespace fc
