// Feeds arbitrary bytes to the program as its settings file. Whatever it holds, reading it must
// not fail, and what is then saved must read back without complaint and save again to the very
// same bytes: a setting taken once is never lost or changed by later saves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/app.h"
#include "program/wiring.h"
#include "settings/settings_file.h"
#include "support/fake_platform.h"

namespace {

// Reads the file in `platform`, saves it, and returns what was saved.
std::string loadAndSave(fc::test::FakePlatform& platform) {
    fc::WiredApp app(platform);
    fc::loadSettings(app);
    fc::saveSettings(app);
    return platform.files[fc::kSettingsFile];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fc::test::FakePlatform first;
    first.files[fc::kSettingsFile] = std::string(reinterpret_cast<const char*>(data), size);
    const std::string saved = loadAndSave(first);

    fc::test::FakePlatform second;
    second.files[fc::kSettingsFile] = saved;
    fc::App check(second);
    fc::loadSettings(check);
    if (!check.irc.ircOutput.empty()) std::abort();  // a saved file is never damaged
    fc::saveSettings(check);
    if (second.files[fc::kSettingsFile] != saved) std::abort();
    return 0;
}
