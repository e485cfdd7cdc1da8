#include "uibase/Reportform.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPlainTextEdit>
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(textBox_);

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    resize(ReportSize(*textBox_, screen));
}

void TFormReport::setReport(const QString& caption, const QStringList& lines) {
    setWindowTitle(caption);
    textBox_->setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace ovb
