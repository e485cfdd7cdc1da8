#include "uibase/FileDialogRequest.h"

#include "uibase/UiSettings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace ovb {

QString DialogFilter(const char* windowsFilter) {
    QString text = QString::fromUtf8(windowsFilter);
    QString description = text.section('|', 0, 0);
    QString pattern = text.section('|', 1, 1);
    // Qt matches patterns case-sensitively on some systems: offer both spellings.
    QString both = pattern.toLower() + ' ' + pattern.toUpper();
    return description.section('(', 0, 0) + "(" + both + ")";
}

QString WithFilterExtension(const QString& file, const QString& filter) {
    static const QRegularExpression firstPattern(R"(\(\*(\.[^ ;)*]+))");
    const QRegularExpressionMatch match = firstPattern.match(filter);
    if (file.isEmpty() || !match.hasMatch() || QFileInfo(file).fileName().contains('.'))
        return file;
    return file + match.captured(1);
}

QStringList PlatformFileDialog(QWidget* parent, const FileDialogRequest& request, bool several) {
    const QString folder = request.folder.isEmpty() ? LastFolder() : request.folder;
    // The commands ask their own overwrite questions; the dialog must not ask a second time.
    const auto options = QFileDialog::DontConfirmOverwrite;
    QStringList chosen;
    if (request.save)
        chosen << QFileDialog::getSaveFileName(parent, request.title, folder, request.filter,
                                               nullptr, options);
    else if (several)
        chosen = QFileDialog::getOpenFileNames(parent, request.title, folder, request.filter);
    else
        chosen << QFileDialog::getOpenFileName(parent, request.title, folder, request.filter,
                                               nullptr, options);
    chosen.removeAll(QString());
    if (!chosen.isEmpty()) RememberFolderOf(chosen.front());
    return chosen;
}

} // namespace ovb
