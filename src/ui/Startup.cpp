#include "ui/Startup.h"

#include "assistants/Searchform.h"
#include "ui/Mainform.h"
#include "ui/Startscreen.h"
#include "uibase/CentreWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace ovb {

int RunEditor(QApplication& app, const StartupOptions& options) {
    SingleInstance instance(options.instanceName, options.lockFolder);
    if (!instance.tryAcquire()) {
        QMessageBox::warning(nullptr, "Info", kAlreadyRunning);
        return 1;
    }
    ShowStartScreen();
    SetStartProgress(1);
    TForm1 form(nullptr, SetStartProgress);
    form.setSearchAssistant(new TSearchForm(form, &form));
    HideStartScreen();
    CentreWindow(form);
    form.show();
    if (options.onShown) QTimer::singleShot(0, &form, [&] { options.onShown(form); });
    if (!options.file.isEmpty()) form.openFile(options.file);
    return app.exec();
}

} // namespace ovb
