#include "match/match_control.h"

#include <cstdint>
#include <limits>

#include "core/app.h"
#include "core/clock_text.h"
#include "core/line_sink.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "match/match_clock.h"
#include "match/report_lines.h"

namespace fc {

namespace {

// A score as the 16-bit counters hold it: its first number (the captures of a split score);
// one out of their range leaves the counter as it was.
void storeScore(std::int16_t& counter, const TeamScore& score) {
    const long long value = wholeNumber(score.first());
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max()) {
        counter = static_cast<std::int16_t>(value);
    }
}

void skipOrTake(App& app) {
    if (app.match.matchState == MatchState::Ready) {
        app.match.matchState = MatchState::Skip;
    } else if (app.match.matchState == MatchState::Skip) {
        app.match.matchState = MatchState::Ready;
    }
}

// The operator's start: the next score report counts the points from here.
void startClock(App& app, std::chrono::seconds played) {
    startBattleClock(app, played);
    app.match.game.lastReportedRed = 0;
    app.match.game.lastReportedBlue = 0;
}

// The score report of team games, made from the operator's deathmatch template.
void sendScoreReport(App& app) {
    ReportValues values;
    values.teamA = app.match.redTeamName;
    values.teamB = app.match.blueTeamName;
    values.scoreA = app.monitor.redScoreText;
    values.scoreB = app.monitor.blueScoreText;
    values.pingA = plainNumber(app.monitor.avgPingRed);
    values.pingB = plainNumber(app.monitor.avgPingBlue);
    // What each side scored since the last report.
    values.pointsA = signedPoints(
        addWithin(wholeNumber(app.status.red.first()), -app.match.game.lastReportedRed));
    values.pointsB = signedPoints(
        addWithin(wholeNumber(app.status.blue.first()), -app.match.game.lastReportedBlue));
    values.capper = "N/A";
    values.timeLeft = app.monitor.timeLeft;
    sayInChannel(app, app.irc.botChannel, expandTemplate(app, app.settings.dmTemplate, values),
                 ReportKind::Periodic);
}

void noteReportedScores(App& app) {
    storeScore(app.match.game.lastReportedRed, app.status.red);
    storeScore(app.match.game.lastReportedBlue, app.status.blue);
}

}  // namespace

std::string signedPoints(long long points) {
    return (points < 0 ? "" : "+") + plainNumber(points);
}

std::string timePlayedText(const App& app) {
    return minutesSeconds(app.match.game.played);
}

