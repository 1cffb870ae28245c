// What the IRC connection keeps between two receive events besides the window's fields.
#pragma once

#include <cstdint>
#include <string>

namespace fc {

struct IrcSession {
    // The start of a line whose end has not arrived yet; the next read completes it.
    std::string partialLine;
    // A line grew too long and was dropped; its rest is passed over up to its end.
    bool skippingLongLine = false;
    // The team scores as numbers, taken from the score fields at every receive event: the
    // first and second number of the red and of the blue field.
    std::int16_t red1 = 0;
    std::int16_t red2 = 0;
    std::int16_t blue1 = 0;
    std::int16_t blue2 = 0;
};

}  // namespace fc
