#pragma once
// Job services of the GUI: message boxes, the shared progress window and the shared report
// window. Everything runs in the GUI thread; a job lets the windows repaint through the calls
// below and processEvents() between its steps.
#include "job/JobServices.h"
#include "uibase/Progresform.h"
#include "uibase/Reportform.h"

#include <QElapsedTimer>
#include <QPointer>

#include <functional>

class QDialog;

namespace ovb {

class QtJobServices : public JobServices {
  public:
    // Runs a modal dialog (a message box or the report) and returns when it is closed. The
    // default is QDialog::exec(); tests and headless runs answer the dialog instead.
    using DialogRunner = std::function<void(QDialog&)>;

    // parent: the window that dialogs and the progress window belong to and are centred on.
    explicit QtJobServices(QWidget* parent = nullptr);
    ~QtJobServices() override;
    QtJobServices(const QtJobServices&) = delete;
    QtJobServices& operator=(const QtJobServices&) = delete;

    void message(std::string_view caption, std::string_view text) override;
    Answer ask(std::string_view caption, std::string_view text, Buttons buttons,
               AskPurpose purpose = AskPurpose::Destructive) override;

    void ShowProgress(char kind, bool* cancel = nullptr) override;
    void SetProgressText(std::string_view text) override;
    void SetProgressDetail(std::string_view text) override;
    void SetProgressPercent(unsigned percent) override;
    void HideProgress() override;

    void ShowReport(std::string_view caption, const std::vector<std::string>& lines) override;
    void CloseReport() override;

    void processEvents() override;

    // An empty runner restores QDialog::exec().
    void setDialogRunner(DialogRunner runner);

    // True while a job runs: its progress window is up, or it is letting events run or waiting
    // for its dialog. Whatever arrives from outside meanwhile must wait until it is done.
    bool busy() const { return progress_ || depth_ > 0; }

    // The windows while they exist, else null.
    TProgressForm* progressForm() const { return progress_; }
    TFormReport* reportForm() const { return report_; }

  private:
    void runDialog(QDialog& dialog);
    QWidget* dialogParent() const;
    void repaintProgress();
    TFormReport* createReport(const QString& caption, const QStringList& lines);

    QPointer<QWidget> parent_;
    QPointer<TProgressForm> progress_;
    QPointer<TFormReport> report_;
    DialogRunner runner_;
    int depth_ = 0;
    QElapsedTimer painted_; // the last pass that painted the progress window
    QElapsedTimer handled_; // the last pass over the pending events
};

} // namespace ovb
