// The program's pictures: its icon (the drawing shipped as SVG, also the desktop entry's) and
// the two pictures of the stay-on-top button.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace fc {

// The icon of the window and the tray; the drawn splash picture where SVG cannot be read.
QIcon programIcon();

// A pin lying down while the window is not on top, standing and filled while it is.
QPixmap stayOnTopPicture(bool onTop);

}  // namespace fc
