// The update host's answer and where to ask for it: pure functions, no socket.
#pragma once

#include <optional>
#include <string>

namespace fc {

// The version file: a version text of five characters (major "." minor, filled up with blanks),
// a build number in the next five, then free text for the operator.
struct VersionFile {
    std::string version;  // as written, blanks behind it removed
    long long build = 0;
    std::string freeText;
};

// Reads a version file. An answer that does not fit (no "major.minor" in its first five
// characters, say an HTTP error page) gives nothing.
std::optional<VersionFile> readVersionFile(const std::string& answer);

// Whether `version` is newer than `own`: by major number, then by minor; builds are not compared.
bool isNewerVersion(const std::string& version, const std::string& own);

// Where the version file lives: "http://host[:port]/path" (the scheme may be left out).
struct UpdateAddress {
    std::string host;
    int port = 80;
};
std::optional<UpdateAddress> readUpdateUrl(const std::string& url);

// The lines of the two message boxes, CR LF between lines.
std::string updateAvailableText(const VersionFile& file);
std::string noUpdateText(const VersionFile& file);

}  // namespace fc
