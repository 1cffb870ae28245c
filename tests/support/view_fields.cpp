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
#define FC_FIELD(name, f) {name, [](MainView& v) -> FieldRef { return &v.f; }}
#define FC_GAME(name, f) {name, [](MainView& v) -> FieldRef { return &v.game.f; }}
const std::map<std::string, std::function<FieldRef(MainView&)>> kFields = {
    FC_FIELD("Q2Serverlist", serverEntry), FC_FIELD("Q2ServerlistEnabled", serverEntryEnabled), FC_FIELD("quakeTimerButton", connectionButton),
    FC_FIELD("quakeTimerButtonEnabled", connectionButtonEnabled), FC_FIELD("Q2PlusEnabled", addServerEnabled), FC_FIELD("qServers", savedServers),
    FC_FIELD("qsGame", gameText), FC_FIELD("qsMap", mapText), FC_FIELD("qsStats", statisticsText), FC_FIELD("qsTimeLeft", timeLeftText),
    FC_FIELD("qsTimeLeftWide", timeLeftWide), FC_FIELD("quakeRecvBts", receivedBytesText), FC_FIELD("sModeLabel", familyLabel), FC_FIELD("typspel", gameTypeLabel),
    FC_FIELD("Label62", liveBanner), FC_FIELD("Frame12Visible", liveBannerVisible), FC_FIELD("txtnaamRED", redTeamName), FC_FIELD("txtnaamBLUE", blueTeamName),
    FC_FIELD("Label9", redTeamCaption), FC_FIELD("Label10", blueTeamCaption), FC_FIELD("qsRed", redScoreText), FC_FIELD("qsBlue", blueScoreText),
    FC_FIELD("teamscoresVisible", teamScoresVisible), FC_FIELD("lblLagRed", redPingText), FC_FIELD("lblLagBlue", bluePingText),
    FC_FIELD("PlayersPlaying", playersPlaying), FC_FIELD("PlayersMax", playersMax), FC_FIELD("TimeLimitDM", timeLimitMinutes), FC_FIELD("ReportDM", reportIntervalSeconds),
    FC_FIELD("TempLabel1", teamsKnownShown), FC_FIELD("TimePlayedXVisible", timePlayedVisible), FC_FIELD("TimePlayedYVisible", followClockVisible),
    FC_FIELD("TimePlayedX", timePlayed), FC_FIELD("TimePlayedXEditable", timePlayedEditable), FC_GAME("battleTimerTag", secondsSinceReport),
    FC_GAME("UTTimerTag", secondsToUnrealReport), FC_GAME("lastReportedRed", lastReportedRed), FC_GAME("lastReportedBlue", lastReportedBlue),
    FC_FIELD("IRCLineCTF", ctfTemplate), FC_FIELD("IRCLineDM", dmTemplate), FC_FIELD("windowMinimised", windowMinimised), FC_FIELD("Caption", windowCaption),
    FC_FIELD("QuakeInfoLabel", serverInfoText), FC_FIELD("Command2", matchButton), FC_FIELD("serverIsPrivate", serverIsPrivate), FC_FIELD("gameFamily", gameFamily),
    FC_FIELD("gameType", gameType), FC_FIELD("lastReplyText", lastReplyText), FC_FIELD("teamsKnown", teamsKnown), FC_FIELD("teamsSwapped", teamsSwapped),
    FC_FIELD("redMembers", redMembers), FC_FIELD("blueMembers", blueMembers), FC_FIELD("specMembers", specMembers), FC_FIELD("markedPlayers", markedPlayers),
    FC_FIELD("matchState", matchState), FC_GAME("secondsPlayed", secondsPlayed), FC_FIELD("utQueryFresh", utQueryFresh), FC_FIELD("portBumped", portBumped),
    FC_GAME("capsRed", capsRed), FC_GAME("capsBlue", capsBlue), FC_GAME("capsRedQ3", capsRedQ3), FC_GAME("capsBlueQ3", capsBlueQ3),
    FC_FIELD("avgPingRed", avgPingRed), FC_GAME("beginSaid", beginSaid), FC_GAME("pausedShown", pausedShown), FC_FIELD("List2", utPacketSizes),
    FC_FIELD("lastValues.timeLeft", lastValues.timeLeft), FC_FIELD("lastValues.red", lastValues.red), FC_FIELD("lastValues.blue", lastValues.blue),
    FC_FIELD("IRCServer", ircServer), FC_FIELD("IRCServerList", ircServers), FC_FIELD("IRCPort", ircPort),
    FC_FIELD("IRCKey", channelKey), FC_FIELD("ircName", ircName), FC_FIELD("txtstdKanaal", channelEntry), FC_FIELD("IRConjoin", greetOnJoin),
    FC_FIELD("debugAU", showRawText), FC_FIELD("isStarted", startCount), FC_FIELD("isLinesPrinted", linesPrinted), FC_FIELD("IRCIgnoreTime", ignoreSeconds),
    FC_FIELD("Advanced", advancedMode), FC_FIELD("IRCRemoveColors", ircRemoveColors), FC_FIELD("IRCRemoveFontCodes", ircRemoveFontCodes),
    FC_FIELD("CheckForUpdate", checkForUpdate), FC_FIELD("PriveServer", privateServerChecked), FC_FIELD("KillAllowedFrom", killAllowedFrom), FC_FIELD("IRCBurst", ircBurst),
    FC_FIELD("IRCLineGapMs", ircLineGapMs), FC_FIELD("IRCTls", ircTls), FC_FIELD("IRCTlsInsecure", ircTlsInsecure), FC_FIELD("IRCReconnect", ircReconnect),
    FC_FIELD("FastSweep", fastSweepOn), FC_FIELD("MasterServer", masterServer), FC_FIELD("UpdateURL", updateUrl), FC_FIELD("aboutlabel", aboutText), FC_FIELD("Titel", titleText), FC_FIELD("TimePlayedXToolTip", timePlayedToolTip), FC_FIELD("trayIconAdded", trayIconAdded), FC_FIELD("splashVisible", splashVisible), FC_FIELD("splashLabel1", splashVersionText), FC_FIELD("shutdownPhase", finalCloseBegun),
    FC_FIELD("botNick", botNick), FC_FIELD("botChannel", botChannel), FC_FIELD("IRCStat", ircStatus), FC_FIELD("IRCTopic", ircTopic),
    FC_FIELD("ircLijst", channelNicks), FC_FIELD("ignorelist", ignoreList), FC_FIELD("ReportToIrc", reportToIrc), FC_FIELD("ircZegwat", ircInputLine),
    FC_FIELD("Command1Enabled", quitIrcButtonEnabled), FC_FIELD("Command2Enabled", matchButtonEnabled), FC_FIELD("Command3Enabled", connectIrcButtonEnabled),
    FC_FIELD("qsMatchState", matchStateText), FC_FIELD("InterpSupport", interpSupport), FC_FIELD("InterpVersion", interpVersion),
    FC_FIELD("InterpAuthor", interpAuthor), FC_FIELD("InterpEmail", interpEmail), FC_FIELD("StatRed", redFlagWhere), FC_FIELD("StatBlue", blueFlagWhere),
    FC_FIELD("InterpGotFlag", interpGotFlag), FC_FIELD("InterpLostFlag", interpLostFlag), FC_FIELD("InterpRecoverFlag", interpRecoverFlag),
    FC_FIELD("InterpQuad", interpQuad), FC_FIELD("InterpInvis", interpInvis), FC_FIELD("InterpHaste", interpHaste), FC_FIELD("InterpRegen", interpRegen),
    FC_FIELD("InterpServerMsg", interpServerMsg), FC_FIELD("InterpReport", interpReport), FC_FIELD("interpCapper", interpCapper),
    FC_FIELD("InterpTimerTag", interpClock), FC_FIELD("InterpOutput", interpOutput),
};
// clang-format on
#undef FC_FIELD
#undef FC_GAME

const char* const kFamilies[] = {"", "Q2", "Q3", "UT", "None"};

}  // namespace

std::optional<std::string> fieldText(MainView& view, const std::string& name) {
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
        field->second(view));
}

bool setFieldText(MainView& view, const std::string& name, const std::string& value) {
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
        field->second(view));
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
