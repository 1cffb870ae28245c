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
#define FC_FIELD(f) {#f, [](MainView& v) -> FieldRef { return &v.f; }}
#define FC_GAME(f) {#f, [](MainView& v) -> FieldRef { return &v.game.f; }}
const std::map<std::string, std::function<FieldRef(MainView&)>> kFields = {
    FC_FIELD(Q2Serverlist), FC_FIELD(Q2ServerlistEnabled), FC_FIELD(quakeTimerButton),
    FC_FIELD(quakeTimerButtonEnabled), FC_FIELD(Q2PlusEnabled), FC_FIELD(qServers),
    FC_FIELD(qsGame), FC_FIELD(qsMap), FC_FIELD(qsStats), FC_FIELD(qsTimeLeft),
    FC_FIELD(qsTimeLeftWide), FC_FIELD(quakeRecvBts), FC_FIELD(sModeLabel), FC_FIELD(typspel),
    FC_FIELD(Label62), FC_FIELD(Frame12Visible), FC_FIELD(txtnaamRED), FC_FIELD(txtnaamBLUE),
    FC_FIELD(Label9), FC_FIELD(Label10), FC_FIELD(qsRed), FC_FIELD(qsBlue),
    FC_FIELD(teamscoresVisible), FC_FIELD(lblLagRed), FC_FIELD(lblLagBlue),
    FC_FIELD(PlayersPlaying), FC_FIELD(PlayersMax), FC_FIELD(TimeLimitDM), FC_FIELD(ReportDM),
    FC_FIELD(TempLabel1), FC_FIELD(TimePlayedXVisible), FC_FIELD(TimePlayedYVisible),
    FC_FIELD(TimePlayedX), FC_FIELD(TimePlayedXEditable), FC_GAME(battleTimerTag),
    FC_GAME(UTTimerTag), FC_GAME(lastReportedRed), FC_GAME(lastReportedBlue),
    FC_FIELD(IRCLineCTF), FC_FIELD(IRCLineDM), FC_FIELD(windowMinimised), FC_FIELD(Caption),
    FC_FIELD(QuakeInfoLabel), FC_FIELD(Command2), FC_FIELD(serverIsPrivate), FC_FIELD(gameFamily),
    FC_FIELD(gameType), FC_FIELD(lastReplyText), FC_FIELD(teamsKnown), FC_FIELD(teamsSwapped),
    FC_FIELD(redMembers), FC_FIELD(blueMembers), FC_FIELD(specMembers), FC_FIELD(markedPlayers),
    FC_FIELD(matchState), FC_GAME(secondsPlayed), FC_FIELD(utQueryFresh), FC_FIELD(portBumped),
    FC_GAME(capsRed), FC_GAME(capsBlue), FC_GAME(capsRedQ3), FC_GAME(capsBlueQ3),
    FC_FIELD(avgPingRed), FC_GAME(beginSaid), FC_GAME(pausedShown), FC_FIELD(List2),
    FC_FIELD(lastValues.timeLeft), FC_FIELD(lastValues.red), FC_FIELD(lastValues.blue),
    FC_FIELD(lastValues.reply), FC_FIELD(IRCServer), FC_FIELD(IRCServerList), FC_FIELD(IRCPort),
    FC_FIELD(IRCKey), FC_FIELD(ircName), FC_FIELD(txtstdKanaal), FC_FIELD(IRConjoin),
    FC_FIELD(debugAU), FC_FIELD(isStarted), FC_FIELD(isLinesPrinted), FC_FIELD(IRCIgnoreTime),
    FC_FIELD(Advanced), FC_FIELD(IRCRemoveColors), FC_FIELD(IRCRemoveFontCodes),
    FC_FIELD(CheckForUpdate), FC_FIELD(PriveServer), FC_FIELD(KillAllowedFrom), FC_FIELD(IRCBurst),
    FC_FIELD(IRCLineGapMs), FC_FIELD(IRCTls), FC_FIELD(IRCTlsInsecure), FC_FIELD(IRCReconnect),
    FC_FIELD(FastSweep), FC_FIELD(MasterServer), FC_FIELD(UpdateURL), FC_FIELD(aboutlabel), FC_FIELD(Titel), FC_FIELD(TimePlayedXToolTip), FC_FIELD(trayIconAdded), FC_FIELD(splashVisible), FC_FIELD(splashLabel1), FC_FIELD(shutdownPhase),
    FC_FIELD(botNick), FC_FIELD(botChannel), FC_FIELD(IRCStat), FC_FIELD(IRCTopic),
    FC_FIELD(ircLijst), FC_FIELD(ignorelist), FC_FIELD(ReportToIrc), FC_FIELD(ircZegwat),
    FC_FIELD(Command1Enabled), FC_FIELD(Command2Enabled), FC_FIELD(Command3Enabled),
    FC_FIELD(qsMatchState), FC_FIELD(InterpSupport), FC_FIELD(InterpVersion),
    FC_FIELD(InterpAuthor), FC_FIELD(InterpEmail), FC_FIELD(StatRed), FC_FIELD(StatBlue),
    FC_FIELD(InterpGotFlag), FC_FIELD(InterpLostFlag), FC_FIELD(InterpRecoverFlag),
    FC_FIELD(InterpQuad), FC_FIELD(InterpInvis), FC_FIELD(InterpHaste), FC_FIELD(InterpRegen),
    FC_FIELD(InterpServerMsg), FC_FIELD(InterpReport), FC_FIELD(interpCapper),
    FC_FIELD(InterpTimerTag), FC_FIELD(InterpOutput),
};
// clang-format on
#undef FC_FIELD
#undef FC_GAME

const char* const kFamilies[] = {"", "Q2", "Q3", "UT", "None"};

}  // namespace

std::optional<std::string> FieldText(MainView& view, const std::string& name) {
    const auto field = kFields.find(name);
    if (field == kFields.end()) return std::nullopt;
    return std::visit(
        [](auto* p) -> std::string {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, std::string>) return *p;
            if constexpr (std::is_same_v<T, bool>) return *p ? "true" : "false";
            if constexpr (std::is_same_v<T, MatchState>) return std::to_string(int(*p));
            if constexpr (std::is_same_v<T, GameFamily>) return kFamilies[int(*p)];
            if constexpr (std::is_same_v<T, GameType>) return std::string(GameTypeCode(*p));
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

bool SetFieldText(MainView& view, const std::string& name, const std::string& value) {
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
                const std::optional<GameType> type = GameTypeOfCode(value);
                if (!type) throw std::invalid_argument("no game type has the code " + value);
                *p = *type;
            }
            if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                *p = SplitList(value);
            }
            if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
                *p = static_cast<T>(std::stoi(value));
        },
        field->second(view));
    return true;
}

std::vector<std::string> SplitList(const std::string& text, char by) {
    std::vector<std::string> items;
    for (std::size_t at = 0; !text.empty() && at <= text.size();) {
        const std::size_t end = std::min(text.find(by, at), text.size());
        items.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return items;
}

}  // namespace fc::test
