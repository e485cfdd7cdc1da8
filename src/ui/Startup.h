#pragma once
// The program's start: one copy only, the start screen while the main window is built, the search
// window made hidden, then the event loop until the main window closes. A later start with a file
// hands it to the running copy, which opens it.
#include "job/PathSettings.h"
#include "ui/SingleInstance.h"

#include <QString>
#include <QStringList>

#include <functional>

class QApplication;

namespace ovb {

class TForm1;

struct StartupOptions {
    QString file;       // a script or bank file to open once the window is up; empty: none
    PathSettings paths; // --map and --codepage, over the settings file
    QString instanceName = kInstanceName;
    QString lockFolder; // empty: the user's runtime folder
    // Called once the main window is shown and has been painted (start-up timing).
    std::function<void(TForm1&)> onShown;
};

// The file named by the program's arguments (the first after the program), given as a path or as
// a file:// URL, made absolute. Empty when none is named.
QString FileArgument(const QStringList& arguments);

// Returns the exit code: 1 when another copy is running and no file was handed to it.
int RunEditor(QApplication& app, const StartupOptions& options = {});

} // namespace ovb
