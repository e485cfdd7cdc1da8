#pragma once
// Choosing several existing files in one open dialog. Every command that takes a group of files
// asks through one replaceable hook, so that a test runs the real command with files it chose.
#include <QStringList>

#include <functional>

class QWidget;

namespace ovb {

struct FileDialogRequest;

// Answers with the chosen files; an empty list means Cancel.
using MultiFileDialog = std::function<QStringList(QWidget* parent, const FileDialogRequest&)>;

// The hook the commands ask through. It starts as the platform's open dialog with multiple
// selection; assigning another function replaces it for the rest of the run.
MultiFileDialog& multiFileDialog();

QStringList ChooseFiles(QWidget* parent, const FileDialogRequest& request);

} // namespace ovb
