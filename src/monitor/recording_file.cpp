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
constexpr std::string_view kServerRecordStart =
    "\xFF\xFF\xFF\xFF"
    "disconnect recorded from ";
// A day has 86400 seconds; anything from 10^7 on cannot be a time of day and would not even
// be written back in the same form (seven significant digits).
constexpr double kLatestTime = 1e7;

// The line starting at `offset`, up to its CR; nothing when no CR ends it. The LF after the
// CR is skipped.
std::optional<std::string_view> nextLine(const std::string& bytes, std::size_t& offset) {
    const std::size_t cr = bytes.find('\r', offset);
    if (cr == std::string::npos) return std::nullopt;
    const std::string_view line(bytes.data() + offset, cr - offset);
    offset = cr + 1;
    if (offset < bytes.size() && bytes[offset] == '\n') ++offset;
    return line;
}

std::string_view blankTrimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<double> timeValue(std::string_view line) {
    line = blankTrimmed(line);
    if (line.empty() || line.size() > kLongestTimeLine) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || end != line.data() + line.size() || !std::isfinite(value) ||
        value < 0 || value >= kLatestTime) {
        return std::nullopt;
    }
    return value;
}

struct TimeLine {
    double time = 0;
    std::optional<std::size_t> length;  // the reply's length, where the record gives it
};

// The time, then optionally a blank and the reply's length in decimal digits.
std::optional<TimeLine> readTimeLine(std::string_view line) {
    line = blankTrimmed(line);
    const std::size_t blank = line.find(' ');
    TimeLine read;
    const std::optional<double> time = timeValue(line.substr(0, blank));
    if (!time) return std::nullopt;
    read.time = *time;
    if (blank == std::string_view::npos) return read;
    const std::string_view digits = blankTrimmed(line.substr(blank));
    std::size_t length = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), length);
    if (ec != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    read.length = length;
    return read;
}

RecordRead damagedRecord(const char* what) {
    RecordRead r;
    r.kind = RecordRead::Kind::Damaged;
    r.damage = what;
    return r;
}

}  // namespace

std::string recordTimeText(double secondsSinceMidnight) {
    char text[32];
    const double held = std::clamp(secondsSinceMidnight, 0.0, kLatestTime - 1);
    std::snprintf(text, sizeof text, " %.7g", static_cast<double>(static_cast<float>(held)));
    return text;
}

std::string formatRecord(double secondsSinceMidnight, const std::string& reply) {
    const std::string time = recordTimeText(secondsSinceMidnight);
    if (reply.find('\r') == std::string::npos) return time + "\r\n" + reply + "\r\n";
    return time + " " + std::to_string(reply.size()) + "\r\n" + reply + "\r\n";
}

std::string formatServerRecord(double secondsSinceMidnight, const std::string& address) {
    return formatRecord(secondsSinceMidnight, std::string(kServerRecordStart) + address);
}

std::optional<std::string> recordedServer(const std::string& reply) {
    if (!reply.starts_with(kServerRecordStart)) return std::nullopt;
    // Said in the channel: a damaged record gives no line breaks or codes, and no long text.
    std::string address = reply.substr(kServerRecordStart.size(), 255);
    const auto control = std::find_if(address.begin(), address.end(),
                                      [](unsigned char c) { return c < 32 || c == 127; });
    return address.erase(static_cast<std::size_t>(control - address.begin()));
}

RecordRead readRecord(const std::string& bytes, std::size_t& offset) {
    if (offset >= bytes.size()) return RecordRead{};
    std::size_t at = offset;
    const std::optional<std::string_view> line = nextLine(bytes, at);
    if (!line) return damagedRecord("its time line has no line end");
    const std::optional<TimeLine> timeLine = readTimeLine(*line);
    if (!timeLine) return damagedRecord("its time line is not a time of day");
    if (at >= bytes.size()) return damagedRecord("its reply line is missing");
    std::string_view reply;
    if (timeLine->length) {
        const std::size_t length = *timeLine->length;
        if (length > kLongestRecordedReply) return damagedRecord("its reply is longer than 64 KB");
        if (bytes.size() - at < length)
            return damagedRecord("its reply is shorter than its length");
        reply = std::string_view(bytes.data() + at, length);
        at += length;
        if (at >= bytes.size() || bytes[at] != '\r') {
            return damagedRecord("its reply does not end where its length says");
        }
        ++at;
        if (at < bytes.size() && bytes[at] == '\n') ++at;
    } else {
        const std::size_t replyStart = at;
        const std::optional<std::string_view> replyLine = nextLine(bytes, at);
        if (!replyLine) {
            if (bytes.size() - replyStart > kLongestRecordedReply) {
                return damagedRecord("its reply is longer than 64 KB");
            }
            return damagedRecord("its reply line has no line end");
        }
        reply = *replyLine;
        if (reply.size() > kLongestRecordedReply)
            return damagedRecord("its reply is longer than 64 KB");
    }
    RecordRead r;
    r.kind = RecordRead::Kind::Record;
    r.time = timeLine->time;
    r.reply = std::string(reply);
    offset = at;
    return r;
}

}  // namespace fc
