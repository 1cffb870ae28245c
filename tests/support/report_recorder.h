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

// The lines appended to the IRC output window, the message boxes as "TITLE: TEXT;", and how
// many replies the window was redrawn for.
struct OutputRecorder : AppListener {
    void outputAppended(const std::string& text) override { lines.push_back(text); }
    void replyHandled() override { ++replies; }
    void messageShown(const std::string& title, const std::string& text) override {
        messages += title + ": " + text + ";";
    }
    std::vector<std::string> lines;
    std::string messages;
    int replies = 0;
};

}  // namespace fc::test
