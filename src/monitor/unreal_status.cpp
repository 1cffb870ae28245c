#include "monitor/unreal_status.h"

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "monitor/player_list.h"
#include "monitor/recorder.h"
#include "monitor/ut_packets.h"

namespace fc {

namespace {

GameType UnrealGameType(const std::string& gametype) {
    const std::string g = ToLower(gametype);
    if (g == "teamgameplus") return GameType::UnrealTeamGame;
    if (g == "ctfgame") return GameType::UnrealCtf;
    return GameType::UnrealOther;
}

std::string TeamColumn(const std::string& gametype, const std::string& team) {
    const std::string g = ToLower(gametype);
    if (g == "deathmatchplus") return "DM (" + Trim(team) + ")";
    if (g != "teamgameplus" && g != "ctfgame") return team;
    const double number = LeadingNumber(team);
    if (number == 0) return "Red";
    if (number == 1) return "Blue";
    if (number > 1) return kTeamSpectators;
    return "";
}

void ReadUnrealFields(App& app, const std::string& reply) {
    MainView& v = app.view;
    v.PlayersPlaying = GetServerVar("numplayers", reply);
    v.PlayersMax = GetServerVar("maxplayers", reply);
    const std::string gametype = GetServerVar("gametype", reply);
    v.qsGame = gametype;
    v.qsMap = GetServerVar("mapname", reply);
    v.gameType = UnrealGameType(gametype);
    ServerStatus& status = app.status;
    status = ServerStatus{};
    status.answered = !reply.empty();
    status.readNumber = NextReadNumber();
    status.family = GameFamily::UT;
    status.gameType = v.gameType;
    status.variables = ReadServerVariables(reply);
    ZetInfoInLabel(app);
    v.quakeRecvBts = PlainNumber(static_cast<long long>(reply.size())) + " bytes.";

    v.spelerLijst.clear();
    const long long players = LeadingWhole(v.PlayersPlaying);
    for (long long i = 0; i < players && i < kMaxUnrealRows; ++i) {
        const std::string n = PlainNumber(i);
        PlayerRow row{GetServerVar("player_" + n, reply), GetServerVar("frags_" + n, reply),
                      GetServerVar("ping_" + n, reply),
                      TeamColumn(gametype, GetServerVar("team_" + n, reply)), RowColour::Black};
        StatusPlayer& player = status.players.emplace_back();
        player.name = row.name;
        player.sentName = row.name;
        player.sentScore = row.score;
        player.plainName = FilterQ3Colors(row.name);
        player.plainScore = FilterQ3Colors(row.score);
        player.score = LeadingWhole(row.score);
        player.ping = LeadingWhole(row.ping);
        player.team = row.team;
        v.spelerLijst.push_back(std::move(row));
    }
    Follow(app.monitorFollowers.unrealPlayersRead, app);
    v.Label9 = "Team Red";
    v.Label10 = "Team Blue";
    v.teamscoresVisible = true;
}

}  // namespace

void ProcessUT(App& app, const std::string& piece) {
    MainView& v = app.view;
    const std::optional<std::string> reply = AddUnrealPiece(v, piece);
    if (!reply) return;
    if (v.RecordIt && v.gameFamily == GameFamily::UT) AppendToRecording(app, *reply);
    ReadUnrealFields(app, *reply);
    Follow(app.monitorFollowers.unrealReplyRead, app, *reply);
    // The team sums of the rules just run are the scores of this reply.
    app.status.red = ReadTeamScore(v.qsRed);
    app.status.blue = ReadTeamScore(v.qsBlue);
    app.status.timeLeft = v.qsTimeLeft;
    app.notifyReplyHandled();
}

}  // namespace fc
