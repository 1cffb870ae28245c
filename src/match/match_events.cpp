#include "match/match_events.h"

#include <cmath>

#include "core/app.h"
#include "core/clock_text.h"
#include "core/text_util.h"
#include "match/announcements.h"
#include "match/capper.h"
#include "match/match_clock.h"
#include "match/report_lines.h"
#include "match/teams.h"

namespace fc {

namespace {

std::string beforeSlash(const std::string& text) {
    return text.substr(0, text.find('/'));
}

std::string afterSlash(const std::string& text) {
    const std::size_t slash = text.find('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

struct Compared {
    long long red = 0;
    long long blue = 0;
    long long previousRed = 0;
    long long previousBlue = 0;
    bool previousBothZero() const { return previousRed == 0 && previousBlue == 0; }
};

// Whether the two scores are the sums of each side's players, which stay 0:0 all game long
// while no player is on a side: then the players' own scores show that the game has begun.
bool scoredByUnknownSides(const App& app) {
    const TeamScores scores = describe(app.monitor.gameType).teamScores;
    const bool summed =
        scores == TeamScores::PlayerFrags || scores == TeamScores::CountedCaptures ||
        (scores == TeamScores::TourneyScores && toLower(app.monitor.gameText) == "battle");
    return summed && !app.status.sidesKnown();
}

// The scores this reply is compared by: the frags behind the "/" where a score has two parts.
Compared compareScores(const App& app) {
    Compared c;
    c.red = wholeNumber(app.status.red.points);
    c.blue = wholeNumber(app.status.blue.points);
    if (scoredByUnknownSides(app)) {
        c.red = app.status.allPlayersScore();
        c.blue = 0;
    }
    c.previousRed = app.monitor.lastValues.red.value();
    c.previousBlue = app.monitor.lastValues.blue.value();
    return c;
}

void sayBegin(App& app, BeginForm form) {
    announce(app, beginLine(app, form), ReportKind::Essential);
    app.match.game.beginSaid = true;
    tellMoment(app, {MomentKind::Begin, "", "", ""});
}

void sayEnd(App& app, const std::string& line, MomentKind kind = MomentKind::End) {
    announce(app, line, ReportKind::Essential);
    app.match.game.beginSaid = false;
    tellMoment(app, {kind, "", "", line});
}

// Today's Quake 3 engines publish when the current game started (g_timestamp); it changes with
// every new game. Servers without it show a new game only by a new map.
bool gameChanged(const ServerStatus& now, const ServerStatus& before) {
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

void runScoreDrivenRules(App& app, const Compared& s, ScoreDrivenClock clock) {
    // One begin per game: once it was said, the clock leaving the full limit a reply later or
    // frag sums back at 0:0 after suicides move the state at most; no line, the clock runs on.
    const bool begun = app.match.game.beginSaid;
    if (clock.timeLeftFromClock) {
        app.monitor.timeLeft =
            TimeLeft::untilEnd(app.settings.timeLimitMinutes.value(), app.match.game.played);
    }
    if (s.red == 0 && s.blue == 0 && app.match.matchState == MatchState::None)
        app.match.matchState = MatchState::Ready;

    // Begin by scores: the first points after 0:0.
    if (s.previousBothZero() && (s.red != 0 || s.blue != 0)) {
        if (app.match.matchState == MatchState::Ready) app.match.matchState = MatchState::Running;
        if (!begun) {
            sayBegin(app, BeginForm::Normal);
            startBattleClock(app, std::chrono::seconds(20));
        }
    }

    // Begin by clock: the time left leaves the full time limit.
    const TimeLeft fullTime = TimeLeft::clock(app.settings.timeLimitMinutes.value());
    if (!app.monitor.timeLeft.is(TimeLeft::Kind::NoMatch) &&
        app.monitor.lastValues.timeLeft == fullTime && app.monitor.timeLeft != fullTime) {
        if (app.match.matchState == MatchState::Skip) {
            app.match.matchState = MatchState::None;  // the skipped match has started
        } else {
            if (!begun) {
                sayBegin(app, BeginForm::ClockRule);
                startBattleClock(app, clock.startAtSecondsPlayed ? app.match.game.played
                                                                 : std::chrono::seconds(6));
                app.match.game.lastReportedRed = 0;
                app.match.game.lastReportedBlue = 0;
            }
            app.match.matchState = MatchState::Running;
        }
    }

    // Quiet start: a few points on the board and no match running yet.
    if (app.match.matchState != MatchState::Skip && s.previousBothZero() &&
        app.match.matchState != MatchState::Running && (s.red >= 1 || s.blue >= 1) &&
        app.status.red.first() + app.status.blue.first() < 4) {
        app.match.matchState = MatchState::Running;
        if (!begun) {
            startBattleClock(app, std::chrono::seconds(15));
            app.match.game.lastReportedRed = 0;
            app.match.game.lastReportedBlue = 0;
        }
    }

    if (s.previousBothZero() && (s.red > 0 || s.blue > 0) &&
        app.match.matchState == MatchState::Skip)
        app.match.matchState = MatchState::None;

    if (app.monitor.timeLeft.is(TimeLeft::Kind::Intermission) &&
        app.match.matchState == MatchState::Running) {
        sayEnd(app, endedLine(app));
        app.match.matchState = MatchState::None;
        app.battleTimer->setEnabled(false);
    }
}

// Base Quake 3 publishes no team captures: a capper found between two replies is one.
void countBaseQuake3Captures(App& app, const ServerStatus& status) {
    if (!status.sidesKnown()) {
        // Any side's search finds him: one line names him, and neither count rises.
        const std::string capper = extractPlayer(app, status, app.previousStatus, "Red");
        if (!capper.empty()) {
            announce(app,
                     captureLine(app, app.match.game.capsRedQ3, app.match.game.capsBlueQ3, capper),
                     ReportKind::Essential);
            tellMoment(app, {MomentKind::Capture, "", capper, ""});
        }
        return;
    }
    for (const char* team : {"Blue", "Red"}) {
        const std::string capper = extractPlayer(app, status, app.previousStatus, team);
        if (capper.empty()) continue;
        ++(std::string(team) == "Blue" ? app.match.game.capsBlueQ3 : app.match.game.capsRedQ3);
        announce(app, captureLine(app, app.match.game.capsRedQ3, app.match.game.capsBlueQ3, capper),
                 ReportKind::Essential);
        tellMoment(app, {MomentKind::Capture, team, capper, ""});
    }
}

void runTourneyTeamRules(App& app) {
    const TimeLeft& now = app.monitor.timeLeft;
    const TimeLeft& previous = app.monitor.lastValues.timeLeft;
    const bool warmup = now.is(TimeLeft::Kind::Warmup);
    if (warmup && app.match.matchState != MatchState::Skip)
        app.match.matchState = MatchState::Ready;
    if (!warmup && previous.is(TimeLeft::Kind::Warmup)) {
        if (app.match.matchState != MatchState::Skip) {
            sayBegin(app, BeginForm::Normal);
            app.match.matchState = MatchState::Running;
        } else {
            app.match.matchState = MatchState::None;
        }
    }
    if (app.match.matchState == MatchState::Ready && !warmup &&
        !previous.is(TimeLeft::Kind::Warmup))
        app.match.matchState = MatchState::None;
    const TimeLeft zero = TimeLeft::clock(std::chrono::seconds(0));
    if (now == zero && previous != zero) {
        app.monitor.lastValues.timeLeft = zero;
        sayEnd(app, endedLine(app));
        app.match.matchState = MatchState::None;
    }
    if (app.match.matchState == MatchState::Running && now.is(TimeLeft::Kind::Clock) &&
        previous.is(TimeLeft::Kind::Clock)) {
        const long long m = std::chrono::duration_cast<std::chrono::minutes>(now.left()).count();
        // The report interval in whole minutes, halves to even.
        const long long k =
            wholeNumber(std::nearbyint(app.settings.reportIntervalSeconds.value().count() / 60.0));
        const long long next = addWithin(m, 1);
        const auto minutesBefore =
            std::chrono::duration_cast<std::chrono::minutes>(previous.left()).count();
        if (minutesBefore == next && next != 20 && m != 0 && k != 0 && next % k == 0) {
            announce(app, scoreLine(app), ReportKind::Periodic);
        }
    }
}

void runCaptureTheFlagRules(App& app, const ServerStatus& status) {
    const long long redCaptures = wholeNumber(app.status.red.first());
    const long long blueCaptures = wholeNumber(app.status.blue.first());
    const TimeLeft& now = app.monitor.timeLeft;
    const TimeLeft& previous = app.monitor.lastValues.timeLeft;
    if (!now.is(TimeLeft::Kind::Intermission)) {
        // A clock standing at a round ten minutes (the limits servers are set to) waits for
        // the start.
        const bool standsAtLimit = now.is(TimeLeft::Kind::Clock) &&
                                   now.left() % std::chrono::minutes(10) == std::chrono::seconds(0);
        if (now != previous && app.match.matchState == MatchState::Ready) {
            sayBegin(app, BeginForm::Normal);
            app.match.matchState = MatchState::Running;
        } else if (app.match.matchState == MatchState::None && now == previous && standsAtLimit) {
            app.match.matchState = MatchState::Ready;
        }
        if (app.match.matchState == MatchState::Skip && now != previous)
            app.match.matchState = MatchState::None;
    }
    if (app.match.matchState == MatchState::Running) {
        const char* team = nullptr;
        if (app.monitor.lastValues.red.value() < redCaptures) team = "Red";
        if (app.monitor.lastValues.blue.value() < blueCaptures) team = "Blue";
        if (team) {
            if (addWithin(redCaptures, blueCaptures) == 1) checkTeamsSwapped(app);
            const std::string capper = extractPlayer(app, status, app.previousStatus, team);
            announce(app, captureLine(app, redCaptures, blueCaptures, capper),
                     ReportKind::Essential);
            tellMoment(app, {MomentKind::Capture, team, capper, ""});
        }
    }
    if (now.is(TimeLeft::Kind::Intermission) && app.match.matchState == MatchState::Running) {
        sayEnd(app, endedCtfLine(app, redCaptures, wholeNumber(app.status.red.points), blueCaptures,
                                 wholeNumber(app.status.blue.points)));
        app.match.matchState = MatchState::None;
    }
}

}  // namespace

void runOspPhaseRules(App& app, const ServerStatus& status) {
    const std::string& t = status.variable("Score_Time");
    if (t == "Starting") {
        if (app.match.matchState == MatchState::Running) {
            app.match.matchState = MatchState::Ready;
            sayEnd(app, stoppedLine(), MomentKind::Stop);
        }
        app.monitor.timeLeft = TimeLeft::read(status.variable("timelimit") + ":00");
        return;
    }
    if (t == "Timelimit") {
        app.monitor.timeLeft = TimeLeft::intermission();
        return;
    }
    if (t != "PAUSED") {
        app.monitor.timeLeft = TimeLeft::read(t);
        if (app.match.game.pausedShown) {
            app.match.game.pausedShown = false;
            announce(app, continuesLine(app));
            tellMoment(app, {MomentKind::Continue, "", "", ""});
        }
    }
    if (t == "PAUSED" && !app.match.game.pausedShown) {
        announce(app, pausedLine(app, app.monitor.lastValues.timeLeft));
        app.monitor.timeLeft.pause();
        app.match.game.pausedShown = true;
        tellMoment(app, {MomentKind::Pause, "", "", ""});
    }
}

void runGameChangeRules(App& app, const ServerStatus& status) {
    if (!gameChanged(status, app.previousStatus)) return;
    // The previous reply holds the game that ended: its frags, and the captures counted for it.
    if (app.match.matchState == MatchState::Running) {
        const bool countedCaptures =
            describe(app.monitor.gameType).teamScores == TeamScores::CountedCaptures;
        sayEnd(app, countedCaptures ? endedCtfLine(app, app.match.game.capsRedQ3,
                                                   leadingWhole(app.monitor.lastValues.redFinal),
                                                   app.match.game.capsBlueQ3,
                                                   leadingWhole(app.monitor.lastValues.blueFinal))
                                    : endedLine(app, app.monitor.lastValues.redFinal,
                                                app.monitor.lastValues.blueFinal));
    }
    app.match.matchState = MatchState::None;
    app.battleTimer->setEnabled(false);
    app.match.game =
        GameMemory{};  // whole: a pause or a begin of the old game is not the new one's
    // The new game is read as a game's first reply: no scores before it, the clock at its limit.
    app.monitor.timeLeft = TimeLeft::clock(app.settings.timeLimitMinutes.value());
    app.monitor.lastValues.timeLeft = app.monitor.timeLeft;
    app.monitor.lastValues.red = app.monitor.lastValues.blue = ComparedScore(0LL);
    app.monitor.lastValues.redFinal = app.monitor.lastValues.blueFinal = "0";
}

void runMatchEventRules(App& app, const ServerStatus& status) {
    switch (app.monitor.gameType) {
        case GameType::Quake2TeamDeathmatch:
            if (toLower(app.monitor.gameText) == "battle") {
                runScoreDrivenRules(app, compareScores(app), {true, false});
            } else {
                runTourneyTeamRules(app);
            }
            break;
        case GameType::Quake3OspScored:
            runScoreDrivenRules(app, compareScores(app), {false, false});
            break;
        case GameType::Quake3TeamGame:
            // Its time left is counted down from the match clock with the scores.
            runScoreDrivenRules(app, compareScores(app), {false, true});
            break;
        case GameType::Quake3BaseCtf:
            runScoreDrivenRules(app, compareScores(app), {true, false});
            countBaseQuake3Captures(app, status);
            break;
        case GameType::Quake2Ctf:
        case GameType::Quake3OspCtf:
            runCaptureTheFlagRules(app, status);
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

void storeLastValues(App& app) {
    LastValues& last = app.monitor.lastValues;
    last.timeLeft = app.monitor.timeLeft;
    app.keepStatusAsPrevious();
    app.monitor.lastValues.game = app.monitor.gameText;
    switch (app.monitor.gameType) {
        case GameType::Quake2Ctf:
        case GameType::Quake3OspCtf:
            last.red = wholeNumber(app.status.red.first());
            last.blue = wholeNumber(app.status.blue.first());
            last.redFinal = beforeSlash(app.monitor.redScoreText);
            last.blueFinal = beforeSlash(app.monitor.blueScoreText);
            break;
        case GameType::Quake3BaseCtf:
            last.red = wholeNumber(app.status.red.points);
            last.blue = wholeNumber(app.status.blue.points);
            last.redFinal = afterSlash(app.monitor.redScoreText);
            last.blueFinal = afterSlash(app.monitor.blueScoreText);
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
            last.red = wholeNumber(app.status.red.first());
            last.blue = wholeNumber(app.status.blue.first());
            last.redFinal = app.monitor.redScoreText;
            last.blueFinal = app.monitor.blueScoreText;
            break;
    }
    if (scoredByUnknownSides(app)) {
        last.red = app.status.allPlayersScore();
        last.blue = 0LL;
    }
}

}  // namespace fc
