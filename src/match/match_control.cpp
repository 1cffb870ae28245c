#include "match/match_control.h"

#include <cstdint>
#include <limits>

#include "core/app.h"
#include "core/line_sink.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "match/match_clock.h"
#include "match/report_lines.h"

namespace fc {

namespace {

// A score as the 16-bit counters hold it; one out of their range leaves the counter as it was.
void storeScore(std::int16_t& counter, const std::string& score) {
    const long long value = leadingWhole(score);
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max()) {
        counter = static_cast<std::int16_t>(value);
    }
}

void skipOrTake(App& app) {
    MainView& v = app.view;
    if (v.matchState == MatchState::Ready) {
        v.matchState = MatchState::Skip;
        v.matchButton = "Set 'Ready to start'";
    } else if (v.matchState == MatchState::Skip) {
        v.matchState = MatchState::Ready;
        v.matchButton = "Skip next match";
    }
}

// The operator's start: the next score report counts the points from here.
void startClock(App& app, std::int32_t secondsPlayed) {
    startBattleClock(app, secondsPlayed);
    app.view.game.lastReportedRed = 0;
    app.view.game.lastReportedBlue = 0;
}

// The score report of team games, made from the operator's deathmatch template.
void sendScoreReport(App& app) {
    MainView& v = app.view;
    ReportValues values;
    values.teamA = v.redTeamName;
    values.teamB = v.blueTeamName;
    values.scoreA = v.redScoreText;
    values.scoreB = v.blueScoreText;
    values.pingA = plainNumber(v.avgPingRed);
    values.pingB = plainNumber(v.avgPingBlue);
    values.pointsA = signedPoints(addWithin(leadingWhole(v.redScoreText), -v.game.lastReportedRed));
    values.pointsB =
        signedPoints(addWithin(leadingWhole(v.blueScoreText), -v.game.lastReportedBlue));
    values.capper = "N/A";
    values.timeLeft = v.timeLeftText;
    sayInChannel(app, v.botChannel, expandTemplate(app, v.dmTemplate, values),
                 ReportKind::Periodic);
}

void noteReportedScores(App& app) {
    storeScore(app.view.game.lastReportedRed, app.view.redScoreText);
    storeScore(app.view.game.lastReportedBlue, app.view.blueScoreText);
}

}  // namespace

std::string signedPoints(long long points) {
    return (points < 0 ? "" : "+") + plainNumber(points);
}

std::string timePlayedText(const App& app) {
    return minutesSeconds(app.view.game.secondsPlayed);
}

void onMatchButton(App& app) {
    MainView& v = app.view;
    if (v.gameFamily == GameFamily::UT) {
        onUnrealMatchButton(app);
        return;
    }
    app.battleTimer->setInterval(1000);
    if (v.matchState == MatchState::None) {
        v.matchState = MatchState::Running;
        const std::string g = toLower(v.gameText);
        // Games whose clock the program keeps itself start it with the seconds a match
        // typically runs before the operator gets to the button.
        switch (v.gameType) {
            case GameType::Quake3TeamGame:
                if (isBaseQuake3(g) || g == "osp") startClock(app, 11);
                break;
            case GameType::Quake3OspScored:
                if (g == "osp") startClock(app, 15);
                break;
            case GameType::NoGameYet:
            case GameType::NotMonitoring:
            case GameType::Quake2Ctf:
            case GameType::Quake2Duel:
            case GameType::Quake2TeamDeathmatch:
            case GameType::Quake2FreeForAll:
            case GameType::Quake3OspFreeForAll:
            case GameType::Quake3OspCtf:
            case GameType::Quake3BaseCtf:
            case GameType::UnrealTeamGame:
            case GameType::UnrealCtf:
            case GameType::UnrealOther:
                break;
        }
        if (g == "battle") startClock(app, 15);
    } else if (v.matchState == MatchState::Running) {
        v.matchState = MatchState::None;
        v.game.beginSaid = false;
        app.battleTimer->setEnabled(false);
        v.followClockVisible = false;
        v.timePlayedVisible = false;
        v.timeLeftWide = true;
        v.timeLeftText = "20:00";
    } else {
        skipOrTake(app);
    }
}

