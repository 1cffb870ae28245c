#include "program/shown_status.h"

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"

namespace fc {

namespace {

// The game type's name once it is recognised; before that, and for the games the rules do not
// tell apart, the family's game and the kind of game its server says it plays (the g_gametype
// every Quake 3 server publishes), with the mod where it is not the game's own.
std::string gameName(const App& app) {
    const MonitorState& m = app.monitor;
    const bool recognised =
        m.gameType != GameType::NoGameYet && m.gameType != GameType::NotMonitoring;
    if (app.window.serverEntryEnabled) return std::string(describe(GameType::NotMonitoring).name);
    if (recognised || (m.gameFamily != GameFamily::Q2 && m.gameFamily != GameFamily::Q3))
        return std::string(describe(recognised ? m.gameType : GameType::NoGameYet).name);
    const bool quake3 = m.gameFamily == GameFamily::Q3;
    const long long kind = quake3 ? leadingWhole(app.status.variable("g_gametype")) : 0;
    static const char* const kKinds[] = {"free for all", "duel", "single player", "team deathmatch",
                                         "capture the flag"};
    std::string name = quake3 ? "Quake 3 " : "Quake 2 ";
    name += kind >= 0 && kind < 5 ? kKinds[kind] : "game " + plainNumber(kind);
    const bool ownGame =
        m.gameText.empty() || isBaseQuake3(m.gameText) || toLower(m.gameText) == "baseq2";
    return ownGame ? name : name + " (" + m.gameText + ")";
}

}  // namespace

ShownStatus showStatus(const App& app) {
    const MonitorState& m = app.monitor;
    ShownStatus s;
    s.gameName = gameName(app);
    if (!app.window.serverEntryEnabled && describe(m.gameType).teamGame && app.status.answered &&
        !app.status.players.empty() && !app.status.sidesKnown()) {
        s.teamsHint =
            "Teams unknown: every player is a spectator. Set the teams by clicking a player's "
            "row (Red, Blue, Spec in turn), with the Team Control Menu, or by clan tags in the "
            "players' names.";
    }
    s.game = m.gameText;
    s.map = m.mapText;
    s.timeLeft = m.timeLeft.text();
    s.redScore = m.redScoreText;
    s.blueScore = m.blueScoreText;
    s.redTeamName = app.match.redTeamName;
    s.blueTeamName = app.match.blueTeamName;
    s.pingRed = plainNumber(m.avgPingRed);
    s.pingBlue = plainNumber(m.avgPingBlue);
    s.playersPlaying = m.playersPlaying;
    s.playersMax = m.playersMax;
    s.receivedBytes = m.receivedBytesText;
    s.players = &m.playerRows;
    return s;
}

MatchCaptions matchCaptions(MatchState state) {
    switch (state) {
        case MatchState::None:
            return {"No", "Start it!"};
        case MatchState::Running:
            return {"Yes", "Stop it!"};
        case MatchState::Ready:
            return {"Ready to start", "Skip this match"};
        case MatchState::Skip:
            return {"No (Skipped)", "Set: 'Ready to start'"};
    }
    return {"", ""};
}

}  // namespace fc
