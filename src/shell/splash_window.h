// The small window shown while the program starts ("Fragcaster"): a picture with the
// version under it, above all other windows. A click on it ends it at once.
#pragma once

#include <QWidget>

class QLabel;

namespace fc {

class App;

class SplashWindow : public QWidget {
public:
    explicit SplashWindow(App& app);

    void refresh();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    App& app_;
    QLabel* pictureLabel_ = nullptr;
    QLabel* versionLabel_ = nullptr;
};

// The program's picture, drawn rather than shipped: the splash picture and the icon of the
// window and the tray.
QPixmap programPicture(int width, int height);

}  // namespace fc
