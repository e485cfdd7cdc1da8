#pragma once
// The SD card write assistant: four numbered steps (the bank file with its companions, the
// module's system files, MP3 files, the card) and the write. A window per use, shown modally. The
// lists, checks and copy are the core's (tools/SdCard*); this window only shows them.
#include "tools/SdCardPlan.h"
#include "tools/SdCardVolume.h"
#include "uibase/FileDialogRequest.h"
#include "uibase/QtJobServices.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ovb {

class SDCardCopyForm : public QDialog {
    Q_OBJECT
  public:
    explicit SDCardCopyForm(QWidget* parent = nullptr);

    // Every file dialog asks through this; multiple: more than one file may be chosen. An empty
    // list means Cancel. The default shows the platform's dialog; tests answer here.
    std::function<QStringList(const FileDialogRequest&, bool multiple)> fileDialog;

    QtJobServices& jobServices() { return ui_; }
    const CardPlan& plan() const { return plan_; }
    const CardVolume& volume() const { return volume_; }

    void SellectBankClick();
    void SellectOsClick();
    void SellectMp3Click();
    void OsCheckClick();
    void Mp3CheckClick();
    void DriveChange();
    void StartWriteClick();

  private:
    void buildControls();
    QStringList runFileDialog(const FileDialogRequest& request, bool multiple);
    void chooseFiles(const char* title, const QString& filter, FileChoice& choice);
    void updateSteps();
    void showDrive();
    std::filesystem::path chosenRoot() const;

    QtJobServices ui_;
    CardPlan plan_;
    CardVolume volume_;

    QLabel* icons_[4] = {};
    QPushButton* BankButton;
    QListWidget* BankList;
    QLineEdit* BankTotal;
    QCheckBox* OsCheck;
    QPushButton* OsButton;
    QListWidget* OsList;
    QLineEdit* OsTotal;
    QCheckBox* Mp3Check;
    QPushButton* Mp3Button;
    QListWidget* Mp3List;
    QLineEdit* Mp3Total;
    QComboBox* DriveBox;
    QLabel* DriveName;
    QLineEdit* DriveFileSystem;
    QLineEdit* DriveTotal;
    QLineEdit* DriveFree;
    QPushButton* WriteButton;
};

// "Mp3 files and MP3_LIST.TXT file|*.Mp3;MP3_LIST.TXT" as a Qt filter, every pattern offered in
// its own, lower and upper case.
QString MultiPatternFilter(const char* windowsFilter);

} // namespace ovb
