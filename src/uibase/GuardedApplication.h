#pragma once
// The window program's application object, with the barrier ovbank has around its commands: an
// exception that escapes a slot or an event handler is shown in an error box, and the program
// goes on with the bank the user is editing, instead of ending without a word.
#include <QApplication>
#include <QString>

#include <functional>

namespace ovb {

class GuardedApplication : public QApplication {
  public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the text of an escaped exception; the default is a critical "Error" box over the
    // active window. Tests replace it to see what the user would read.
    std::function<void(const QString& text)> showError;
};

} // namespace ovb
