// The fixed pages of the main window: what the program is, and how each tab is used.
#pragma once

class QWidget;

namespace fc {

QWidget* BuildAboutPage(QWidget* parent);
QWidget* BuildHelpPage(QWidget* parent);

}  // namespace fc
