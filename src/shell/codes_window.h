// The codes help window "Form4": the template codes and editing keys beside a chart of the IRC
// colours. It stays above all windows, sits centred over the main window each time it comes
// up, and is dragged by its code list. Made once, then only shown and hidden.
#pragma once

#include <QWidget>

namespace fc {

class App;

class CodesWindow : public QWidget {
public:
    CodesWindow(App& app, QWidget* mainWindow);

    // Centred on the main window, a sixth of an inch below its top edge.
    void placeOverMainWindow();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    App& app_;
    QWidget* mainWindow_;
};

// The sixteen IRC colours, each cell with its number.
QPixmap colourChart();

}  // namespace fc
