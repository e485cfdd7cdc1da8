#pragma once
// What a file command asks the user for, the filter texts its dialog shows, and the platform's
// file dialog that answers it.
#include <QString>
#include <QStringList>

class QWidget;

namespace ovb {

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString filter; // Qt form, see DialogFilter
    QString folder = {}; // where the dialog opens; empty: the folder of the file chosen last
};

// "Zerwintal Orvelanta Sampler SCRIPT file (*.ovs)|*.OVS" as a Qt file dialog filter.
QString DialogFilter(const char* windowsFilter);

// A name typed without an extension gets the one of the filter's first pattern, so that the
// file is found again by the open dialog: "MyDemo" and "... (*.ovs *.OVS)" give "MyDemo.ovs".
QString WithFilterExtension(const QString& file, const QString& filter);

// The platform's dialog: one file to save or open, or several to open. It opens in
// request.folder, else in the folder of the file chosen last, and remembers the folder of what
// is chosen (UiSettings.h). An empty list means Cancel.
QStringList PlatformFileDialog(QWidget* parent, const FileDialogRequest& request, bool several);

} // namespace ovb
