// The one exit for lines said in the channel. Announcements, capture lines, the periodic report,
// the match-control lines and the event feed's lines all leave through it; the IRC subsystem
// provides the sink and the wiring installs it, so deciding what to say never depends on how
// it is said.
#pragma once

#include <string>

namespace fc {

class App;

class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void stuurMSG(const std::string& target, const std::string& message) = 0;
};

// Says a line to `target` through the App's sink; nothing when no sink is installed.
void stuurMSG(App& app, const std::string& target, const std::string& message);

}  // namespace fc
