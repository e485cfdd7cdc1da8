// The bank manager's window program. An optional argument names a script or bank file to open.
#include "ui/Mainform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ovb::TForm1 form;
    form.show();
    const QStringList args = app.arguments();
    if (args.size() > 1) form.openFile(args[1]);
    return app.exec();
}
