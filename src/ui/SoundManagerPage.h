#pragma once
// The "Sound Manager" page: the edited bank's sounds (left) beside the sounds of a second bank
// (right), which is loaded from a script or bank file. The buttons between them copy the right
// grid's sound onto the left grid's, bringing the multisamples it plays.
#include "bank/Acc_bank_structure.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTableView;

namespace ovb {

class EditorHost;
class NameTableModel;
class RecordGrid;
class RecordGridModel;
class SoundCopier;

class SoundManagerPage : public QWidget {
    Q_OBJECT
  public:
    // manager: the second bank, owned by the main window like the edited bank.
    SoundManagerPage(EditorHost& host, as_bank& manager, QWidget* parent = nullptr);
    ~SoundManagerPage() override;

    // The edited bank's current sound (left grid) and the manager bank's (right grid).
    int leftSound() const;
    void selectLeftSound(int sound);
    int managerSound() const;
    void selectManagerSound(int sound);
    // Bit 0x2: the left grid's names; bit 0x20: the right grid's.
    void refresh(int flags);

    RecordGrid* leftGrid() const { return left_; }
    QTableView* rightGrid() const { return right_; }
    QComboBox* placementList() const { return placement_; }
    QPushButton* executeButton() const { return execute_; }
    QPushButton* oneDownButton() const { return oneDown_; }
    QPushButton* xDownButton() const { return xDown_; }
    QSpinBox* countField() const { return count_; }

    // The open dialogs ask through this (title, filter as "description|pattern"); an empty
    // answer is Cancel. The default shows the platform's file dialog; the main window routes it
    // through its own file dialog hook.
    std::function<QString(const QString& title, const char* filter)> openDialog;
    // The multisample page's current multisample, where "From curent MS position" starts.
    std::function<int()> currentMultisample;

  private:
    void buildMenu();
    QWidget* buildControls();
    SoundCopier makeCopier();
    void showSounds(int edited, int manager);
    void execute();
    void executeOneDown();
    void executeXDown();
    void clearManager();
    void loadManager(bool bankFile);

    EditorHost& host_;
    as_bank& manager_;
    RecordGridModel* leftModel_;
    NameTableModel* rightModel_;
    RecordGrid* left_;
    QTableView* right_;
    QComboBox* placement_ = nullptr;
    QPushButton* execute_ = nullptr;
    QPushButton* oneDown_ = nullptr;
    QPushButton* xDown_ = nullptr;
    QSpinBox* count_ = nullptr;
};

} // namespace ovb
