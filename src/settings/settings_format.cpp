#include "settings/settings_format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

#include "core/app.h"
#include "core/text_util.h"
#include "settings/advanced_mode.h"

namespace fc {

namespace {

struct TextKey {
    const char* key;
    std::string SettingsValues::*field;
};

// Settings whose value becomes the field's text as it stands.
constexpr TextKey kTextKeys[] = {
    {"IRCSERSEL", &SettingsValues::ircServer},
    {"IRCCHANNEL", &SettingsValues::channelEntry},
    {"IRCNAME", &SettingsValues::ircName},
    {"IRCKEY", &SettingsValues::channelKey},
    {"Q2SELECTED", &SettingsValues::serverEntry},
    {"IRCLINECTF", &SettingsValues::ctfTemplate},
    {"IRCLINEDM", &SettingsValues::dmTemplate},
    {"KILLALLOWEDFROM", &SettingsValues::killAllowedFrom},
    {"MASTERSERVER", &SettingsValues::masterServer},
    {"UPDATEURL", &SettingsValues::updateUrl},
    {"IRCENCODING", &SettingsValues::ircEncoding},
    {"IRCSASLUSER", &SettingsValues::ircSaslUser},
    {"IRCSASLPASSWORD", &SettingsValues::ircSaslPassword},
    {"IRCLOGINLINE", &SettingsValues::ircLoginLine},
    {"KILLPASSWORD", &SettingsValues::killPassword},
    {"WEBHOOKURL", &SettingsValues::webhookUrl},
};

struct EntryKey {
    const char* key;
    void (*take)(SettingsValues& values, const std::string& text);
};

// Settings typed into a field: the field keeps the text and reads its value from it.
constexpr EntryKey kEntryKeys[] = {
    {"IRCPORT", [](SettingsValues& v, const std::string& t) { v.ircPort = t; }},
    {"IRCIGNORETIME", [](SettingsValues& v, const std::string& t) { v.ignoreSeconds = t; }},
    {"TIMELIMITDM", [](SettingsValues& v, const std::string& t) { v.timeLimitMinutes = t; }},
    {"IRCBURST", [](SettingsValues& v, const std::string& t) { v.ircBurst = t; }},
    {"IRCLINEGAPMS", [](SettingsValues& v, const std::string& t) { v.ircLineGapMs = t; }},
};

struct BoxKey {
    const char* key;
    bool SettingsValues::*field;
};

// Check boxes, stored as 0 and 1. "Advanced" is not here: it switches the advanced mode.
constexpr BoxKey kBoxKeys[] = {
    {"IRCONJOIN", &SettingsValues::greetOnJoin},
    {"IRCSHOWRAW", &SettingsValues::showRawText},
    {"REMOVECOLORS", &SettingsValues::ircRemoveColors},
    {"REMOVEFCODES", &SettingsValues::ircRemoveFontCodes},
    {"CHECKFORUPDATE", &SettingsValues::checkForUpdate},
    {"PRIVESERVER", &SettingsValues::privateServerChecked},
    {"IRCTLS", &SettingsValues::ircTls},
    {"IRCTLSINSECURE", &SettingsValues::ircTlsInsecure},
    {"IRCRECONNECT", &SettingsValues::ircReconnect},
    {"FASTSWEEP", &SettingsValues::fastSweepOn},
    {"SAVETIMELINE", &SettingsValues::saveTimeline},
    {"REPORTSUMMARY", &SettingsValues::reportSummary},
};

struct CounterKey {
    const char* key;
    std::int32_t SettingsValues::*field;
};

constexpr CounterKey kCounterKeys[] = {
    {"ISSTARTED", &SettingsValues::startCount},
    {"ISLINESPRINTED", &SettingsValues::linesPrinted},
};

// The leading number of a value, rounded to a whole number (halves to even); none when it
// does not fit 32 bits.
std::optional<std::int32_t> wholeValue(const std::string& value) {
    const double rounded = std::nearbyint(leadingNumber(value));
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

// A check box takes 0 and 1 only; the program never writes anything else.
std::optional<bool> boxValue(const std::string& value) {
    const std::optional<std::int32_t> n = wholeValue(value);
    if (n == 0) return false;
    if (n == 1) return true;
    return std::nullopt;
}

// The leading number of a value as it was typed: "+045.50" of "+045.50 seconds".
std::string_view leadingNumberText(std::string_view value) {
    std::size_t begin = value.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    std::size_t end = begin;
    if (end < value.size() && (value[end] == '+' || value[end] == '-')) ++end;
    while (end < value.size() && std::isdigit(static_cast<unsigned char>(value[end]))) ++end;
    if (end < value.size() && value[end] == '.') ++end;
    while (end < value.size() && std::isdigit(static_cast<unsigned char>(value[end]))) ++end;
    return value.substr(begin, end - begin);
}

// The leading number of a value written back as text: "45 seconds" gives "45", "7.50" gives
// "7.5", no number gives "0". A number too large for that to read back the same is kept as
// it was typed, so that saving and reading it again never changes it.
std::string numberText(std::string_view value) {
    const double number = leadingNumber(value);
    if (number == std::floor(number) && std::fabs(number) < 1e15) {
        return plainNumber(static_cast<long long>(number));
    }
    if (std::fabs(number) < 1e6) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6f", number);
        std::string text = buffer;
        text.erase(text.find_last_not_of('0') + 1);  // "7.500000" reads "7.5"
        if (text.back() == '.') text.pop_back();     // a fraction too small to show
        return text == "-0" ? "0" : text;
    }
    return std::string(leadingNumberText(value));
}

bool containsIgnoringCase(const std::vector<std::string>& list, const std::string& text) {
    const std::string upper = toUpper(text);
    for (const std::string& entry : list) {
        if (toUpper(entry) == upper) return true;
    }
    return false;
}

// Takes one setting. False when the key is known but its value cannot be used.
bool applySetting(App& app, const std::string& key, const std::string& value) {
    for (const TextKey& k : kTextKeys) {
        if (key == k.key) {
            app.settings.*k.field = value;
            return true;
        }
    }
    for (const EntryKey& k : kEntryKeys) {
        if (key == k.key) {
            k.take(app.settings, value);
            return true;
        }
    }
    for (const BoxKey& k : kBoxKeys) {
        if (key == k.key) {
            const std::optional<bool> checked = boxValue(value);
            if (checked) app.settings.*k.field = *checked;
            return checked.has_value();
        }
    }
    for (const CounterKey& k : kCounterKeys) {
        if (key == k.key) {
            const std::optional<std::int32_t> n = wholeValue(value);
            if (n) app.settings.*k.field = *n;
            return n.has_value();
        }
    }
    if (key == "IRCSERVER") {
        if (!value.empty() && !containsIgnoringCase(app.settings.ircServers, value)) {
            app.settings.ircServers.push_back(value);
        }
    } else if (key == "Q2SERVER") {
        // The entry whole: a comment behind the address is the operator's name for the server.
        const std::string entry = trimBlanks(value);
        if (!entry.empty()) app.settings.savedServers.push_back(entry);
    } else if (key == "REPORTSECDM") {
        // "45 seconds" keeps only the 45; nothing positive is read as 40 seconds, as when typed.
        const std::string seconds = numberText(value);
        app.settings.reportIntervalSeconds = leadingNumber(seconds) <= 0 ? "40" : seconds;
    } else if (key == "WEBHOOKFORMAT") {
        const std::string format = toLower(value);
        if (format != "discord" && format != "slack") return false;
        app.settings.webhookFormat = format;
    } else if (key == "ADVANCED") {
        const std::optional<bool> checked = boxValue(value);
        if (!checked) return false;
        // Reading the box has the effect of the operator clicking it.
        if (*checked) {
            switchAdvancedOn(app);
        } else {
            switchAdvancedOff(app);
        }
    }
    return true;
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Takes one line. False when the line holds something that is not a setting, a comment or a
// blank: binary bytes, an overlong line, text without "=", a value a known key cannot use.
bool applyLine(App& app, std::string_view line, SettingsReading& reading) {
    if (line.size() > kLongestSettingsLine) return false;
    if (line.find('\0') != std::string_view::npos) return false;
    const std::string trimmed = trimBlanks(line);
    if (trimmed == kSettingsEndLine) reading.endFound = true;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return isBlank(line) || textStartsWith(trimmed, ";");
    const std::string key = toUpper(trimBlanks(line.substr(0, equals)));
    return applySetting(app, key, trimBlanks(line.substr(equals + 1)));
}

// Line breaks and NUL would break the file's layout, so values never carry them; and no value
// is longer than a line that reads back.
std::string oneLine(std::string_view value) {
    std::string out;
    out.reserve(std::min(value.size(), kLongestSettingsValue));
    for (char c : value) {
        if (out.size() == kLongestSettingsValue) break;
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    }
    return out;
}

}  // namespace

std::string settingsText(const App& app, const RunOnlySettings& kept) {
    std::string out;
    auto line = [&out](std::string_view text) {
        out += text;
        out += "\r\n";
    };
    auto setting = [&line](std::string_view key, std::string_view value) {
        line(std::string(key) + " = " + oneLine(value));
    };
    auto box = [](bool checked) { return checked ? "1" : "0"; };

    line(std::string("; INI file for Orvexa -- Version ") + kVersion);
    line("; Do not modify by hand, unless you know what you are doing...");
    line("");
    setting("IRCSerSel", kept.ircServer.value_or(app.settings.ircServer));
    for (const std::string& server : app.settings.ircServers) {
        if (!server.empty()) setting("IRCServer", server);
    }
    setting("IRCChannel", kept.savedChannel.value_or(app.settings.channelEntry));
    setting("IRCName", kept.savedNick.value_or(app.settings.ircName));
    setting("IRCKey", kept.channelKey.value_or(app.settings.channelKey));
    setting("IRCOnJoin", box(app.settings.greetOnJoin));
    setting("IRCShowRaw", box(app.settings.showRawText));
    setting("isStarted", plainNumber(app.settings.startCount));
    setting("isLinesPrinted", plainNumber(app.settings.linesPrinted));
    for (const std::string& server : app.settings.savedServers) {
        if (!server.empty()) setting("Q2Server", server);
    }
    setting("Q2Selected", kept.savedServerEntry.value_or(app.settings.serverEntry));
    line("TagSystem = [obselete since 1.20]");
    setting("IRCPort", kept.ircPort.value_or(app.settings.ircPort));
    setting("IRCIgnoreTime", app.settings.ignoreSeconds.text());
    line("ReportDM = [obselete since 1.14]");
    setting("ReportSecDM", app.settings.reportIntervalSeconds.text());
    setting("TimeLimitDM", app.settings.timeLimitMinutes.text());
    setting("IRCLineCTF", app.settings.ctfTemplate);
    setting("IRCLineDM", app.settings.dmTemplate);
    setting("Advanced", box(app.settings.advancedMode));
    setting("RemoveColors", box(app.settings.ircRemoveColors));
    setting("RemoveFCodes", box(app.settings.ircRemoveFontCodes));
    setting("CheckForUpdate", box(app.settings.checkForUpdate));
    setting("PriveServer", box(app.settings.serverIsPrivate));
    setting("KillAllowedFrom", app.settings.killAllowedFrom);
    setting("IRCBurst", app.settings.ircBurst.text());
    setting("IRCLineGapMs", app.settings.ircLineGapMs.text());
    setting("IRCTls", box(app.settings.ircTls));
    setting("IRCTlsInsecure", box(app.settings.ircTlsInsecure));
    setting("IRCReconnect", box(app.settings.ircReconnect));
    setting("FastSweep", box(app.settings.fastSweepOn));
    setting("MasterServer", app.settings.masterServer);
    setting("UpdateURL", app.settings.updateUrl);
    setting("IRCEncoding", app.settings.ircEncoding);
    setting("IRCSaslUser", app.settings.ircSaslUser);
    setting("IRCSaslPassword", app.settings.ircSaslPassword);
    setting("IRCLoginLine", app.settings.ircLoginLine);
    setting("KillPassword", app.settings.killPassword);
    setting("WebhookURL", kept.webhookUrl.value_or(app.settings.webhookUrl));
    setting("WebhookFormat", kept.webhookFormat.value_or(app.settings.webhookFormat));
    setting("SaveTimeline", box(app.settings.saveTimeline));
    setting("ReportSummary", box(app.settings.reportSummary));
    line("");
    line(kSettingsEndLine);
    return out;
}

SettingsReading applySettingsText(App& app, std::string_view text) {
    SettingsReading reading;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        ++number;
        // A line ends with CR LF as written, or with LF or CR alone after a hand edit.
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
        if (!applyLine(app, line, reading)) reading.unusableLines.push_back(number);
    }
    return reading;
}

}  // namespace fc
