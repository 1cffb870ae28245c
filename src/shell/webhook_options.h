// The Options tab's webhook row (advanced mode): the chat room's webhook address, typed unseen
// since it holds the room's secret, and its format.
#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace fc {

class App;

class WebhookOptions : public QWidget {
public:
    WebhookOptions(App& app, QWidget* parent);

    void refresh(const App& app);

private:
    QLineEdit* url_ = nullptr;
    QComboBox* format_ = nullptr;
};

}  // namespace fc
