// Collects every line the program hands to the channel, in order; and what it shows.
#pragma once

#include <string>
#include <vector>

#include "core/app.h"

namespace fc::test {

struct ReportRecorder : AppListener {
    void reportSaid(const std::string&, const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

// The lines appended to the IRC output window, and the message boxes as "TITLE: TEXT;".
struct OutputRecorder : AppListener {
    void outputAppended(const std::string& text) override { lines.push_back(text); }
    void messageShown(const std::string& title, const std::string& text) override {
        messages += title + ": " + text + ";";
    }
    std::vector<std::string> lines;
    std::string messages;
};

}  // namespace fc::test
