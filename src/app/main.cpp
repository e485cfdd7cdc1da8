// The bank manager's window program. An optional argument names a script or bank file to open, as
// a path or a file:// URL (the desktop's way).
#include "ui/AppIcon.h"
#include "ui/Startup.h"
#include "uibase/GuardedApplication.h"

int main(int argc, char** argv) {
    ovb::GuardedApplication app(argc, argv);
    // The desktop entry's name: the desktop matches the window to its entry and icon by it.
    QGuiApplication::setDesktopFileName("com.zerwintal.OrvelantaBankManager");
    QApplication::setWindowIcon(ovb::AppIcon());
    ovb::StartupOptions options;
    options.file = ovb::FileArgument(app.arguments());
    return ovb::RunEditor(app, options);
}
