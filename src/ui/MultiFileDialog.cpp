#include "ui/MultiFileDialog.h"

#include "uibase/FileDialogRequest.h"

namespace ovb {

namespace {

QStringList PlatformDialog(QWidget* parent, const FileDialogRequest& request) {
    return PlatformFileDialog(parent, request, true);
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
