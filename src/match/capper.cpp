#include "match/capper.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/app.h"
#include "core/line_sink.h"
#include "core/text_util.h"
#include "match/announcements.h"
#include "match/report_lines.h"

namespace fc {

namespace {

constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kScoreWidth = 5;
constexpr std::size_t kRecordWidth = kNameWidth + kScoreWidth;

bool hasRowOfTeam(const App& app, const std::string& name, const std::string& team) {
    const std::string wanted = toLower(name);
    for (const PlayerRow& row : app.monitor.playerRows) {
        if (row.team == team && toLower(trimBlanks(row.name)) == wanted) return true;
    }
    return false;
}

bool anyTeamAssigned(const App& app) {
    for (const PlayerRow& row : app.monitor.playerRows) {
        if (row.team != kTeamSpectators) return true;
    }
    return false;
}

std::string unquoted(const std::string& field) {
    std::string name = trimBlanks(field);
    if (!name.empty() && name.front() == '"') name.erase(0, 1);
    if (!name.empty() && name.back() == '"') name.pop_back();
    return name;
}

}  // namespace

namespace {

// Rewrites `records` with one record per player: the name without its blanks in the name
// field, the score in the score field.
void writeRecords(std::string& records, const ServerStatus& status, bool filterColours) {
    records.assign(status.players.size() * kRecordWidth, ' ');
    char* field = records.data();
    for (const StatusPlayer& player : status.players) {
        const std::string& name = filterColours ? player.plainName : player.sentName;
        std::size_t width = 0;
        for (std::size_t i = 0; i < name.size() && width < kNameWidth; ++i) {
            if (name[i] != ' ') field[width++] = name[i];
        }
        const std::string& score = filterColours ? player.plainScore : player.sentScore;
        score.copy(field + kNameWidth, kScoreWidth);
        field += kRecordWidth;
    }
}

std::string playerRecords(const ServerStatus& status, bool filterColours) {
    std::string records;
    writeRecords(records, status, filterColours);
    return records;
}

}  // namespace

std::string quakePlayerSnapshot(const ServerStatus& status, bool filterColours) {
    return playerRecords(status, filterColours);
}

namespace {

// The first offset of every 20-character window of the previous reply's records that could
// be a name field of the current one (it starts with a character some name field starts with):
// the same answer as searching each name field, for the price of one pass.
class NameIndex {
public:
    NameIndex(const std::string& current, const std::string& previous) {
        bool starts[256] = {};
        for (std::size_t at = 0; at + kRecordWidth <= current.size(); at += kRecordWidth) {
            starts[static_cast<unsigned char>(current[at])] = true;
        }
        const std::string_view b(previous);
        for (std::size_t i = 0; i + kNameWidth <= b.size(); ++i) {
            if (starts[static_cast<unsigned char>(b[i])])
                first_.emplace(b.substr(i, kNameWidth), i);
        }
    }
    std::size_t find(std::string_view nameField) const {
        const auto it = first_.find(nameField);
        return it == first_.end() ? std::string::npos : it->second;
    }

private:
    std::unordered_map<std::string_view, std::size_t> first_;
};

// How each player's score moved between two replies. Worked out once per pair of replies: the
// search runs for both teams on the same two replies.
bool holdsText(const ReadRecords& read, const ServerStatus& status, bool filterColours) {
    return status.readNumber != 0 && read.readNumber == status.readNumber &&
           read.filtered == filterColours;
}

void keepRecords(ReadRecords& into, const ServerStatus& status, bool filterColours) {
    into.readNumber = status.readNumber;
    into.filtered = filterColours;
    writeRecords(into.records, status, filterColours);
}

const std::vector<ScoreRise>& risesBetween(CapperMemory& memory, const ServerStatus& current,
                                           const ServerStatus& previous, bool filterColours) {
    ReadRecords& now = memory.now;
    ReadRecords& before = memory.before;
    std::vector<ScoreRise>& rises = memory.rises;
    if (memory.valid && holdsText(now, current, filterColours) &&
        holdsText(before, previous, filterColours)) {
        return rises;
    }
    // The status of the last search is usually the previous one of this search.
    if (holdsText(now, previous, filterColours)) {
        std::swap(before, now);
    } else {
        keepRecords(before, previous, filterColours);
    }
    if (!holdsText(now, current, filterColours)) keepRecords(now, current, filterColours);
    if (memory.valid && now.records == memory.risesNow && before.records == memory.risesBefore)
        return rises;
    memory.risesNow = now.records;
    memory.risesBefore = before.records;
    memory.valid = true;
    rises.clear();
    const std::string& a = now.records;
    const std::string& b = before.records;
    const NameIndex index(a, b);
    const std::string_view records(a);
    for (std::size_t at = 0; at + kRecordWidth <= a.size(); at += kRecordWidth) {
        const std::string_view nameField = records.substr(at, kNameWidth);
        const std::size_t found = index.find(nameField);
        if (found == std::string::npos) continue;
        ScoreRise r;
        r.now = leadingWhole(records.substr(at + kNameWidth, kScoreWidth));
        r.before = leadingWhole(std::string_view(b).substr(found + kNameWidth, kScoreWidth));
        r.candidate = unquoted(std::string(nameField));
        rises.push_back(std::move(r));
    }
    return rises;
}

}  // namespace

std::string extractPlayer(App& app, const ServerStatus& current, const ServerStatus& previous,
                          const std::string& team) {
    if (!anyTeamAssigned(app)) app.match.teamsKnown = false;
    const GameTypeInfo& game = describe(app.monitor.gameType);
    const bool quake3 = game.family == GameFamily::Q3;
    const int lowest = game.captureRise.lowest;
    const std::optional<int> below = game.captureRise.below;
    std::int16_t best = 0;
    std::string result;
    const std::string marked = toLower(app.match.markedPlayers);
    for (const ScoreRise& r : risesBetween(app.memory.capper, current, previous, quake3)) {
        const long long rise = addWithin(r.now, -r.before);
        // Looked up only when it matters: most players are neither a new best nor a tie.
        auto onTeam = [&] { return !app.match.teamsKnown || hasRowOfTeam(app, r.candidate, team); };
        if (best < rise && (!below || rise < *below) && rise >= lowest) {
            best = static_cast<std::int16_t>(rise);
            if (onTeam()) result = r.candidate;
        } else if (rise == best && r.now > r.before &&
                   !textContains(marked, toLower(r.candidate)) && onTeam()) {
            result += " or " + r.candidate;
        }
    }
    app.match.teamsKnown = true;
    return result;
}

std::vector<ComparedPlayer> unrealPlayersToCompare(const App& app) {
    std::vector<ComparedPlayer> players;
    for (const StatusPlayer& player : app.status.players)
        players.push_back({trimBlanks(player.name), player.score});
    return players;
}

void countUnrealCaptures(App& app, const std::vector<ComparedPlayer>& previous) {
    const CaptureRise capture = describe(app.monitor.gameType).captureRise;
    std::string cappers;
    std::string team;  // the first capper's
    bool found = false;
    for (const StatusPlayer& player : app.status.players) {
        const std::string name = toLower(trimBlanks(player.name));
        for (const ComparedPlayer& old : previous) {
            if (old.name.empty() || toLower(old.name) != name) continue;
            const long long rise = addWithin(player.score, -old.score);
            if (rise < capture.lowest) continue;
            if (capture.below && rise >= *capture.below) continue;
            cappers += old.name + " or ";
            if (!found) team = player.team;
            if (player.team == "Red") {
                ++app.match.game.capsRed;
            } else if (player.team == "Blue") {
                ++app.match.game.capsBlue;
            }
            found = true;
        }
    }
    if (!found) return;
    cappers.resize(cappers.size() - 4);
    if (app.match.matchState != MatchState::Running) return;
    sayInChannel(app, app.irc.botChannel,
                 captureLine(app, app.match.game.capsRed, app.match.game.capsBlue, cappers),
                 ReportKind::Essential);
    tellMoment(app,
               {MomentKind::Capture, team == "Red" || team == "Blue" ? team : "", cappers, ""});
}

}  // namespace fc
