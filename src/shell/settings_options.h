// The Options tab's settings controls: "Check for updates at startup.", "Check for update
// now." and "Save now!".
#pragma once

#include <QWidget>

class QCheckBox;

namespace fc {

class App;
class App;

class SettingsOptions : public QWidget {
public:
    SettingsOptions(App& app, QWidget* parent);

    void refresh(const App& app);

private:
    QCheckBox* checkForUpdateBox_ = nullptr;
};

}  // namespace fc