void onUnrealMatchButton(App& app) {
    MainView& v = app.view;
    if (v.matchState == MatchState::Running) {
        app.unrealMatchTimer->setEnabled(false);
        v.game.secondsToUnrealReport = static_cast<int>(leadingWhole(v.reportIntervalSeconds));
        v.matchState = MatchState::None;
    } else if (v.matchState == MatchState::None) {
        v.matchState = MatchState::Running;
        v.game.secondsToUnrealReport = static_cast<int>(leadingWhole(v.reportIntervalSeconds));
        app.unrealMatchTimer->setEnabled(true);
    } else {
        skipOrTake(app);
    }
}

void onBattleTick(App& app) {
    MainView& v = app.view;
    if (v.matchState == MatchState::None || v.matchState == MatchState::Ready) {
        v.game.secondsSinceReport = 0;
        return;
    }
    // The counter is compared before it is raised: with 60 a line goes out every 61st tick.
    if (leadingNumber(v.reportIntervalSeconds) == v.game.secondsSinceReport) {
        v.game.secondsSinceReport = 0;
        sendScoreReport(app);
        noteReportedScores(app);
    } else {
        ++v.game.secondsSinceReport;
    }
    if (v.timePlayedFollowsClock) v.timePlayed = timePlayedText(app);
}

void onUnrealTick(App& app) {
    MainView& v = app.view;
    // The countdown is lowered before the test: with 60 a line goes out every 60th tick.
    if (--v.game.secondsToUnrealReport == 0) {
        if (describe(v.gameType).reportsEveryInterval) sendScoreReport(app);
        noteReportedScores(app);
        v.game.secondsToUnrealReport = static_cast<int>(leadingWhole(v.reportIntervalSeconds));
    }
    ++v.game.secondsPlayed;
    v.timeLeftText =
        subtractClockTimes(trimBlanks(v.timeLimitMinutes) + ":00", timePlayedText(app));
}

void onTimePlayedClicked(App& app) {
    app.view.timePlayedClickMark = "C";
}

void onTimePlayedEdited(App& app, const std::string& text) {
    if (app.view.timePlayedEditable) app.view.timePlayed = text;
}

void onFollowClockChanged(App& app, bool checked) {
    MainView& v = app.view;
    v.timePlayedFollowsClock = checked;
    if (!checked) {
        v.timePlayed = timePlayedText(app);
        v.timePlayedEditable = true;
        v.timePlayedClickMark.clear();
        return;
    }
    if (v.timePlayedClickMark == "C") {
        const std::size_t colon = v.timePlayed.find(':');
        const double minutes = leadingNumber(v.timePlayed.substr(0, colon));
        const double seconds =
            colon == std::string::npos ? 0 : leadingNumber(v.timePlayed.substr(colon + 1));
        const long long total = wholeNumber(minutes * 60 + seconds);
        if (total >= std::numeric_limits<std::int32_t>::min() &&
            total <= std::numeric_limits<std::int32_t>::max()) {
            v.game.secondsPlayed = static_cast<std::int32_t>(total);
        }
    }
    v.timePlayedEditable = false;
    v.timePlayedClickMark.clear();
}

void onReportIntervalEdited(App& app, const std::string& text) {
    app.view.reportIntervalSeconds = leadingNumber(text) <= 0 ? "40" : text;
}

void onCaptionTick(App& app) {
    MainView& v = app.view;
    if (!v.windowMinimised) {
        v.windowCaption = "~ FCST ~";
        return;
    }
    std::string red = v.redScoreText;
    std::string blue = v.blueScoreText;
    if (textContains(red, "/")) {
        red = red.substr(0, red.find('/'));
        blue = blue.substr(0, blue.find('/'));
    }
    v.windowCaption =
        v.redTeamName + " " + red + "|" + v.blueTeamName + " " + blue + "|" + v.timeLeftText;
}

}  // namespace fc
