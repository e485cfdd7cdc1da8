// The bank manager's window program. An optional argument names a script or bank file to open.
#include "ui/Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ovb::StartupOptions options;
    options.file = app.arguments().value(1);
    return ovb::RunEditor(app, options);
}
