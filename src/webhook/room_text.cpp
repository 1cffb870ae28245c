#include "webhook/room_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "irc/text_encoding.h"

namespace fc {

namespace {

constexpr int kBold = 1, kUnderline = 2;

struct Run {
    int style = 0;
    std::string text;  // the game's bytes, escaped for the room
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips the colour numbers behind a colour code: up to two digits, then a comma and up to two
// more for the background (the comma stays text when no digit follows it).
std::size_t skipColour(std::string_view line, std::size_t at) {
    auto digits = [&](std::size_t from) {
        std::size_t end = from;
        while (end < line.size() && end < from + 2 && isDigit(line[end])) ++end;
        return end;
    };
    const std::size_t end = digits(at);
    if (end > at && end + 1 < line.size() && line[end] == ',' && isDigit(line[end + 1]))
        return digits(end + 1);
    return end;
}

void escapeInto(std::string& out, char c, bool lineStart, WebhookFormat format) {
    if (format == WebhookFormat::Slack) {
        if (c == '&') return void(out += "&amp;");
        if (c == '<') return void(out += "&lt;");
        if (c == '>') return void(out += "&gt;");
    } else {
        static constexpr std::string_view kAnywhere = "\\*_~`|[]<";
        static constexpr std::string_view kAtStart = "#->";
        if (kAnywhere.find(c) != std::string_view::npos ||
            (lineStart && kAtStart.find(c) != std::string_view::npos))
            out += '\\';
    }
    out += c;
}

}  // namespace

std::optional<WebhookFormat> webhookFormatNamed(std::string_view name) {
    std::string lower;
    for (char c : name)
        if (c != ' ' && c != '\t')
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "discord") return WebhookFormat::Discord;
    if (lower == "slack") return WebhookFormat::Slack;
    return std::nullopt;
}

std::size_t roomLengthLimit(WebhookFormat format) {
    return format == WebhookFormat::Discord ? 2000 : 4000;
}

std::string roomText(std::string_view ircLine, WebhookFormat format) {
    const bool discord = format == WebhookFormat::Discord;
    std::vector<Run> runs;
    int style = 0;
    bool lineStart = true;
    for (std::size_t i = 0; i < ircLine.size(); ++i) {
        const char c = ircLine[i];
        if (c == '\x02') {
            style ^= kBold;
        } else if (c == '\x1F') {
            style ^= discord ? kUnderline : 0;  // Slack's markup has no underline
        } else if (c == '\x0F') {
            style = 0;
        } else if (c == '\x03') {
            i = skipColour(ircLine, i + 1) - 1;
        } else if (static_cast<unsigned char>(c) >= 0x20) {
            if (runs.empty() || runs.back().style != style) runs.push_back({style, ""});
            escapeInto(runs.back().text, c, lineStart && c != ' ', format);
            lineStart = lineStart && c == ' ';
        }
        // Reverse, italics and every other control code are dropped.
    }
    const std::string bold = discord ? "**" : "*";
    std::string out;
    for (const Run& run : runs) {
        // Markdown takes a marker next to a blank as text: blanks stay outside the markers.
        const std::size_t first = run.text.find_first_not_of(' ');
        if (first == std::string::npos) {
            out += run.text;
            continue;
        }
        const std::size_t last = run.text.find_last_not_of(' ');
        const std::string open =
            std::string(run.style & kBold ? bold : "") + (run.style & kUnderline ? "__" : "");
        std::string close(open.rbegin(), open.rend());
        out += run.text.substr(0, first) + open + run.text.substr(first, last + 1 - first) + close +
               run.text.substr(last + 1);
    }
    return toUtf8(out);
}

std::size_t characterCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::size_t bytesOfCharacters(std::string_view utf8, std::size_t characters) {
    std::size_t at = 0;
    for (std::size_t n = 0; at < utf8.size(); ++at) {
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80 && n++ == characters) break;
    }
    return at;
}

std::string roomBody(const std::string& text, WebhookFormat format) {
    std::string out = format == WebhookFormat::Discord ? "{\"content\":\"" : "{\"text\":\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    if (format == WebhookFormat::Discord) out += ",\"allowed_mentions\":{\"parse\":[]}";
    return out + "}";
}

std::string urlHost(std::string_view url) {
    const std::size_t scheme = url.find("://");
    std::string_view rest = scheme == std::string_view::npos ? url : url.substr(scheme + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    const std::size_t at = rest.rfind('@');  // a user and password before the host
    if (at != std::string_view::npos) rest = rest.substr(at + 1);
    if (!rest.empty() && rest[0] == '[') return std::string(rest.substr(0, rest.find(']') + 1));
    return std::string(rest.substr(0, rest.find(':')));
}

std::optional<std::string> headerValue(const HttpAnswer& answer, std::string_view name) {
    for (const auto& [key, value] : answer.headers)
        if (key == name) return value;
    return std::nullopt;
}

std::optional<double> retryAfterSeconds(const HttpAnswer& answer) {
    auto number = [](std::string_view text) -> std::optional<double> {
        const std::size_t begin = text.find_first_not_of(" \t:");
        if (begin == std::string_view::npos) return std::nullopt;
        double value = 0;
        const auto [end, ec] =
            std::from_chars(text.data() + begin, text.data() + text.size(), value);
        if (ec != std::errc() || !std::isfinite(value) || value < 0) return std::nullopt;
        return value;
    };
    const std::size_t key = answer.body.find("\"retry_after\"");
    if (key != std::string::npos) {
        if (auto seconds = number(std::string_view(answer.body).substr(key + 13))) return seconds;
    }
    for (const char* name : {"retry-after", "x-ratelimit-reset-after"}) {
        if (auto value = headerValue(answer, name)) {
            if (auto seconds = number(*value)) return seconds;
        }
    }
    return std::nullopt;
}

}  // namespace fc
