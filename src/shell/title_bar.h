// The main window's own title bar, in place of the desktop's frame: the title and two pictures
// that drag the window, and from the right the close, minimise and stay-on-top buttons. It
// also holds the hidden "Unselect" button that takes the focus after a click.
#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace fc {

class App;
class App;

class TitleBar : public QWidget {
public:
    TitleBar(App& app, QWidget* window);

    void refresh(const App& app);

private:
    App& app_;
    QWidget* window_;
    QLabel* titleLabel_ = nullptr;
    QToolButton* stayOnTopButton_ = nullptr;
};

// Gives the keyboard focus to the window's hidden "Unselect" button, so no button keeps it.
void unfocus(QWidget* inWindow);

// Whether the window system lets a window stay above the others (Wayland does not).
bool stayOnTopSupported();

// Closing from the title bar: the window goes out of sight, then the server browser and the
// splash window if they are shown, then the close request that runs the shut-down.
void closeInOrder(App& app, QWidget* window);

}  // namespace fc
