#pragma once
// What the window program remembers between runs: where its main window was and how large, and
// the folder of the file last chosen in a file dialog. Kept in window.ini in the program's folder
// of the user's configuration (XDG), apart from the sample path settings.
#include <QSize>
#include <QString>

class QWidget;

namespace ovb {

// Puts the main window where it was last time when that place is still on a screen; else gives
// it the preferred size, made to fit the screen's available area, centred there.
void RestoreWindowPlace(QWidget& window, QSize preferred);
void SaveWindowPlace(const QWidget& window);

// The folder of the last file chosen (empty when none yet), and remembering a new one.
QString LastFolder();
void RememberFolderOf(const QString& file);

} // namespace ovb
