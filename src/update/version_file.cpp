#include "update/version_file.h"

#include <cctype>

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

namespace {

bool allDigits(const std::string& text) {
    if (text.empty()) return false;
    for (unsigned char c : text)
        if (!std::isdigit(c)) return false;
    return true;
}

long long major(const std::string& version) {
    return leadingWhole(version.substr(0, version.find('.')));
}

long long minor(const std::string& version) {
    const auto dot = version.find('.');
    return dot == std::string::npos ? 0 : leadingWhole(version.substr(dot + 1));
}

std::string ownVersionLine() {
    return std::string("Your version: ") + kVersion + " (build: " + plainNumber(kBuildNumber) + ")";
}

std::string newVersionLine(const VersionFile& file) {
    return "New version: " + file.version + " (build:" + plainNumber(file.build) + ")";
}

}  // namespace

std::optional<VersionFile> readVersionFile(const std::string& answer) {
    VersionFile file;
    // Blanks fill the field up; a short file may also end in a line break.
    std::string version = answer.substr(0, 5);
    while (!version.empty() && std::isspace(static_cast<unsigned char>(version.back())))
        version.pop_back();
    const auto dot = version.find('.');
    if (dot == std::string::npos || !allDigits(version.substr(0, dot)) ||
        !allDigits(version.substr(dot + 1)))
        return std::nullopt;
    file.version = version;
    file.build = answer.size() > 5 ? leadingWhole(answer.substr(5, 5)) : 0;
    file.freeText = answer.size() > 10 ? answer.substr(10) : "";
    return file;
}

bool isNewerVersion(const std::string& version, const std::string& own) {
    if (major(version) != major(own)) return major(version) > major(own);
    return minor(version) > minor(own);
}

std::optional<UpdateAddress> readUpdateUrl(const std::string& url) {
    std::string rest = trimBlanks(url);
    if (textStartsWith(toLower(rest), "http://")) rest = rest.substr(7);
    const std::string authority = rest.substr(0, rest.find('/'));
    UpdateAddress address;
    const auto colon = authority.rfind(':');
    address.host = authority.substr(0, colon);
    if (colon != std::string::npos) {
        const std::string port = authority.substr(colon + 1);
        if (!allDigits(port) || port.size() > 5 || leadingWhole(port) < 1 ||
            leadingWhole(port) > 65535)
            return std::nullopt;
        address.port = static_cast<int>(leadingWhole(port));
    }
    if (address.host.empty() || textContains(address.host, " ")) return std::nullopt;
    return address;
}

std::string updateAvailableText(const VersionFile& file) {
    return std::string("There is a newer version available! Download at ") + kWebPage + " !\r\n" +
           ownVersionLine() + "\r\n" + newVersionLine(file) + "\r\n\r\n" + file.freeText;
}

std::string noUpdateText(const VersionFile& file) {
    return "No new version available!\r\n" + ownVersionLine() + "\r\n" + newVersionLine(file);
}

}  // namespace fc
