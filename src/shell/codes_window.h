// The codes help window "Form4": the template codes and editing keys beside a chart of the IRC
// colours. It stays above all windows, sits beside the main window each time it comes up (so
// that the tabs stay in view), draws its own border, and is dragged by its code list. Made
// once, then only shown and hidden.
#pragma once

#include <QWidget>

namespace fc {

class App;

class CodesWindow : public QWidget {
public:
    CodesWindow(App& app, QWidget* mainWindow);

    // Level with the main window's top, right of it where the screen has room, else left of it.
    void placeBesideMainWindow();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    App& app_;
    QWidget* mainWindow_;
};

// The sixteen IRC colours, each cell with its number.
QPixmap colourChart();

}  // namespace fc
