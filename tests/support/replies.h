#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fc::test {

// clang-format off
struct PlayerLine { std::string score, ping, name; };
using Vars = std::vector<std::pair<std::string, std::string>>;

// "\xFF\xFF\xFF\xFF" + header + LF, the "\key\value" line, LF, one "score ping "name"" line each.
std::string quake2Reply(const Vars& vars, const std::vector<PlayerLine>& players);
std::string quake3Reply(const Vars& vars, const std::vector<PlayerLine>& players);
// A Quake 2 server: its name, map q2dm1, 8 slots, players "p1", "p2", ... scoring 1, 2, ...
std::string browserAnswer(const std::string& name, int players);

// `bytes` empty when nothing arrived for that query.
struct RecordedReply { long long ms = 0; std::string bytes; bool answered = false; };
// clang-format on
std::vector<RecordedReply> loadCapture(const std::string& name);

}  // namespace fc::test
