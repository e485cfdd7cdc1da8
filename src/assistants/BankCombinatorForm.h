#pragma once
// The bank combinator assistant: choose bank B, see where each of its named records will land in
// the edited bank, and combine. The combination is one change of the edited bank, undone as one
// step. The plan and the copy are the core's (tools/BankMerge); this window only shows them.
#include "tools/BankMerge.h"
#include "uibase/EditorHost.h"
#include "uibase/FileDialogRequest.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ovb {

class BankCombinatorForm : public QDialog {
    Q_OBJECT
  public:
    explicit BankCombinatorForm(EditorHost& host, QWidget* parent = nullptr);
    ~BankCombinatorForm() override;

    // Asks for bank B's file; an empty answer means Cancel. The default shows the platform's
    // dialog; the main window passes its own, tests answer here.
    std::function<QString(const FileDialogRequest&)> fileDialog;

    void ChooseBankClick();
    void CombineClick();

    // Whether the edited bank took bank B's records since the window opened.
    bool combined() const { return combined_; }

  private:
    void showPlan();

    EditorHost& host_;
    std::unique_ptr<as_bank> bankB_;
    std::optional<MergePlan> plan_;
    bool combined_ = false;

    QLineEdit* BankName;
    QPushButton* ChooseButton;
    QListWidget* PlanList;
    QLabel* Summary;
    QPushButton* CombineButton;
};

} // namespace ovb