void onMatchButton(App& app) {
    if (app.monitor.gameFamily == GameFamily::UT) {
        onUnrealMatchButton(app);
        return;
    }
    app.battleTimer->setInterval(1000);
    if (app.match.matchState == MatchState::None) {
        app.match.matchState = MatchState::Running;
        const std::string g = toLower(app.monitor.gameText);
        // Games whose clock the program keeps itself start it with the seconds a match
        // typically runs before the operator gets to the button.
        switch (app.monitor.gameType) {
            case GameType::Quake3TeamGame:
                if (isBaseQuake3(g) || g == "osp") startClock(app, std::chrono::seconds(11));
                break;
            case GameType::Quake3OspScored:
                if (g == "osp") startClock(app, std::chrono::seconds(15));
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
        if (g == "battle") startClock(app, std::chrono::seconds(15));
    } else if (app.match.matchState == MatchState::Running) {
        app.match.matchState = MatchState::None;
        app.match.game.beginSaid = false;
        app.battleTimer->setEnabled(false);
        app.window.followClockVisible = false;
        app.window.timePlayedVisible = false;
        app.window.timeLeftWide = true;
        app.monitor.timeLeft = TimeLeft::clock(std::chrono::minutes(20));
    } else {
        skipOrTake(app);
    }
}

void onUnrealMatchButton(App& app) {
    if (app.match.matchState == MatchState::Running) {
        app.unrealMatchTimer->setEnabled(false);
        app.match.game.untilUnrealReport = app.settings.reportIntervalSeconds.value();
        app.match.matchState = MatchState::None;
    } else if (app.match.matchState == MatchState::None) {
        app.match.matchState = MatchState::Running;
        app.match.game.untilUnrealReport = app.settings.reportIntervalSeconds.value();
        app.unrealMatchTimer->setEnabled(true);
    } else {
        skipOrTake(app);
    }
}

void onBattleTick(App& app) {
    if (app.match.matchState == MatchState::None || app.match.matchState == MatchState::Ready) {
        app.match.game.sinceReport = std::chrono::seconds(0);
        return;
    }
    // The counter is compared before it is raised: with 60 a line goes out every 61st tick.
    // At or past it: an interval lowered below the seconds already counted reports at once.
    if (app.match.game.sinceReport >= app.settings.reportIntervalSeconds.value()) {
        app.match.game.sinceReport = std::chrono::seconds(0);
        sendScoreReport(app);
        noteReportedScores(app);
    } else {
        ++app.match.game.sinceReport;
    }
    if (app.match.timePlayedFollowsClock) app.match.timePlayed = timePlayedText(app);
}

void onUnrealTick(App& app) {
    // The countdown is lowered before the test: with 60 a line goes out every 60th tick.
    if ((--app.match.game.untilUnrealReport).count() == 0) {
        if (describe(app.monitor.gameType).reportsEveryInterval) sendScoreReport(app);
        noteReportedScores(app);
        app.match.game.untilUnrealReport = app.settings.reportIntervalSeconds.value();
    }
    ++app.match.game.played;
    app.monitor.timeLeft =
        TimeLeft::untilEnd(app.settings.timeLimitMinutes.value(), app.match.game.played);
}

void onTimePlayedClicked(App& app) {
    app.match.timePlayedClicked = true;
}

void onTimePlayedEdited(App& app, const std::string& text) {
    if (app.match.timePlayedEditable) app.match.timePlayed = text;
}

void onFollowClockChanged(App& app, bool checked) {
    app.match.timePlayedFollowsClock = checked;
    if (!checked) {
        app.match.timePlayed = timePlayedText(app);
        app.match.timePlayedEditable = true;
        app.match.timePlayedClicked = false;
        return;
    }
    if (app.match.timePlayedClicked) {
        const std::size_t colon = app.match.timePlayed.find(':');
        const double minutes = leadingNumber(app.match.timePlayed.substr(0, colon));
        const double seconds =
            colon == std::string::npos ? 0 : leadingNumber(app.match.timePlayed.substr(colon + 1));
        const long long total = wholeNumber(minutes * 60 + seconds);
        if (total >= std::numeric_limits<std::int32_t>::min() &&
            total <= std::numeric_limits<std::int32_t>::max()) {
            app.match.game.played = std::chrono::seconds(total);
        }
    }
    app.match.timePlayedEditable = false;
    app.match.timePlayedClicked = false;
}

// The field keeps what is typed (an emptied field is not refilled under the operator's
// fingers); meanwhile a text without a positive number counts as 40 seconds, and says so once
// the field is left.
void onReportIntervalEdited(App& app, const std::string& text) {
    app.settings.reportIntervalSeconds = text;
}

void onReportIntervalLeft(App& app) {
    if (readSeconds(app.settings.reportIntervalSeconds.text()).count() <= 0)
        app.settings.reportIntervalSeconds = "40";
}

void onCaptionTick(App& app) {
    if (!app.window.windowMinimised) {
        app.window.windowCaption = "~ Fragcaster ~";
        return;
    }
    std::string red = app.monitor.redScoreText;
    std::string blue = app.monitor.blueScoreText;
    if (textContains(red, "/")) {
        red = red.substr(0, red.find('/'));
        blue = blue.substr(0, blue.find('/'));
    }
    app.window.windowCaption = app.match.redTeamName + " " + red + "|" + app.match.blueTeamName +
                               " " + blue + "|" + app.monitor.timeLeft.text();
}

}  // namespace fc
