#include "match/ut_match.h"

#include "core/app.h"
#include "core/clock_text.h"
#include "core/line_sink.h"
#include "core/team_totals.h"
#include "core/text_util.h"
#include "match/announcements.h"
#include "match/capper.h"
#include "match/match_control.h"

namespace fc {

// The answer was read into app.status already: the sums and the rules take it from there.
void unrealTeamSums(App& app, const std::string& /*reply*/) {
    TeamTotals red;
    TeamTotals blue;
    for (const StatusPlayer& player : app.status.players) {
        TeamTotals* side = player.team == "Red" ? &red : player.team == "Blue" ? &blue : nullptr;
        if (side == nullptr) continue;
        side->frags = addWithin(side->frags, player.score);
        side->pings = addWithin(side->pings, player.ping);
        ++side->rows;
    }
    const bool ctf = app.status.gameType == GameType::UnrealCtf;
    app.status.red = TeamScore{ctf, ctf ? static_cast<double>(app.match.game.capsRed) : 0,
                               static_cast<double>(red.frags)};
    app.status.blue = TeamScore{ctf, ctf ? static_cast<double>(app.match.game.capsBlue) : 0,
                                static_cast<double>(blue.frags)};
    app.monitor.redScoreText = plainNumber(red.frags);
    app.monitor.blueScoreText = plainNumber(blue.frags);
    if (ctf) {
        app.monitor.redScoreText =
            plainNumber(app.match.game.capsRed) + "/" + app.monitor.redScoreText;
        app.monitor.blueScoreText =
            plainNumber(app.match.game.capsBlue) + "/" + app.monitor.blueScoreText;
    }
    app.monitor.avgPingRed = averagePing(red);
    app.monitor.avgPingBlue = averagePing(blue);
}

void unrealMatchRules(App& app, const std::string& /*reply*/) {
    // The frag totals: the scores after the captures' "/" in capture-the-flag.
    const long long redFrags = wholeNumber(app.status.red.points);
    const long long blueFrags = wholeNumber(app.status.blue.points);

    app.settings.timeLimitMinutes = app.status.variable("timelimit");
    if (app.settings.timeLimitMinutes.value().count() == 0) app.settings.timeLimitMinutes = "20";
    if (app.match.matchState == MatchState::None)
        app.monitor.timeLeft = TimeLeft::clock(app.settings.timeLimitMinutes.value());

    countUnrealCaptures(app, app.monitor.lastValues.players);

    if (app.match.matchState == MatchState::Running &&
        app.monitor.timeLeft.is(TimeLeft::Kind::Intermission) &&
        !app.monitor.lastValues.timeLeft.is(TimeLeft::Kind::Intermission)) {
        app.match.matchState = MatchState::None;
        std::string ended;
        switch (app.monitor.gameType) {
            case GameType::UnrealCtf:
                ended = endedCtfLine(app, app.match.game.capsRed, redFrags, app.match.game.capsBlue,
                                     blueFrags);
                break;
            case GameType::UnrealTeamGame:
                ended = endedLine(app);
                break;
            case GameType::UnrealOther:
            case GameType::NoGameYet:
            case GameType::NotMonitoring:
            case GameType::Quake2Ctf:
            case GameType::Quake2Duel:
            case GameType::Quake2TeamDeathmatch:
            case GameType::Quake2FreeForAll:
            case GameType::Quake3OspFreeForAll:
            case GameType::Quake3OspScored:
            case GameType::Quake3TeamGame:
            case GameType::Quake3OspCtf:
            case GameType::Quake3BaseCtf:
                break;  // no final score
        }
        if (!ended.empty()) {
            announce(app, ended, ReportKind::Essential);
            tellMoment(app, {MomentKind::End, "", "", ended});
        }
        app.match.game.capsRed = app.match.game.capsBlue = 0;
    }

    if (app.monitor.lastValues.red.value() == 0 && app.monitor.lastValues.blue.value() == 0 &&
        (redFrags != 0 || blueFrags != 0) && app.match.matchState == MatchState::None) {
        app.match.game.played = std::chrono::seconds(15);
        onUnrealMatchButton(app);
        // The address as polled, whether or not the server is private.
        announce(app,
                 "*** MATCH BEGIN *** Map playing: " + app.monitor.mapText + "   Server: " +
                     serverText(app) + "   Time Left: " + app.monitor.timeLeft.text(),
                 ReportKind::Essential);
        tellMoment(app, {MomentKind::Begin, "", "", ""});
    }
    if (redFrags == 0 && blueFrags == 0) app.match.game.capsRed = app.match.game.capsBlue = 0;

    app.monitor.lastValues.timeLeft = app.monitor.timeLeft;
    app.monitor.lastValues.red = redFrags;
    app.monitor.lastValues.blue = blueFrags;
    app.monitor.lastValues.redFinal = plainNumber(redFrags);
    app.monitor.lastValues.blueFinal = plainNumber(blueFrags);
    app.keepStatusAsPrevious();
    app.monitor.lastValues.players = unrealPlayersToCompare(app);
    app.monitor.lastValues.game = app.monitor.gameText;
}

}  // namespace fc
