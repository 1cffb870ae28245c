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

std::string beforeSlash(const std::string& text) {
    return text.substr(0, text.find('/'));
}

std::string afterSlash(const std::string& text) {
    const std::size_t slash = text.find('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

long long parseNumber(const std::string& text) {
    return leadingWhole(text);
}

struct Compared {
    long long red = 0;
    long long blue = 0;
    long long previousRed = 0;
    long long previousBlue = 0;
    bool previousBothZero() const { return previousRed == 0 && previousBlue == 0; }
};

// The scores this reply is compared by: the frags behind the "/" where a score has two parts.
Compared compareScores(const MainView& v) {
    Compared c;
    if (textContains(v.redScoreText, "/")) {
        c.red = parseNumber(afterSlash(v.redScoreText));
        c.blue = parseNumber(afterSlash(v.blueScoreText));
    } else {
        c.red = parseNumber(v.redScoreText);
        c.blue = parseNumber(v.blueScoreText);
    }
    c.previousRed = parseNumber(v.lastValues.red);
    c.previousBlue = parseNumber(v.lastValues.blue);
    return c;
}

void sayBegin(App& app, BeginForm form) {
    announce(app, beginLine(app, form), ReportKind::Essential);
    app.view.game.beginSaid = true;
}

void sayEnd(App& app, const std::string& line) {
    announce(app, line, ReportKind::Essential);
    app.view.game.beginSaid = false;
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
    MainView& v = app.view;
    // One begin per game: once it was said, the clock leaving the full limit a reply later or
    // frag sums back at 0:0 after suicides move the state at most; no line, the clock runs on.
    const bool begun = v.game.beginSaid;
    if (clock.timeLeftFromClock) {
        v.timeLeftText =
            subtractClockTimes(v.timeLimitMinutes + ":00", minutesSeconds(v.game.secondsPlayed));
    }
    if (s.red == 0 && s.blue == 0 && v.matchState == MatchState::None)
        v.matchState = MatchState::Ready;

    // Begin by scores: the first points after 0:0.
    if (s.previousBothZero() && (s.red != 0 || s.blue != 0)) {
        if (v.matchState == MatchState::Ready) v.matchState = MatchState::Running;
        if (!begun) {
            sayBegin(app, BeginForm::Normal);
            startBattleClock(app, 20);
        }
    }

    // Begin by clock: the time left leaves the full time limit.
    const std::string fullTime = trimBlanks(v.timeLimitMinutes) + ":00";
    if (toLower(v.timeLeftText) != "[no match]" && trimBlanks(v.lastValues.timeLeft) == fullTime &&
        v.timeLeftText != fullTime) {
        if (v.matchState == MatchState::Skip) {
            v.matchState = MatchState::None;  // the skipped match has started
        } else {
            if (!begun) {
                sayBegin(app, BeginForm::ClockRule);
                startBattleClock(app, clock.startAtSecondsPlayed ? v.game.secondsPlayed : 6);
                v.game.lastReportedRed = 0;
                v.game.lastReportedBlue = 0;
            }
            v.matchState = MatchState::Running;
        }
    }

    // Quiet start: a few points on the board and no match running yet.
    if (v.matchState != MatchState::Skip && s.previousBothZero() &&
        v.matchState != MatchState::Running && (s.red >= 1 || s.blue >= 1) &&
        leadingNumber(v.redScoreText) + leadingNumber(v.blueScoreText) < 4) {
        v.matchState = MatchState::Running;
        if (!begun) {
            startBattleClock(app, 15);
            v.game.lastReportedRed = 0;
            v.game.lastReportedBlue = 0;
        }
    }

    if (s.previousBothZero() && (s.red > 0 || s.blue > 0) && v.matchState == MatchState::Skip)
        v.matchState = MatchState::None;

    if (trimBlanks(v.timeLeftText) == "INT" && v.matchState == MatchState::Running) {
        sayEnd(app, endedLine(app));
        v.matchState = MatchState::None;
        app.battleTimer->setEnabled(false);
    }
}

// Base Quake 3 publishes no team captures: a capper found between two replies is one.
void countBaseQuake3Captures(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    for (const char* team : {"Blue", "Red"}) {
        const std::string capper = extractPlayer(app, status, app.previousStatus, team);
        if (capper.empty()) continue;
        ++(std::string(team) == "Blue" ? v.game.capsBlueQ3 : v.game.capsRedQ3);
        announce(app, captureLine(app, v.game.capsRedQ3, v.game.capsBlueQ3, capper),
                 ReportKind::Essential);
    }
}

long long minutesOf(const std::string& time) {
    return parseNumber(time.substr(0, time.find(':')));
}

void runTourneyTeamRules(App& app) {
    MainView& v = app.view;
    const std::string& previous = v.lastValues.timeLeft;
    if (v.timeLeftText == "WARMUP" && v.matchState != MatchState::Skip)
        v.matchState = MatchState::Ready;
    if (v.timeLeftText != "WARMUP" && previous == "WARMUP") {
        if (v.matchState != MatchState::Skip) {
            sayBegin(app, BeginForm::Normal);
            v.matchState = MatchState::Running;
        } else {
            v.matchState = MatchState::None;
        }
    }
    if (v.matchState == MatchState::Ready && v.timeLeftText != "WARMUP" && previous != "WARMUP")
        v.matchState = MatchState::None;
    if (trimBlanks(v.timeLeftText) == "0:00" && trimBlanks(previous) != "0:00") {
        v.lastValues.timeLeft = "0:00";
        sayEnd(app, endedLine(app));
        v.matchState = MatchState::None;
    }
    if (v.matchState == MatchState::Running && textContains(v.timeLeftText, ":") &&
        textContains(v.lastValues.timeLeft, ":")) {
        const long long m = minutesOf(v.timeLeftText);
        // The report interval in whole minutes, halves to even.
        const long long k =
            wholeNumber(std::nearbyint(leadingNumber(v.reportIntervalSeconds) / 60));
        const long long next = addWithin(m, 1);
        if (minutesOf(v.lastValues.timeLeft) == next && next != 20 && m != 0 && k != 0 &&
            next % k == 0) {
            announce(app, scoreLine(app), ReportKind::Periodic);
        }
    }
}

void runCaptureTheFlagRules(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    const long long redCaptures = parseNumber(beforeSlash(v.redScoreText));
    const long long blueCaptures = parseNumber(beforeSlash(v.blueScoreText));
    const std::string& previous = v.lastValues.timeLeft;
    if (trimBlanks(v.timeLeftText) != "INT") {
        std::string shown = v.timeLeftText;
        while (!shown.empty() && shown.back() == ' ') shown.pop_back();
        if (v.timeLeftText != previous && v.matchState == MatchState::Ready) {
            sayBegin(app, BeginForm::Normal);
            v.matchState = MatchState::Running;
        } else if (v.matchState == MatchState::None && v.timeLeftText == previous &&
                   textEndsWith(shown, "0:00")) {
            v.matchState =
                MatchState::Ready;  // the clock stands at a full minute: waiting for the start
        }
        if (v.matchState == MatchState::Skip && v.timeLeftText != previous)
            v.matchState = MatchState::None;
    }
    if (v.matchState == MatchState::Running) {
        const char* team = nullptr;
        if (parseNumber(v.lastValues.red) < redCaptures) team = "Red";
        if (parseNumber(v.lastValues.blue) < blueCaptures) team = "Blue";
        if (team) {
            if (addWithin(redCaptures, blueCaptures) == 1) checkTeamsSwapped(app);
            const std::string capper = extractPlayer(app, status, app.previousStatus, team);
            announce(app, captureLine(app, redCaptures, blueCaptures, capper),
                     ReportKind::Essential);
        }
    }
    if (trimBlanks(v.timeLeftText) == "INT" && v.matchState == MatchState::Running) {
        sayEnd(app, endedCtfLine(app, redCaptures, parseNumber(afterSlash(v.redScoreText)),
                                 blueCaptures, parseNumber(afterSlash(v.blueScoreText))));
        v.matchState = MatchState::None;
    }
}

}  // namespace

void runOspPhaseRules(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    const std::string& t = status.variable("Score_Time");
    if (t == "Starting") {
        if (v.matchState == MatchState::Running) {
            v.matchState = MatchState::Ready;
            sayEnd(app, stoppedLine());
        }
        v.timeLeftText = status.variable("timelimit") + ":00";
        return;
    }
    if (t == "Timelimit") {
        v.timeLeftText = "INT";
        return;
    }
    if (t != "PAUSED") {
        v.timeLeftText = t;
        if (v.game.pausedShown) {
            v.game.pausedShown = false;
            announce(app, continuesLine(app));
        }
    }
    if (t == "PAUSED" && !v.game.pausedShown) {
        announce(app, pausedLine(app, v.lastValues.timeLeft));
        v.timeLeftText += " (Paused)";
        v.game.pausedShown = true;
    }
}

void runGameChangeRules(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    if (!gameChanged(status, app.previousStatus)) return;
    // The previous reply holds the game that ended: its frags, and the captures counted for it.
    if (v.matchState == MatchState::Running) {
        const bool countedCaptures = describe(v.gameType).teamScores == TeamScores::CountedCaptures;
        sayEnd(app, countedCaptures
                        ? endedCtfLine(app, v.game.capsRedQ3, parseNumber(v.lastValues.red),
                                       v.game.capsBlueQ3, parseNumber(v.lastValues.blue))
                        : endedLine(app, v.lastValues.red, v.lastValues.blue));
    }
    v.matchState = MatchState::None;
    app.battleTimer->setEnabled(false);
    v.game = GameMemory{};  // whole: a pause or a begin of the old game is not the new one's
    // The new game is read as a game's first reply: no scores before it, the clock at its limit.
    v.timeLeftText = trimBlanks(v.timeLimitMinutes) + ":00";
    v.lastValues.timeLeft = v.timeLeftText;
    v.lastValues.red = "0";
    v.lastValues.blue = "0";
}

void runMatchEventRules(App& app, const ServerStatus& status) {
    MainView& v = app.view;
    switch (v.gameType) {
        case GameType::Quake2TeamDeathmatch:
            if (toLower(v.gameText) == "battle") {
                runScoreDrivenRules(app, compareScores(v), {true, false});
            } else {
                runTourneyTeamRules(app);
            }
            break;
        case GameType::Quake3OspScored:
            runScoreDrivenRules(app, compareScores(v), {false, false});
            break;
        case GameType::Quake3TeamGame:
            // Its time left is counted down from the match clock with the scores.
            runScoreDrivenRules(app, compareScores(v), {false, true});
            break;
        case GameType::Quake3BaseCtf:
            runScoreDrivenRules(app, compareScores(v), {true, false});
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
    MainView& v = app.view;
    v.lastValues.timeLeft = v.timeLeftText;
    app.keepStatusAsPrevious();
    v.lastValues.game = v.gameText;
    switch (v.gameType) {
        case GameType::Quake2Ctf:
        case GameType::Quake3OspCtf:
            v.lastValues.red = beforeSlash(v.redScoreText);
            v.lastValues.blue = beforeSlash(v.blueScoreText);
            break;
        case GameType::Quake3BaseCtf:
            v.lastValues.red = afterSlash(v.redScoreText);
            v.lastValues.blue = afterSlash(v.blueScoreText);
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
            v.lastValues.red = v.redScoreText;
            v.lastValues.blue = v.blueScoreText;
            break;
    }
}

}  // namespace fc
