#include "update/version_file.h"

#include <cctype>

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

namespace {

bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (unsigned char c : text)
        if (!std::isdigit(c)) return false;
    return true;
}

long long Major(const std::string& version) {
    return LeadingWhole(version.substr(0, version.find('.')));
}

long long Minor(const std::string& version) {
    const auto dot = version.find('.');
    return dot == std::string::npos ? 0 : LeadingWhole(version.substr(dot + 1));
}

std::string OwnVersionLine() {
    return std::string("Your version: ") + kVersion + " (build: " + PlainNumber(kBuildNumber) + ")";
}

std::string NewVersionLine(const VersionFile& file) {
    return "New version: " + file.version + " (build:" + PlainNumber(file.build) + ")";
}

}  // namespace

std::optional<VersionFile> ReadVersionFile(const std::string& answer) {
    VersionFile file;
    // Blanks fill the field up; a short file may also end in a line break.
    std::string version = answer.substr(0, 5);
    while (!version.empty() && std::isspace(static_cast<unsigned char>(version.back())))
        version.pop_back();
    const auto dot = version.find('.');
    if (dot == std::string::npos || !AllDigits(version.substr(0, dot)) ||
        !AllDigits(version.substr(dot + 1)))
        return std::nullopt;
    file.version = version;
    file.build = answer.size() > 5 ? LeadingWhole(answer.substr(5, 5)) : 0;
    file.freeText = answer.size() > 10 ? answer.substr(10) : "";
    return file;
}

bool IsNewerVersion(const std::string& version, const std::string& own) {
    if (Major(version) != Major(own)) return Major(version) > Major(own);
    return Minor(version) > Minor(own);
}

std::optional<UpdateAddress> ReadUpdateUrl(const std::string& url) {
    std::string rest = Trim(url);
    if (StartsWith(ToLower(rest), "http://")) rest = rest.substr(7);
    const std::string authority = rest.substr(0, rest.find('/'));
    UpdateAddress address;
    const auto colon = authority.rfind(':');
    address.host = authority.substr(0, colon);
    if (colon != std::string::npos) {
        const std::string port = authority.substr(colon + 1);
        if (!AllDigits(port) || port.size() > 5 || LeadingWhole(port) < 1 ||
            LeadingWhole(port) > 65535)
            return std::nullopt;
        address.port = static_cast<int>(LeadingWhole(port));
    }
    if (address.host.empty() || Contains(address.host, " ")) return std::nullopt;
    return address;
}

std::string UpdateAvailableText(const VersionFile& file) {
    return std::string("There is a newer version available! Download at ") + kWebPage + " !\r\n" +
           OwnVersionLine() + "\r\n" + NewVersionLine(file) + "\r\n\r\n" + file.freeText;
}

std::string NoUpdateText(const VersionFile& file) {
    return "No new version available!\r\n" + OwnVersionLine() + "\r\n" + NewVersionLine(file);
}

}  // namespace fc
