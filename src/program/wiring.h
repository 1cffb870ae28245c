// Which timer and which socket event calls which handler: the one place where the subsystems
// are connected to the App's timers and sockets. The program and the tests use it alike.
#pragma once

#include "core/app.h"
#include "program/timeline_feed.h"

namespace fc {

// Connects every timer and socket of the App to its handler and installs the channel's sink.
void wire(App& app);

// An App wired at construction, as the program runs it.
class WiredApp : public App {
public:
    explicit WiredApp(Platform& platform) : App(platform) {
        wire(*this);
        wireTimeline(*this, timeline);
    }
    TimelineFeed timeline;  // the game followed as a picture's data
};

}  // namespace fc
