#pragma once
// Drives the main window as a user does: menu commands, file dialogs answered with a chosen path,
// message boxes answered with a chosen button.
#include "GuiTestSupport.h"
#include "ui/Mainform.h"
#include "uibase/Reportform.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPlainTextEdit>

#include <filesystem>
#include <memory>

namespace ovb::test {

// Every message box and report shown, as "Caption: text"; each box is answered with `answer` when
// it offers it, else with OK.
struct BoxLog {
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    QStringList seen;
};

inline std::shared_ptr<BoxLog> AnswerBoxes(TForm1& form,
                                           QMessageBox::StandardButton answer = QMessageBox::Yes) {
    auto log = std::make_shared<BoxLog>(BoxLog{answer, {}});
    form.jobServices().setDialogRunner([log](QDialog& dialog) {
        if (auto* report = qobject_cast<TFormReport*>(&dialog)) {
            log->seen << report->windowTitle() + ": " + report->textBox()->toPlainText();
            return report->accept();
        }
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (!box) return dialog.reject();
        log->seen << box->windowTitle() + ": " + box->text();
        const bool offered = box->standardButtons() & log->answer;
        box->button(offered ? log->answer : QMessageBox::Ok)->click();
    });
    return log;
}

// Every file dialog the commands open, answered with `path` (empty: Cancel).
struct DialogLog {
    QString path;
    QList<FileDialogRequest> asked;
};

inline std::shared_ptr<DialogLog> AnswerFileDialogs(TForm1& form, const QString& path) {
    auto log = std::make_shared<DialogLog>(DialogLog{path, {}});
    form.fileDialog = [log](const FileDialogRequest& request) {
        log->asked << request;
        return log->path;
    };
    return log;
}

inline QString Path(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace ovb::test
