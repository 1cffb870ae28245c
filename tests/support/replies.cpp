#include "support/replies.h"

#include <fstream>
#include <sstream>

namespace fc::test {

std::string makeQuakeReply(const std::string& header, const Vars& vars,
                           const std::vector<PlayerLine>& players) {
    std::string out = "\xFF\xFF\xFF\xFF" + header + "\n";
    for (const auto& [key, value] : vars) out += "\\" + key + "\\" + value;
    out += "\n";
    for (const PlayerLine& p : players) out += p.score + " " + p.ping + " \"" + p.name + "\"\n";
    return out;
}

std::string quake2Reply(const Vars& vars, const std::vector<PlayerLine>& players) {
    return makeQuakeReply("print", vars, players);
}

std::string quake3Reply(const Vars& vars, const std::vector<PlayerLine>& players) {
    return makeQuakeReply("statusResponse", vars, players);
}

std::string browserAnswer(const std::string& name, int players) {
    std::vector<PlayerLine> lines;
    for (int i = 1; i <= players; ++i)
        lines.push_back({std::to_string(i), "9", "p" + std::to_string(i)});
    return quake2Reply({{"hostname", name}, {"mapname", "q2dm1"}, {"maxclients", "8"}}, lines);
}

std::string capturesDir() {
    return FRAGCASTER_CAPTURES_DIR;
}

namespace {
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::vector<RecordedReply> loadCapture(const std::string& name) {
    std::vector<RecordedReply> replies;
    std::ifstream in(capturesDir() + "/" + name);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        RecordedReply r;
        std::string hex;
        fields >> r.ms >> hex;
        r.answered = hex != "-";
        if (r.answered) {
            for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
                r.bytes += static_cast<char>(hexValue(hex[i]) * 16 + hexValue(hex[i + 1]));
            }
        }
        replies.push_back(std::move(r));
    }
    return replies;
}

Vars ospVars(const char* gametype, const std::string& time, const char* timelimit,
             const std::string& red, const std::string& blue) {
    return {{"version", "Q3 1.32"},   {"gamename", "osp"}, {"g_gametype", gametype},
            {"timelimit", timelimit}, {"Score_Red", red},  {"Score_Blue", blue},
            {"Score_Time", time},     {"mapname", "q3dm6"}};
}

}  // namespace fc::test
