#include "uibase/GuardedApplication.h"

#include <QMessageBox>

#include <exception>

namespace ovb {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {
    showError = [](const QString& text) {
        QMessageBox::critical(QApplication::activeWindow(), "Error", text);
    };
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showError("Unknown error");
    }
    return false;
}

} // namespace ovb
