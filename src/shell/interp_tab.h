// The "Interp" tab (advanced mode): what the Interp service told about itself, where the two
// flags are, the raw feed, which events are reported, and the requests to the service.
#pragma once

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "core/interp_state.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace fc {

class App;
class App;

class InterpTab : public QWidget {
public:
    explicit InterpTab(App& app, QWidget* parent = nullptr);
    void refresh(const App& app);

private:
    QWidget* buildInfo();
    QWidget* buildSwitches();
    QWidget* buildButtons();

    App& app_;
    std::vector<std::pair<QLabel*, std::string InterpState::*>> labels_;
    std::vector<std::pair<QCheckBox*, bool InterpState::*>> switches_;
    QPlainTextEdit* interpOutputView_ = nullptr;
};

}  // namespace fc
