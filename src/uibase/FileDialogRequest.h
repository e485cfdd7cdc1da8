#pragma once
// What a file command asks the user for, and the filter texts its dialog shows.
#include <QString>

namespace ovb {

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString filter; // Qt form, see DialogFilter
};

// "Zerwintal Orvelanta Sampler SCRIPT file (*.ovs)|*.OVS" as a Qt file dialog filter.
QString DialogFilter(const char* windowsFilter);

} // namespace ovb
