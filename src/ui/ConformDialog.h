#pragma once
// Where conformed WAV files go: beside the originals with a suffix, or into a mirror folder tree.
#include "tools/Conform.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLineEdit;
class QRadioButton;

namespace ovb {

class ConformDestinationDialog : public QDialog {
  public:
    explicit ConformDestinationDialog(QWidget* parent = nullptr);

    // What the user chose; the folder of a mirror must not be empty and a suffix holds no folder
    // separator (the OK button stays off until then).
    ConformOptions options() const;
    bool acceptable() const;

    QRadioButton* besideButton() const { return beside_; }
    QRadioButton* mirrorButton() const { return mirror_; }
    QLineEdit* suffixEdit() const { return suffix_; }
    QLineEdit* folderEdit() const { return folder_; }

  private:
    void update();

    QRadioButton* beside_;
    QRadioButton* mirror_;
    QLineEdit* suffix_;
    QLineEdit* folder_;
    QWidget* ok_;
};

// Asks for the destination; nullopt when the user cancelled. Replaceable: tests answer here.
using ConformDestinationAsk = std::function<std::optional<ConformOptions>(QWidget* parent)>;
ConformDestinationAsk& ConformDestinationHook();

} // namespace ovb
