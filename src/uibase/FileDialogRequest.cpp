#include "uibase/FileDialogRequest.h"

namespace ovb {

QString DialogFilter(const char* windowsFilter) {
    QString text = QString::fromUtf8(windowsFilter);
    QString description = text.section('|', 0, 0);
    QString pattern = text.section('|', 1, 1);
    // Qt matches patterns case-sensitively on some systems: offer both spellings.
    QString both = pattern.toLower() + ' ' + pattern.toUpper();
    return description.section('(', 0, 0) + "(" + both + ")";
}

} // namespace ovb
