#include "match/ut_match.h"

#include "core/app.h"
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
    MainView& v = app.view;
    TeamTotals red;
    TeamTotals blue;
    for (const PlayerRow& row : v.playerRows) {
        TeamTotals* side = row.team == "Red" ? &red : row.team == "Blue" ? &blue : nullptr;
        if (side == nullptr) continue;
        side->frags = addWithin(side->frags, columnNumber(row.score));
        side->pings = addWithin(side->pings, columnNumber(row.ping));
        ++side->rows;
    }
    v.redScoreText = plainNumber(red.frags);
    v.blueScoreText = plainNumber(blue.frags);
    if (isCtf(reply)) {
        v.redScoreText = plainNumber(v.game.capsRed) + "/" + v.redScoreText;
        v.blueScoreText = plainNumber(v.game.capsBlue) + "/" + v.blueScoreText;
    }
    v.avgPingRed = averagePing(red);
    v.avgPingBlue = averagePing(blue);
    v.redPingText = plainNumber(v.avgPingRed);
    v.bluePingText = plainNumber(v.avgPingBlue);
}

void unrealMatchRules(App& app, const std::string& reply) {
    MainView& v = app.view;
    const bool ctf = isCtf(reply);
    // The frag totals: the scores after the captures' "/" in capture-the-flag.
    auto frags = [ctf](const std::string& score) {
        const std::size_t slash = score.find('/');
        return leadingWhole(ctf && slash != std::string::npos ? score.substr(slash + 1) : score);
    };
    const long long redFrags = frags(v.redScoreText);
    const long long blueFrags = frags(v.blueScoreText);

    v.timeLimitMinutes = getServerVar("timelimit", reply);
    if (leadingNumber(v.timeLimitMinutes) == 0) v.timeLimitMinutes = "20";
    if (v.matchState == MatchState::None) v.timeLeftText = trimBlanks(v.timeLimitMinutes) + ":00";

    countUnrealCaptures(app, v.lastValues.players);

    if (v.matchState == MatchState::Running && v.timeLeftText == "INT" &&
        v.lastValues.timeLeft != "INT") {
        v.matchState = MatchState::None;
        switch (v.gameType) {
            case GameType::UnrealCtf:
                announce(app,
                         endedCtfLine(app, v.game.capsRed, redFrags, v.game.capsBlue, blueFrags),
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
        v.game.capsRed = v.game.capsBlue = 0;
    }

    if (leadingNumber(v.lastValues.red) == 0 && leadingNumber(v.lastValues.blue) == 0 &&
        (redFrags != 0 || blueFrags != 0) && v.matchState == MatchState::None) {
        v.game.secondsPlayed = 15;
        onUnrealMatchButton(app);
        // The address as polled, whether or not the server is private.
        announce(app,
                 "*** MATCH BEGIN *** Map playing: " + v.mapText +
                     "   Server: " + app.gameSocket->remoteHost() + ":" +
                     plainNumber(app.gameSocket->remotePort()) + "   Time Left: " + v.timeLeftText,
                 ReportKind::Essential);
    }
    if (redFrags == 0 && blueFrags == 0) v.game.capsRed = v.game.capsBlue = 0;

    v.lastValues.timeLeft = v.timeLeftText;
    v.lastValues.red = plainNumber(redFrags);
    v.lastValues.blue = plainNumber(blueFrags);
    app.keepStatusAsPrevious();
    v.lastValues.players = unrealPlayerSnapshot(app);
    v.lastValues.game = v.gameText;
}

}  // namespace fc
