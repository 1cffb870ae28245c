#include "support/replies.h"

#include <fstream>
#include <sstream>

namespace fc::test {

static std::string quakeReply(const std::string& header, const Vars& vars,
                              const std::vector<PlayerLine>& players) {
    std::string out = "\xFF\xFF\xFF\xFF" + header + "\n";
    for (const auto& [key, value] : vars) out += "\\" + key + "\\" + value;
    out += "\n";
    for (const PlayerLine& p : players) out += p.score + " " + p.ping + " \"" + p.name + "\"\n";
    return out;
}

std::string quake2Reply(const Vars& vars, const std::vector<PlayerLine>& players) {
    return quakeReply("print", vars, players);
}

std::string quake3Reply(const Vars& vars, const std::vector<PlayerLine>& players) {
    return quakeReply("statusResponse", vars, players);
}

std::string browserAnswer(const std::string& name, int players) {
    std::vector<PlayerLine> lines;
    for (int i = 1; i <= players; ++i)
        lines.push_back({std::to_string(i), "9", "p" + std::to_string(i)});
    return quake2Reply({{"hostname", name}, {"mapname", "q2dm1"}, {"maxclients", "8"}}, lines);
}

// Each line "MS HEX" ("-" for a query nothing answered); "#" lines are comments.
std::vector<RecordedReply> loadCapture(const std::string& name) {
    std::vector<RecordedReply> replies;
    std::ifstream in(std::string(FRAGCASTER_CAPTURES_DIR) + "/" + name);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        RecordedReply r;
        std::string hex;
        fields >> r.ms >> hex;
        r.answered = hex != "-";
        for (std::size_t i = 0; r.answered && i + 1 < hex.size(); i += 2)
            r.bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        replies.push_back(std::move(r));
    }
    return replies;
}

}  // namespace fc::test
