#pragma once
// The folder chooser of the export and path tools: a drive list, a folder tree, a label with
// the chosen folder, a confirm button captioned by the caller and Cancel. Only one can be open.
#include <QDialog>

#include <functional>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace ovb {

// Results of the small modal windows: the confirming button and Cancel.
constexpr int kModalConfirm = 6;
constexpr int kModalCancel = 2;

class TSellectDyrectoryForm : public QDialog {
    Q_OBJECT
  public:
    TSellectDyrectoryForm(const QString& caption, const QString& confirm,
                          QWidget* parent = nullptr);

    // The folder the label shows.
    QString directory() const;
    void setDirectory(const QString& folder);

    QComboBox* drives() const { return drives_; }
    QTreeView* tree() const { return tree_; }
    QPushButton* confirmButton() const { return confirm_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    QComboBox* drives_ = nullptr;
    QTreeView* tree_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QLabel* chosen_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Asks for a folder; kModalConfirm with the folder in chosen, else kModalCancel. A request while
// a chooser is open returns kModalCancel at once.
int SelectDirectory(QWidget* parent, const QString& caption, const QString& confirm,
                    QString& chosen);

// Stands in for the window when set: tests answer here to run the real commands with a chosen
// folder. Called with the caption and confirm text; returns the result like the window.
using DirectoryChooser =
    std::function<int(const QString& caption, const QString& confirm, QString& chosen)>;
DirectoryChooser& DirectoryChooserHook();

} // namespace ovb
