// Puts the window program into a state worth a screenshot and takes it: the demo bank open on a
// chosen page with its first record selected, optionally with the SD card assistant in front.
// The picture is composed from what each window paints, placed where it is on the screen, so it
// does not depend on the X server keeping every window's pixels. scripts/screenshot.sh runs it.
//
//   ovb-demo-stage FILE PAGE OUT.png [sdcard]      PAGE: the index of the page (5 = Sounds)
#include "ui/CommandWiring.h"
#include "ui/Mainform.h"
#include "ui/Startup.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

namespace {

// The screen as the user sees it: every visible window, the active modal one last.
void SaveScreen(const QString& out) {
    QScreen* screen = QGuiApplication::primaryScreen();
    QImage image(screen->geometry().size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QWidget* modal = QApplication::activeModalWidget();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window != modal)
            painter.drawPixmap(window->pos(), window->grab());
    if (modal) painter.drawPixmap(modal->pos(), modal->grab());
    painter.end();
    image.save(out);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    ovb::StartupOptions options;
    options.instanceName = "OrvelantaScreenStage_mutex"; // never the running editor's
    const QString file = args.value(1);
    const int page = args.value(2).toInt();
    const QString out = args.value(3);
    const bool sdCard = args.value(4) == "sdcard";
    options.onShown = [=](ovb::TForm1& form) {
        // The loader's message is answered; every other dialog shows as it would.
        form.jobServices().setDialogRunner([](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog)) return box->accept();
            dialog.exec();
        });
        form.openFile(file);
        form.jobServices().setDialogRunner({});
        form.showSound(1);
        form.showMultisample(1);
        form.pageControl()->setCurrentIndex(page);
        QTimer::singleShot(1500, &form, [out] {
            SaveScreen(out);
            QApplication::exit(0);
        });
        if (sdCard) form.command(ovb::Command::OpenSdCard)->trigger();
    };
    return ovb::RunEditor(app, options);
}
