#pragma once
// Settings > "Sample Drives and Code Page...": where each drive letter of the bank's paths lies on
// this computer, with how many of its files are found, and the code page the paths were written
// in, shown on one of the bank's own paths.
#include "job/PathSettings.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace ovb {

class as_bank;

class SampleDrivesDialog : public QDialog {
    Q_OBJECT
  public:
    SampleDrivesDialog(const as_bank& bank, const PathSettings& settings,
                       QWidget* parent = nullptr);

    // The choices as they stand: folders left empty name no drive.
    PathSettings settings() const;

    // The folder field of a drive letter (upper case); null when the dialog has no row for it.
    QLineEdit* folderField(char drive) const;
    QComboBox* codePageBox() const { return codePage_; }
    QTableWidget* table() const { return table_; }
    QLabel* sample() const { return sample_; }

    // Counts the files found and missing on each drive again, with the choices as they stand.
    void recount();

    void accept() override; // refuses a code page iconv does not know

  private:
    void addRow(char drive, const QString& folder);
    void chooseFolder(char drive);
    void showSample();
    std::string codePage() const;

    const as_bank& bank_;
    QTableWidget* table_ = nullptr;
    QComboBox* codePage_ = nullptr;
    QLabel* sample_ = nullptr;
    std::string samplePath_;
};

// Shows the dialog modally and returns its result; tests replace it to fill the dialog in.
using SampleDrivesRunner = std::function<int(SampleDrivesDialog&)>;
SampleDrivesRunner& SampleDrivesRunnerHook();

} // namespace ovb
