// Collects every line the program hands to the channel, in order.
#pragma once

#include <string>
#include <vector>

#include "core/app.h"

namespace fc::test {

class ReportRecorder : public AppListener {
public:
    void reportSaid(const std::string&, const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

}  // namespace fc::test
