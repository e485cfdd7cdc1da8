#pragma once
// The main window: owns the edited bank and the sound manager's bank for the whole run, starts
// every file command and keeps its caption and views in step with the bank.
#include "bank/Acc_bank_structure.h"
#include "ui/QtJobServices.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QPlainTextEdit;

namespace ovb {

inline constexpr const char* kTitlePrefix = "Orvelanta Sampler Bank Manager - Version: 0.81 / ";

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    as_bank& bank() { return *bank_; }
    as_bank& managerBank() { return *managerBank_; }
    const std::string& currentFileName() const { return current_file_name_; }
    QtJobServices& jobServices() { return ui_; }

    // Opens a script (.ovs) or bank (.ovb) file as the open commands do.
    void openFile(const QString& path);
    // Brings every view up to date from the bank; flags name the parts that changed (-1: all).
    void RefreshViews(int flags = -1);

  private:
    void buildMenus();
    void ClearAll1Click();
    void OpenScript1Click();
    void SaveScript1Click();
    void OpenBank1Click();
    void SaveBank1Click();
    void ExportText1Click();
    void CalculateSize1Click();
    void ReformToBank1Click();

    QtJobServices ui_;
    std::unique_ptr<as_bank> bank_;
    std::unique_ptr<as_bank> managerBank_;
    std::string current_file_name_;
    QPlainTextEdit* summary_ = nullptr;
};

// "Zerwintal Orvelanta Sampler SCRIPT file (*.ovs)|*.OVS" as a Qt file dialog filter.
QString DialogFilter(const char* windowsFilter);

} // namespace ovb
