#include "monitor/recording_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

namespace fc {

namespace {

constexpr std::size_t kLongestTimeLine = 64;
// A day has 86400 seconds; anything from 10^7 on cannot be a time of day and would not even
// be written back in the same form (seven significant digits).
constexpr double kLatestTime = 1e7;

// The line starting at `offset`, up to its CR; nothing when no CR ends it. The LF after the
// CR is skipped.
std::optional<std::string_view> NextLine(const std::string& bytes, std::size_t& offset) {
    const std::size_t cr = bytes.find('\r', offset);
    if (cr == std::string::npos) return std::nullopt;
    const std::string_view line(bytes.data() + offset, cr - offset);
    offset = cr + 1;
    if (offset < bytes.size() && bytes[offset] == '\n') ++offset;
    return line;
}

std::optional<double> TimeValue(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    if (line.empty() || line.size() > kLongestTimeLine) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || end != line.data() + line.size() || !std::isfinite(value) ||
        value < 0 || value >= kLatestTime) {
        return std::nullopt;
    }
    return value;
}

RecordRead Damaged(const char* what) {
    RecordRead r;
    r.kind = RecordRead::Kind::Damaged;
    r.damage = what;
    return r;
}

}  // namespace

std::string RecordTimeText(double secondsSinceMidnight) {
    char text[32];
    const double held = std::clamp(secondsSinceMidnight, 0.0, kLatestTime - 1);
    std::snprintf(text, sizeof text, " %.7g", static_cast<double>(static_cast<float>(held)));
    return text;
}

std::string FormatRecord(double secondsSinceMidnight, const std::string& reply) {
    return RecordTimeText(secondsSinceMidnight) + "\r\n" + reply + "\r\n";
}

RecordRead ReadRecord(const std::string& bytes, std::size_t& offset) {
    if (offset >= bytes.size()) return RecordRead{};
    std::size_t at = offset;
    const std::optional<std::string_view> timeLine = NextLine(bytes, at);
    if (!timeLine) return Damaged("its time line has no line end");
    const std::optional<double> time = TimeValue(*timeLine);
    if (!time) return Damaged("its time line is not a time of day");
    if (at >= bytes.size()) return Damaged("its reply line is missing");
    const std::size_t replyStart = at;
    const std::optional<std::string_view> reply = NextLine(bytes, at);
    if (!reply) {
        if (bytes.size() - replyStart > kLongestRecordedReply) {
            return Damaged("its reply is longer than 64 KB");
        }
        return Damaged("its reply line has no line end");
    }
    if (reply->size() > kLongestRecordedReply) return Damaged("its reply is longer than 64 KB");
    RecordRead r;
    r.kind = RecordRead::Kind::Record;
    r.time = *time;
    r.reply = std::string(*reply);
    offset = at;
    return r;
}

}  // namespace fc
