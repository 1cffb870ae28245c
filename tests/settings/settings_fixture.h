// The program on the fake platform with its settings file in memory.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/app.h"
#include "program/wiring.h"
#include "settings/settings_file.h"
#include "support/fake_platform.h"
#include "support/report_recorder.h"

namespace fc::test {

using Lines = std::vector<std::string>;

// Whether `text` holds `part`, showing both when it does not.
inline ::testing::AssertionResult holdsText(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" does not hold \"" << part << "\"";
}

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() { app.addListener(&output); }

    std::string& file() { return platform.files[kSettingsFile]; }
    // The output lines since the last look.
    std::vector<std::string> shown() { return std::exchange(output.lines, {}); }

    // Reads a settings file of these lines, each ended by CR LF.
    void load(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& l : lines) text += l + "\r\n";
        platform.files[kSettingsFile] = text;
        loadSettings(app);
    }

    FakePlatform platform;
    WiredApp app{platform};
    OutputRecorder output;
};

}  // namespace fc::test
