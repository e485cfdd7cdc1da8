#include "ui/MultiFileDialog.h"

#include "ui/Mainform.h"

#include <QFileDialog>

namespace ovb {

namespace {

QStringList PlatformDialog(QWidget* parent, const FileDialogRequest& request) {
    return QFileDialog::getOpenFileNames(parent, request.title, {}, request.filter);
}

} // namespace

MultiFileDialog& multiFileDialog() {
    static MultiFileDialog hook = PlatformDialog;
    return hook;
}

QStringList ChooseFiles(QWidget* parent, const FileDialogRequest& request) {
    return multiFileDialog() ? multiFileDialog()(parent, request) : QStringList();
}

} // namespace ovb
