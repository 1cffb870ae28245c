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

const std::string& ServerStatus::variable(std::string_view key) const {
    static const std::string kNone;
    for (const auto& [name, value] : variables) {
        if (name == key) return value;
    }
    return kNone;
}

std::vector<std::pair<std::string, std::string>> readServerVariables(std::string_view reply) {
    std::vector<std::pair<std::string, std::string>> variables;
    std::string key;
    std::string value;
    bool readingKey = false;
    int lineFeeds = 0;
    for (char c : reply) {
        if (c == '\n') ++lineFeeds;
        const bool endOfVariables = c == '\n' && lineFeeds == 2;
        if (c == '\\' || endOfVariables) {
            if (!readingKey) {
                if (!key.empty()) {
                    variables.emplace_back(std::move(key), std::move(value));
                    key.clear();
                    value.clear();
                }
                readingKey = true;
            } else {
                value.clear();
                readingKey = false;
            }
            if (endOfVariables) break;
        } else if (c != '\n') {
            (readingKey ? key : value) += c;
        }
    }
    return variables;
}

}  // namespace fc
