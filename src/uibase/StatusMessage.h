#pragma once
// A short note in the status bar of the main window that holds a widget: what a command has done,
// or why a key was refused. Nothing is shown where no main window holds the widget.
#include <QString>

class QWidget;

namespace ovb {

void ShowStatus(const QWidget* inside, const QString& text);

} // namespace ovb
