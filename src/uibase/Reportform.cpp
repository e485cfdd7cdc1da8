#include "uibase/Reportform.h"

#include "uibase/FileDialogRequest.h"
#include "uibase/StatusMessage.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace ovb {

namespace {

// Room for a typical finding ("Sample 012 from MS0345: D:\Samples\...") without scrolling, but
// never larger than most of the screen.
QSize ReportSize(const QPlainTextEdit& box, const QScreen* screen) {
    const QFontMetrics metrics(box.font());
    QSize size(metrics.horizontalAdvance(QLatin1Char('M')) * 110, metrics.lineSpacing() * 32);
    if (screen) {
        const QSize limit = screen->availableGeometry().size() * 0.9;
        size = size.boundedTo(limit);
    }
    return size;
}

constexpr char kTextFilter[] = "Text files (*.txt)|*.TXT";

} // namespace

TFormReport::TFormReport(QWidget* parent) : QDialog(parent), textBox_(new QPlainTextEdit(this)) {
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    textBox_->setReadOnly(true);
    textBox_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox_->setWordWrapMode(QTextOption::NoWrap);
    textBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textBox_->setUndoRedoEnabled(false);
    textBox_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    copy_ = buttons->addButton("Copy", QDialogButtonBox::ActionRole);
    save_ = buttons->addButton("Save as text...", QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(copy_, &QPushButton::clicked, this, &TFormReport::copyText);
    connect(save_, &QPushButton::clicked, this, &TFormReport::saveText);
    saveDialog = [this](const FileDialogRequest& request) {
        return PlatformFileDialog(this, request, false).value(0);
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(textBox_);
    layout->addWidget(buttons);

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    resize(ReportSize(*textBox_, screen));
}

void TFormReport::setReport(const QString& caption, const QStringList& lines) {
    setWindowTitle(caption);
    textBox_->setPlainText(lines.join(QLatin1Char('\n')));
}

// The selected lines when there is a selection, else the whole report.
void TFormReport::copyText() {
    QString text = textBox_->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QGuiApplication::clipboard()->setText(text.isEmpty() ? textBox_->toPlainText() : text);
}

// Written whole or not at all: a failed write leaves any file of the name as it was.
void TFormReport::saveText() {
    const QString filter = DialogFilter(kTextFilter);
    const QString path = WithFilterExtension(
        saveDialog(FileDialogRequest{true, "Save the report as a text file", filter}), filter);
    if (path.isEmpty()) return;
    QSaveFile file(path);
    const QByteArray text = textBox_->toPlainText().toUtf8() + '\n';
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit()) {
        ShowStatus(this, "Report saved: " + QDir::toNativeSeparators(path));
        return;
    }
    QMessageBox::warning(this, "Error",
                         "The report could not be saved to\n" + path + "\n\n" + file.errorString());
}

} // namespace ovb
