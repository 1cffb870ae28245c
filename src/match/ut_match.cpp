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

bool IsCtf(const std::string& reply) {
    return ToLower(GetServerVar("gametype", reply)) == "ctfgame";
}

}  // namespace

void UnrealTeamSums(App& app, const std::string& reply) {
    MainView& v = app.view;
    TeamTotals red;
    TeamTotals blue;
    for (const PlayerRow& row : v.spelerLijst) {
        TeamTotals* side = row.team == "Red" ? &red : row.team == "Blue" ? &blue : nullptr;
        if (side == nullptr) continue;
        side->frags = AddWithin(side->frags, ColumnNumber(row.score));
        side->pings = AddWithin(side->pings, ColumnNumber(row.ping));
        ++side->rows;
    }
    v.qsRed = PlainNumber(red.frags);
    v.qsBlue = PlainNumber(blue.frags);
    if (IsCtf(reply)) {
        v.qsRed = PlainNumber(v.game.capsRed) + "/" + v.qsRed;
        v.qsBlue = PlainNumber(v.game.capsBlue) + "/" + v.qsBlue;
    }
    v.avgPingRed = AveragePing(red);
    v.avgPingBlue = AveragePing(blue);
    v.lblLagRed = PlainNumber(v.avgPingRed);
    v.lblLagBlue = PlainNumber(v.avgPingBlue);
}

void UnrealMatchRules(App& app, const std::string& reply) {
    MainView& v = app.view;
    const bool ctf = IsCtf(reply);
    // The frag totals: the scores after the captures' "/" in capture-the-flag.
    auto frags = [ctf](const std::string& score) {
        const std::size_t slash = score.find('/');
        return LeadingWhole(ctf && slash != std::string::npos ? score.substr(slash + 1) : score);
    };
    const long long redFrags = frags(v.qsRed);
    const long long blueFrags = frags(v.qsBlue);

    v.TimeLimitDM = GetServerVar("timelimit", reply);
    if (LeadingNumber(v.TimeLimitDM) == 0) v.TimeLimitDM = "20";
    if (v.matchState == MatchState::None) v.qsTimeLeft = Trim(v.TimeLimitDM) + ":00";

    CheckVoorCaps(app, v.lastValues.players);

    if (v.matchState == MatchState::Running && v.qsTimeLeft == "INT" &&
        v.lastValues.timeLeft != "INT") {
        v.matchState = MatchState::None;
        switch (v.gameType) {
            case GameType::UnrealCtf:
                Announce(app,
                         EndedCtfLine(app, v.game.capsRed, redFrags, v.game.capsBlue, blueFrags),
                         ReportKind::Essential);
                break;
            case GameType::UnrealTeamGame:
                Announce(app, EndedLine(app), ReportKind::Essential);
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

    if (LeadingNumber(v.lastValues.red) == 0 && LeadingNumber(v.lastValues.blue) == 0 &&
        (redFrags != 0 || blueFrags != 0) && v.matchState == MatchState::None) {
        v.game.secondsPlayed = 15;
        UTTimerControl(app);
        // The address as polled, whether or not the server is private.
        Announce(app,
                 "*** MATCH BEGIN *** Map playing: " + v.qsMap +
                     "   Server: " + app.QuakeStatus->remoteHost() + ":" +
                     PlainNumber(app.QuakeStatus->remotePort()) + "   Time Left: " + v.qsTimeLeft,
                 ReportKind::Essential);
    }
    if (redFrags == 0 && blueFrags == 0) v.game.capsRed = v.game.capsBlue = 0;

    v.lastValues.timeLeft = v.qsTimeLeft;
    v.lastValues.red = PlainNumber(redFrags);
    v.lastValues.blue = PlainNumber(blueFrags);
    v.lastValues.reply = reply;
    app.previousStatus = app.status;
    v.lastValues.players = MaakSpelerLijst(app);
    v.lastValues.game = v.qsGame;
}

}  // namespace fc
