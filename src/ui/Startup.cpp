#include "ui/Startup.h"

#include "assistants/Searchform.h"
#include "ui/Mainform.h"
#include "ui/Startscreen.h"
#include "uibase/UiSettings.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <utility>

#include <cstdio>

namespace ovb {

namespace {

// A file handed over by a later start opens when the window is idle: never in the middle of a
// job or a dialog, whose bank would change under it. The window comes to the front at once.
class HandedFiles : public QObject {
  public:
    explicit HandedFiles(TForm1& form) : form_(form) {
        retry_.setInterval(100);
        connect(&retry_, &QTimer::timeout, this, &HandedFiles::openWhenIdle);
    }

    void take(const QString& path) {
        pending_ = path; // one bank at a time: the latest file wins
        if (form_.isMinimized()) form_.showNormal();
        form_.raise();
        form_.activateWindow();
        retry_.start();
    }

  private:
    bool busy() const {
        return QThread::currentThread()->loopLevel() > 1 || QApplication::activeModalWidget() ||
               QApplication::activePopupWidget() || form_.jobServices().busy();
    }

    void openWhenIdle() {
        if (busy()) return;
        retry_.stop();
        form_.openFile(std::exchange(pending_, QString()));
    }

    TForm1& form_;
    QString pending_;
    QTimer retry_;
};

constexpr QSize kMainWindowSize(1180, 720); // on a screen large enough

} // namespace

QString FileArgument(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments[1].isEmpty()) return {};
    const QString& argument = arguments[1];
    const QUrl url(argument);
    const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
    return QFileInfo(path).absoluteFilePath();
}

int RunEditor(QApplication& app, const StartupOptions& options) {
    SingleInstance instance(options.instanceName, options.lockFolder);
    if (!instance.tryAcquire()) {
        // Still one window: the running copy opens the file.
        if (!options.file.isEmpty() && instance.handOver(options.file)) return 0;
        QMessageBox::warning(nullptr, "Info", kAlreadyRunning);
        return 1;
    }
    std::vector<std::string> problems;
    SetPathSettings(RunPathSettings(options.paths, problems));
    for (const std::string& problem : problems)
        std::fprintf(stderr, "orvelanta-bank-manager: %s\n", problem.c_str());
    ShowStartScreen();
    SetStartProgress(1);
    TForm1 form(nullptr, SetStartProgress);
    form.setSearchAssistant(new TSearchForm(form, &form));
    HideStartScreen();
    RestoreWindowPlace(form, kMainWindowSize);
    form.show();
    HandedFiles handed(form);
    QObject::connect(&instance, &SingleInstance::fileHandedOver, &handed, &HandedFiles::take);
    instance.listen();
    if (options.onShown) QTimer::singleShot(0, &form, [&] { options.onShown(form); });
    if (!options.file.isEmpty()) form.openFile(options.file);
    const int code = app.exec();
    SaveWindowPlace(form);
    return code;
}

} // namespace ovb
