#include "match/ut_match.h"

#include "core/app.h"
#include "core/clock_text.h"
#include "core/line_sink.h"
#include "core/server_vars.h"
#include "core/team_totals.h"
#include "core/text_util.h"
#include "match/announcements.h"
#include "match/capper.h"
#include "match/match_control.h"

namespace fc {

namespace {

bool isCtf(const std::string& reply) {
    return toLower(getServerVar("gametype", reply)) == "ctfgame";
}

}  // namespace

void unrealTeamSums(App& app, const std::string& reply) {
    TeamTotals red;
    TeamTotals blue;
    for (const PlayerRow& row : app.monitor.playerRows) {
        TeamTotals* side = row.team == "Red" ? &red : row.team == "Blue" ? &blue : nullptr;
        if (side == nullptr) continue;
        side->frags = addWithin(side->frags, columnNumber(row.score));
        side->pings = addWithin(side->pings, columnNumber(row.ping));
        ++side->rows;
    }
    app.monitor.redScoreText = plainNumber(red.frags);
    app.monitor.blueScoreText = plainNumber(blue.frags);
    if (isCtf(reply)) {
        app.monitor.redScoreText =
            plainNumber(app.match.game.capsRed) + "/" + app.monitor.redScoreText;
        app.monitor.blueScoreText =
            plainNumber(app.match.game.capsBlue) + "/" + app.monitor.blueScoreText;
    }
    app.monitor.avgPingRed = averagePing(red);
    app.monitor.avgPingBlue = averagePing(blue);
}

void unrealMatchRules(App& app, const std::string& reply) {
    const bool ctf = isCtf(reply);
    // The frag totals: the scores after the captures' "/" in capture-the-flag.
    auto frags = [ctf](const std::string& score) {
        const std::size_t slash = score.find('/');
        return leadingWhole(ctf && slash != std::string::npos ? score.substr(slash + 1) : score);
    };
    const long long redFrags = frags(app.monitor.redScoreText);
    const long long blueFrags = frags(app.monitor.blueScoreText);

    app.settings.timeLimitMinutes = getServerVar("timelimit", reply);
    if (app.settings.timeLimitMinutes.value().count() == 0) app.settings.timeLimitMinutes = "20";
    if (app.match.matchState == MatchState::None)
        app.monitor.timeLeftText = minutesSeconds(app.settings.timeLimitMinutes.value());

    countUnrealCaptures(app, app.monitor.lastValues.players);

    if (app.match.matchState == MatchState::Running && app.monitor.timeLeftText == "INT" &&
        app.monitor.lastValues.timeLeft != "INT") {
        app.match.matchState = MatchState::None;
        switch (app.monitor.gameType) {
            case GameType::UnrealCtf:
                announce(app,
                         endedCtfLine(app, app.match.game.capsRed, redFrags,
                                      app.match.game.capsBlue, blueFrags),
                         ReportKind::Essential);
                break;
            case GameType::UnrealTeamGame:
                announce(app, endedLine(app), ReportKind::Essential);
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
        app.match.game.capsRed = app.match.game.capsBlue = 0;
    }

    if (leadingNumber(app.monitor.lastValues.red) == 0 &&
        leadingNumber(app.monitor.lastValues.blue) == 0 && (redFrags != 0 || blueFrags != 0) &&
        app.match.matchState == MatchState::None) {
        app.match.game.played = std::chrono::seconds(15);
        onUnrealMatchButton(app);
        // The address as polled, whether or not the server is private.
        announce(app,
                 "*** MATCH BEGIN *** Map playing: " + app.monitor.mapText +
                     "   Server: " + app.gameSocket->remoteHost() + ":" +
                     plainNumber(app.gameSocket->remotePort()) +
                     "   Time Left: " + app.monitor.timeLeftText,
                 ReportKind::Essential);
    }
    if (redFrags == 0 && blueFrags == 0) app.match.game.capsRed = app.match.game.capsBlue = 0;

    app.monitor.lastValues.timeLeft = app.monitor.timeLeftText;
    app.monitor.lastValues.red = plainNumber(redFrags);
    app.monitor.lastValues.blue = plainNumber(blueFrags);
    app.keepStatusAsPrevious();
    app.monitor.lastValues.players = unrealPlayerSnapshot(app);
    app.monitor.lastValues.game = app.monitor.gameText;
}

}  // namespace fc
