#include "uibase/QtJobServices.h"

#include "uibase/CentreWindow.h"
#include "uibase/QtText.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace ovb {

namespace {

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// A box closed without pressing a button never counts as agreement.
Answer AnswerOf(QMessageBox::StandardButton pressed, Buttons buttons) {
    switch (pressed) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        break;
    }
    switch (buttons) {
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
        return Answer::Cancel;
    case Buttons::Ok:
        break;
    }
    return Answer::Ok;
}

// Counts the calls that run events from inside a job.
struct DepthScope {
    explicit DepthScope(int& depth) : depth_(depth) { ++depth_; }
    ~DepthScope() { --depth_; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
    int& depth_;
};

// A job's progress is painted, and its pending events handled, at most this often: a fast job
// steps thousands of times a second, and painting each step cost more than the job itself.
constexpr qint64 kPassEveryMs = 33;

// Whether a pass is due; starts the next interval when it is.
bool Due(QElapsedTimer& last) {
    if (last.isValid() && last.elapsed() < kPassEveryMs) return false;
    last.start();
    return true;
}

QStringList ToQStringList(const std::vector<std::string>& lines) {
    QStringList out;
    out.reserve(qsizetype(lines.size()));
    for (const auto& line : lines)
        out.append(ToQString(line));
    return out;
}

} // namespace

QtJobServices::QtJobServices(QWidget* parent) : parent_(parent) {}

QtJobServices::~QtJobServices() {
    delete progress_.data();
    delete report_.data();
}

void QtJobServices::setDialogRunner(DialogRunner runner) {
    runner_ = std::move(runner);
}

void QtJobServices::runDialog(QDialog& dialog) {
    const DepthScope scope(depth_);
    if (runner_)
        runner_(dialog);
    else
        dialog.exec();
}

// The progress window stays on top; a box asked in the middle of a job belongs to it so that the
// box is not hidden behind it.
QWidget* QtJobServices::dialogParent() const {
    if (progress_) return progress_;
    return parent_;
}

void QtJobServices::message(std::string_view caption, std::string_view text) {
    ask(caption, text, Buttons::Ok, AskPurpose::Destructive);
}

Answer QtJobServices::ask(std::string_view caption, std::string_view text, Buttons buttons,
                          AskPurpose) {
    const auto icon = buttons == Buttons::Ok ? QMessageBox::Information : QMessageBox::Question;
    QMessageBox box(icon, ToQString(caption), ToQString(text), ButtonsOf(buttons), dialogParent());
    // Paths may contain '<' or '&'; the text is never markup.
    box.setTextFormat(Qt::PlainText);
    runDialog(box);
    return AnswerOf(box.standardButton(box.clickedButton()), buttons);
}

void QtJobServices::ShowProgress(char kind, bool* cancel) {
    if (progress_) return;
    progress_ = new TProgressForm(kind, cancel, parent_);
    CentreWindow(*progress_);
    progress_->show();
    progress_->raise();
    painted_.invalidate();
    repaintProgress();
}

void QtJobServices::SetProgressText(std::string_view text) {
    if (!progress_) return;
    progress_->setText(ToQString(text));
    repaintProgress();
}

void QtJobServices::SetProgressDetail(std::string_view text) {
    if (!progress_) return;
    progress_->setDetail(ToQString(text));
    repaintProgress();
}

void QtJobServices::SetProgressPercent(unsigned percent) {
    if (!progress_) return;
    progress_->setPercent(percent);
    repaintProgress();
}

// Jobs run in the GUI thread, so nothing is painted unless the window is painted here. User input
// waits for the job's own processEvents(), where Cancel can be pressed.
void QtJobServices::repaintProgress() {
    if (!Due(painted_)) return;
    progress_->showTexts();
    progress_->repaint();
    const DepthScope scope(depth_);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtJobServices::HideProgress() {
    if (!progress_) return;
    progress_->hide();
    delete progress_.data();
}

void QtJobServices::processEvents() {
    if (!Due(handled_)) return;
    const DepthScope scope(depth_);
    QCoreApplication::processEvents();
}

TFormReport* QtJobServices::createReport(const QString& caption, const QStringList& lines) {
    // A large report takes a moment to lay out. A job's own progress window, if one is still
    // shown, is left to that job.
    const bool busyWindow = !progress_;
    if (busyWindow) {
        ShowProgress('c');
        SetProgressText("Creating Report Form...");
    }
    auto* report = new TFormReport(parent_);
    report->setReport(caption, lines);
    if (busyWindow) HideProgress();
    return report;
}

void QtJobServices::ShowReport(std::string_view caption, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    const QString title = ToQString(caption);
    const QStringList text = ToQStringList(lines);
    if (report_)
        report_->setReport(title, text);
    else
        report_ = createReport(title, text);
    CentreWindow(*report_);
    runDialog(*report_);
}

void QtJobServices::CloseReport() {
    if (!report_) return;
    report_->hide();
    delete report_.data();
}

} // namespace ovb
