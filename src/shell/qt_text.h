// Text crosses into Qt only here. The logic's text is bytes; the window shows each byte as the
// Latin-1 character of that code, which is how the game servers' 8-bit names were meant.
#pragma once

#include <QString>
#include <string>

namespace fc {

QString display(const std::string& bytes);
std::string fromDisplay(const QString& text);

}  // namespace fc
