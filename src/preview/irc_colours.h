// The sixteen IRC colours as the preview shows them, by colour number.
#pragma once

#include <cstdint>

namespace fc {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kIrcColours[16] = {
    {255, 255, 255}, {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {255, 0, 0},   {128, 0, 0},
    {156, 0, 156},   {252, 127, 0}, {255, 255, 0},   {0, 255, 0},     {0, 128, 128}, {0, 255, 255},
    {0, 0, 255},     {255, 0, 255}, {128, 128, 128}, {192, 192, 192},
};

}  // namespace fc
