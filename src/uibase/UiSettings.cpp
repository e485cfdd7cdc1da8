#include "uibase/UiSettings.h"

#include "uibase/CentreWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace ovb {

namespace {

constexpr char kGeometryKey[] = "MainWindow/geometry";
constexpr char kFolderKey[] = "FileDialogs/lastFolder";

QSettings Settings() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QSettings(folder + "/orvelanta-bank-manager/window.ini", QSettings::IniFormat);
}

} // namespace

void RestoreWindowPlace(QWidget& window, QSize preferred) {
    const QByteArray saved = Settings().value(kGeometryKey).toByteArray();
    // Qt brings a place on a screen that is gone back to one that is there.
    if (!saved.isEmpty() && window.restoreGeometry(saved)) return KeepOnScreen(window);
    window.resize(preferred.expandedTo(window.minimumSizeHint()));
    CentreWindow(window);
}

void SaveWindowPlace(const QWidget& window) {
    Settings().setValue(kGeometryKey, window.saveGeometry());
}

QString LastFolder() {
    const QString folder = Settings().value(kFolderKey).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberFolderOf(const QString& file) {
    if (file.isEmpty()) return;
    Settings().setValue(kFolderKey, QFileInfo(file).absolutePath());
}

} // namespace ovb
