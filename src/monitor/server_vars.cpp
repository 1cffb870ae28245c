#include "monitor/server_vars.h"

#include "shell/text_util.h"

namespace fc {

namespace {
constexpr std::string_view kQuake3Header = "\xFF\xFF\xFF\xFFstatusResponse";
}

std::string GetServerVar(std::string_view key, std::string_view reply) {
    if (key.empty()) return "";
    // Searched in place: the reply is read with every LF as "\" and one more "\" behind it.
    const std::size_t n = reply.size() + 1;
    auto at = [&](std::size_t i) { return i < reply.size() && reply[i] != '\n' ? reply[i] : '\\'; };
    for (std::size_t p = 0; p + key.size() <= n; ++p) {
        std::size_t k = 0;
        while (k < key.size() && at(p + k) == key[k]) ++k;
        if (k < key.size()) continue;
        std::string value;
        for (std::size_t i = p + key.size() + 1; i < n && at(i) != '\\'; ++i) value += reply[i];
        return value;
    }
    return "";
}

std::string FilterQ3Colors(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^') {
            ++i;  // drops the code character too; a trailing "^" goes alone
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string Strip160(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) == 160) ++i;
    return std::string(text.substr(i));
}

bool IsQuake3Reply(std::string_view reply) {
    return StartsWith(reply, kQuake3Header) || StartsWith(GetServerVar("\\version", reply), "Q3");
}

}  // namespace fc
