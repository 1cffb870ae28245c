#include "browser/answers.h"

#include <algorithm>

#include "core/server_status.h"
#include "core/server_vars.h"
#include "core/text_util.h"

namespace fc {

namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return lines;
        start = end + 1;
    }
}

// The first variable whose name ends with `key`: Quake 2 says "maxclients" and "hostname",
// Quake 3 "sv_maxclients" and "sv_hostname".
const std::string& variableEndingWith(const ServerVariables& variables, std::string_view key) {
    static const std::string kNone;
    for (const auto& [name, value] : variables) {
        if (name.ends_with(key)) return value;
    }
    return kNone;
}

// A player line's name: between its first double quote and the next one, or to the line's end
// when the closing quote is missing; Quake 3 colour codes removed.
std::string playerName(std::string_view line, bool quake3) {
    const std::size_t quote = line.find('"');
    std::string_view name =
        quote == std::string_view::npos ? std::string_view() : line.substr(quote + 1);
    name = name.substr(0, name.find('"'));
    return quake3 ? filterQ3Colours(name) : std::string(name);
}

}  // namespace

ServerAnswer readServerAnswer(std::string_view reply) {
    ServerAnswer answer;
    const ServerVariables variables = readServerVariables(reply);
    const std::vector<std::string_view> lines = splitLines(reply);
    // The last piece has no line feed behind it, so it is no player line.
    long long bestScore = 0;
    std::string_view best;
    bool found = false;
    for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty()) continue;
        const long long score = leadingWhole(line.substr(0, line.find(' ')));
        if (score >= 0 && (!found || score >= bestScore)) {
            bestScore = score;
            best = line;
            found = true;
        }
    }
    const long long feeds = static_cast<long long>(lines.size()) - 1;
    answer.count = feeds > 2 ? feeds - 2 : 0;

    const bool quake3 = isQuake3Reply(reply, variables);
    answer.top = found ? playerName(best, quake3) : "-";

    std::string maximum = variableEndingWith(variables, "maxclients");
    if (maximum.empty()) {  // Unreal Tournament
        maximum = variableEndingWith(variables, "maxplayers");
        answer.count = leadingWhole(variableEndingWith(variables, "numplayers"));
    }
    const std::string& name = variableEndingWith(variables, "hostname");
    answer.name = trimBlanks(quake3 ? filterQ3Colours(name) : name);
    answer.map = trimBlanks(variableEndingWith(variables, "mapname"));
    answer.players = plainNumber(answer.count) + " / " + maximum;
    return answer;
}

MasterAnswer readMasterAnswer(std::string_view datagram) {
    static constexpr std::string_view kHeader = "\xFF\xFF\xFF\xFFgetserversResponse";
    MasterAnswer answer;
    if (!textStartsWith(datagram, kHeader)) return answer;
    answer.isList = true;
    std::size_t at = kHeader.size();
    while (at < datagram.size()) {
        if (datagram[at] != '\\') {
            answer.damaged = true;
            return answer;
        }
        if (datagram.substr(at + 1, 3) == "EOT") {
            answer.ended = true;
            return answer;
        }
        if (datagram.size() - at < 7) {
            answer.damaged = true;  // an entry cut short
            return answer;
        }
        const auto byte = [&](std::size_t i) {
            return static_cast<unsigned char>(datagram[at + 1 + i]);
        };
        const int port = byte(4) * 256 + byte(5);
        const bool unset = byte(0) == 0 && byte(1) == 0 && byte(2) == 0 && byte(3) == 0;
        if (port != 0 && !unset) {
            answer.servers.push_back(plainNumber(byte(0)) + "." + plainNumber(byte(1)) + "." +
                                     plainNumber(byte(2)) + "." + plainNumber(byte(3)) + ":" +
                                     plainNumber(port));
        }
        at += 7;
    }
    answer.damaged = true;  // no end mark
    return answer;
}

std::vector<std::vector<std::string>> detailRows(std::string_view answer, bool variables) {
    std::vector<std::vector<std::string>> out;
    const std::vector<std::string_view> lines = splitLines(answer);
    if (!variables) {
        const bool quake3 = isQuake3Reply(answer, readServerVariables(answer));
        for (std::size_t i = 2; i < lines.size(); ++i) {
            if (i + 1 == lines.size() && lines[i].empty()) break;  // after the last line feed
            // "SCORE PING "NAME"": the first two words, then the quoted name.
            const std::string_view line = lines[i];
            const std::size_t scoreEnd = std::min(line.find(' '), line.size());
            const std::size_t pingStart =
                std::min(line.find_first_not_of(' ', scoreEnd), line.size());
            const std::string_view ping =
                line.substr(pingStart, line.find(' ', pingStart) - pingStart);
            out.push_back({playerName(line, quake3), std::string(line.substr(0, scoreEnd)),
                           std::string(ping)});
        }
        return out;
    }
    if (lines.size() < 2) return out;
    // "\name\value\name\value": the piece before the first "\" is no pair.
    std::vector<std::string_view> parts;
    std::string_view vars = lines[1];
    for (std::size_t start = 0;;) {
        const std::size_t end = vars.find('\\', start);
        parts.push_back(vars.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    for (std::size_t i = 1; i < parts.size(); i += 2) {
        if (parts[i].empty()) continue;
        const std::string_view value = i + 1 < parts.size() ? parts[i + 1] : std::string_view();
        out.push_back({std::string(parts[i]), std::string(value)});
    }
    return out;
}

}  // namespace fc
