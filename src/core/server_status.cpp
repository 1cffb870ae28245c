#include "core/server_status.h"

#include "core/text_util.h"

namespace fc {

std::uint64_t nextReadNumber() {
    static std::uint64_t last = 0;
    return ++last;
}

TeamScore readTeamScore(std::string_view shown) {
    TeamScore score;
    const std::size_t slash = shown.find('/');
    if (slash == std::string_view::npos) {
        score.points = leadingNumber(shown);
        return score;
    }
    score.split = true;
    score.captures = leadingNumber(shown.substr(0, slash));
    score.points = leadingNumber(shown.substr(slash + 1));
    return score;
}

const std::string& variableOf(const ServerVariables& variables, std::string_view key) {
    static const std::string kNone;
    for (const auto& [name, value] : variables) {
        if (name == key) return value;
    }
    return kNone;
}

const std::string& ServerStatus::variable(std::string_view key) const {
    return variableOf(variables, key);
}

bool ServerStatus::sidesKnown() const {
    for (const StatusPlayer& player : players) {
        if (player.team == "Red" || player.team == "Blue") return true;
    }
    return false;
}

long long ServerStatus::allPlayersScore() const {
    long long sum = 0;
    for (const StatusPlayer& player : players) sum = addWithin(sum, player.score);
    return sum;
}

bool isQuake3Reply(std::string_view reply, const ServerVariables& variables) {
    constexpr std::string_view kQuake3Header = "\xFF\xFF\xFF\xFFstatusResponse";
    return textStartsWith(reply, kQuake3Header) ||
           textStartsWith(variableOf(variables, "version"), "Q3");
}

ServerVariables readServerVariables(std::string_view reply) {
    ServerVariables variables;
    readServerVariables(reply, variables);
    return variables;
}

void readServerVariables(std::string_view reply, ServerVariables& variables) {
    // The pairs are filled in place: one beyond the last read is the one being read.
    std::size_t count = 0;
    auto pair = [&]() -> std::pair<std::string, std::string>& {
        if (count == variables.size()) variables.emplace_back();
        return variables[count];
    };
    std::string* key = &pair().first;
    std::string* value = &pair().second;
    key->clear();
    value->clear();
    bool readingKey = false;
    int lineFeeds = 0;
    std::size_t at = 0;
    while (at < reply.size()) {
        const char c = reply[at];
        if (c == '\n') ++lineFeeds;
        const bool endOfVariables = c == '\n' && lineFeeds == 2;
        if (c == '\\' || endOfVariables) {
            if (!readingKey) {
                if (!key->empty()) {
                    ++count;
                    key = &pair().first;
                    value = &pair().second;
                    key->clear();
                    value->clear();
                }
                readingKey = true;
            } else {
                value->clear();
                readingKey = false;
            }
            ++at;
            if (endOfVariables) break;
        } else if (c == '\n') {
            ++at;
        } else {
            // A run of plain characters at once.
            std::size_t end = at + 1;
            while (end < reply.size() && reply[end] != '\\' && reply[end] != '\n') ++end;
            (readingKey ? key : value)->append(reply.substr(at, end - at));
            at = end;
        }
    }
    // A pair that no "\\" closes is not one.
    variables.resize(count);
}

}  // namespace fc
