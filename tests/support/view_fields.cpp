#include "support/view_fields.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <variant>
#include <vector>

namespace fc::test {

namespace {

using FieldRef = std::variant<std::string*, bool*, int*, std::int16_t*, MatchState*, GameFamily*,
                              GameType*, std::vector<std::string>*>;

// clang-format off
#define FC_FIELD(name, f) {name, [](App& app) -> FieldRef { return &app.f; }}
#define FC_GAME(name, f) {name, [](App& app) -> FieldRef { return &app.match.game.f; }}
const std::map<std::string, std::function<FieldRef(App&)>> kFields = {
    FC_FIELD("Q2Serverlist", settings.serverEntry), FC_FIELD("Q2ServerlistEnabled", window.serverEntryEnabled), FC_FIELD("quakeTimerButton", window.connectionButton),
    FC_FIELD("quakeTimerButtonEnabled", window.connectionButtonEnabled), FC_FIELD("Q2PlusEnabled", window.addServerEnabled), FC_FIELD("qServers", settings.savedServers),
    FC_FIELD("qsGame", monitor.gameText), FC_FIELD("qsMap", monitor.mapText), FC_FIELD("qsStats", monitor.statisticsText), FC_FIELD("qsTimeLeft", monitor.timeLeftText),
    FC_FIELD("qsTimeLeftWide", window.timeLeftWide), FC_FIELD("quakeRecvBts", monitor.receivedBytesText), FC_FIELD("sModeLabel", monitor.familyLabel), FC_FIELD("typspel", monitor.gameTypeLabel),
    FC_FIELD("Label62", match.liveBanner), FC_FIELD("Frame12Visible", window.liveBannerVisible), FC_FIELD("txtnaamRED", match.redTeamName), FC_FIELD("txtnaamBLUE", match.blueTeamName),
    FC_FIELD("Label9", match.redTeamCaption), FC_FIELD("Label10", match.blueTeamCaption), FC_FIELD("qsRed", monitor.redScoreText), FC_FIELD("qsBlue", monitor.blueScoreText),
    FC_FIELD("teamscoresVisible", window.teamScoresVisible), FC_FIELD("lblLagRed", monitor.redPingText), FC_FIELD("lblLagBlue", monitor.bluePingText),
    FC_FIELD("PlayersPlaying", monitor.playersPlaying), FC_FIELD("PlayersMax", monitor.playersMax), FC_FIELD("TimeLimitDM", settings.timeLimitMinutes), FC_FIELD("ReportDM", settings.reportIntervalSeconds),
    FC_FIELD("TempLabel1", window.teamsKnownShown), FC_FIELD("TimePlayedXVisible", window.timePlayedVisible), FC_FIELD("TimePlayedYVisible", window.followClockVisible),
    FC_FIELD("TimePlayedX", match.timePlayed), FC_FIELD("TimePlayedXEditable", match.timePlayedEditable), FC_GAME("battleTimerTag", secondsSinceReport),
    FC_GAME("UTTimerTag", secondsToUnrealReport), FC_GAME("lastReportedRed", lastReportedRed), FC_GAME("lastReportedBlue", lastReportedBlue),
    FC_FIELD("IRCLineCTF", settings.ctfTemplate), FC_FIELD("IRCLineDM", settings.dmTemplate), FC_FIELD("windowMinimised", window.windowMinimised), FC_FIELD("Caption", window.windowCaption),
    FC_FIELD("QuakeInfoLabel", monitor.serverInfoText), FC_FIELD("Command2", match.matchButton), FC_FIELD("serverIsPrivate", settings.serverIsPrivate), FC_FIELD("gameFamily", monitor.gameFamily),
    FC_FIELD("gameType", monitor.gameType), FC_FIELD("lastReplyText", monitor.lastReplyText), FC_FIELD("teamsKnown", match.teamsKnown), FC_FIELD("teamsSwapped", match.teamsSwapped),
    FC_FIELD("redMembers", match.redMembers), FC_FIELD("blueMembers", match.blueMembers), FC_FIELD("specMembers", match.specMembers), FC_FIELD("markedPlayers", match.markedPlayers),
    FC_FIELD("matchState", match.matchState), FC_GAME("secondsPlayed", secondsPlayed), FC_FIELD("utQueryFresh", monitor.utQueryFresh), FC_FIELD("portBumped", monitor.portBumped),
    FC_GAME("capsRed", capsRed), FC_GAME("capsBlue", capsBlue), FC_GAME("capsRedQ3", capsRedQ3), FC_GAME("capsBlueQ3", capsBlueQ3),
    FC_FIELD("avgPingRed", monitor.avgPingRed), FC_GAME("beginSaid", beginSaid), FC_GAME("pausedShown", pausedShown), FC_FIELD("List2", monitor.utPacketSizes),
    FC_FIELD("lastValues.timeLeft", monitor.lastValues.timeLeft), FC_FIELD("lastValues.red", monitor.lastValues.red), FC_FIELD("lastValues.blue", monitor.lastValues.blue),
    FC_FIELD("lastValues.reply", monitor.lastValues.reply), FC_FIELD("IRCServer", settings.ircServer), FC_FIELD("IRCServerList", settings.ircServers), FC_FIELD("IRCPort", settings.ircPort),
    FC_FIELD("IRCKey", settings.channelKey), FC_FIELD("ircName", settings.ircName), FC_FIELD("txtstdKanaal", settings.channelEntry), FC_FIELD("IRConjoin", settings.greetOnJoin),
    FC_FIELD("debugAU", settings.showRawText), FC_FIELD("isStarted", settings.startCount), FC_FIELD("isLinesPrinted", settings.linesPrinted), FC_FIELD("IRCIgnoreTime", settings.ignoreSeconds),
    FC_FIELD("Advanced", settings.advancedMode), FC_FIELD("IRCRemoveColors", settings.ircRemoveColors), FC_FIELD("IRCRemoveFontCodes", settings.ircRemoveFontCodes),
    FC_FIELD("CheckForUpdate", settings.checkForUpdate), FC_FIELD("PriveServer", settings.privateServerChecked), FC_FIELD("KillAllowedFrom", settings.killAllowedFrom), FC_FIELD("IRCBurst", settings.ircBurst),
    FC_FIELD("IRCLineGapMs", settings.ircLineGapMs), FC_FIELD("IRCTls", settings.ircTls), FC_FIELD("IRCTlsInsecure", settings.ircTlsInsecure), FC_FIELD("IRCReconnect", settings.ircReconnect),
    FC_FIELD("FastSweep", settings.fastSweepOn), FC_FIELD("MasterServer", settings.masterServer), FC_FIELD("UpdateURL", settings.updateUrl), FC_FIELD("aboutlabel", window.aboutText), FC_FIELD("Titel", window.titleText), FC_FIELD("TimePlayedXToolTip", window.timePlayedToolTip), FC_FIELD("trayIconAdded", window.trayIconAdded), FC_FIELD("splashVisible", window.splashVisible), FC_FIELD("splashLabel1", window.splashVersionText), FC_FIELD("shutdownPhase", window.finalCloseBegun),
    FC_FIELD("botNick", irc.botNick), FC_FIELD("botChannel", irc.botChannel), FC_FIELD("IRCStat", irc.ircStatus), FC_FIELD("IRCTopic", irc.ircTopic),
    FC_FIELD("ircLijst", irc.channelNicks), FC_FIELD("ignorelist", irc.ignoreList), FC_FIELD("ReportToIrc", settings.reportToIrc), FC_FIELD("ircZegwat", irc.ircInputLine),
    FC_FIELD("Command1Enabled", window.quitIrcButtonEnabled), FC_FIELD("Command2Enabled", window.matchButtonEnabled), FC_FIELD("Command3Enabled", window.connectIrcButtonEnabled),
    FC_FIELD("qsMatchState", match.matchStateText), FC_FIELD("InterpSupport", interp.interpSupport), FC_FIELD("InterpVersion", interp.interpVersion),
    FC_FIELD("InterpAuthor", interp.interpAuthor), FC_FIELD("InterpEmail", interp.interpEmail), FC_FIELD("StatRed", interp.redFlagWhere), FC_FIELD("StatBlue", interp.blueFlagWhere),
    FC_FIELD("InterpGotFlag", interp.interpGotFlag), FC_FIELD("InterpLostFlag", interp.interpLostFlag), FC_FIELD("InterpRecoverFlag", interp.interpRecoverFlag),
    FC_FIELD("InterpQuad", interp.interpQuad), FC_FIELD("InterpInvis", interp.interpInvis), FC_FIELD("InterpHaste", interp.interpHaste), FC_FIELD("InterpRegen", interp.interpRegen),
    FC_FIELD("InterpServerMsg", interp.interpServerMsg), FC_FIELD("InterpReport", interp.interpReport), FC_FIELD("interpCapper", interp.interpCapper),
    FC_FIELD("InterpTimerTag", interp.interpClock), FC_FIELD("InterpOutput", interp.interpOutput),
};
// clang-format on
#undef FC_FIELD
#undef FC_GAME

const char* const kFamilies[] = {"", "Q2", "Q3", "UT", "None"};

}  // namespace

std::optional<std::string> fieldText(App& app, const std::string& name) {
    const auto field = kFields.find(name);
    if (field == kFields.end()) return std::nullopt;
    return std::visit(
        [](auto* p) -> std::string {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, std::string>) return *p;
            if constexpr (std::is_same_v<T, bool>) return *p ? "true" : "false";
            if constexpr (std::is_same_v<T, MatchState>) return std::to_string(int(*p));
            if constexpr (std::is_same_v<T, GameFamily>) return kFamilies[int(*p)];
            if constexpr (std::is_same_v<T, GameType>) return std::string(gameTypeCode(*p));
            if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                std::string out;
                for (const std::string& s : *p) out += (out.empty() ? "" : ",") + s;
                return out;
            }
            if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
                return std::to_string(*p);
            return "";
        },
        field->second(app));
}

bool setFieldText(App& app, const std::string& name, const std::string& value) {
    const auto field = kFields.find(name);
    if (field == kFields.end()) return false;
    std::visit(
        [&](auto* p) {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, std::string>) *p = value;
            if constexpr (std::is_same_v<T, bool>) *p = value == "true";
            if constexpr (std::is_same_v<T, MatchState>) *p = MatchState(std::stoi(value));
            if constexpr (std::is_same_v<T, GameFamily>) {
                for (int f = 0; f < 5; ++f)
                    if (value == kFamilies[f]) *p = GameFamily(f);
            }
            if constexpr (std::is_same_v<T, GameType>) {
                const std::optional<GameType> type = gameTypeOfCode(value);
                if (!type) throw std::invalid_argument("no game type has the code " + value);
                *p = *type;
            }
            if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                *p = splitList(value);
            }
            if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
                *p = static_cast<T>(std::stoi(value));
        },
        field->second(app));
    return true;
}

std::vector<std::string> splitList(const std::string& text, char by) {
    std::vector<std::string> items;
    for (std::size_t at = 0; !text.empty() && at <= text.size();) {
        const std::size_t end = std::min(text.find(by, at), text.size());
        items.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return items;
}

}  // namespace fc::test
