#pragma once
// The program's start: one copy only, the start screen while the main window is built, the search
// window made hidden, then the event loop until the main window closes.
#include "ui/SingleInstance.h"

#include <QString>

#include <functional>

class QApplication;

namespace ovb {

class TForm1;

struct StartupOptions {
    QString file; // a script or bank file to open once the window is up; empty: none
    QString instanceName = kInstanceName;
    QString lockFolder; // empty: the temporary folder
    // Called once the main window is shown and has been painted (start-up timing).
    std::function<void(TForm1&)> onShown;
};

// Returns the exit code: 1 when another copy is running.
int RunEditor(QApplication& app, const StartupOptions& options = {});

} // namespace ovb
