// The "+" and "-" buttons that go beside the IRC server field.
#pragma once

#include <QWidget>

namespace fc {

class App;

class IrcServerButtons : public QWidget {
public:
    IrcServerButtons(App& app, QWidget* parent);
};

}  // namespace fc
