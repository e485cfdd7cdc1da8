#include "uibase/Progresform.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ovb {

namespace {

constexpr int kWindowWidth = 460;

// Styling only the chunk would leave the groove to the platform style, which then ignores the
// chunk colour on some styles; both parts are styled together.
QString GaugeStyle(const QColor& colour) {
    return QStringLiteral("QProgressBar { border: 1px solid #808080; border-radius: 2px;"
                          " background: #ffffff; text-align: center; min-height: 20px; }"
                          "QProgressBar::chunk { background-color: %1; }")
        .arg(colour.name());
}

QLabel* NewTextLabel(Qt::Alignment alignment, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    // Long paths are elided rather than widening the window at every step of a job.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setMinimumHeight(label->fontMetrics().height());
    return label;
}

} // namespace

TProgressForm::TProgressForm(char kind, bool* cancel, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      kind_(kind), cancel_(cancel), gauge_(new QProgressBar(this)),
      textLabel_(NewTextLabel(Qt::AlignCenter, this)),
      detailLabel_(NewTextLabel(Qt::AlignCenter, this)),
      cancelButton_(new QPushButton(tr("Cancel"), this)) {
    setWindowTitle(tr("Please wait..."));
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    gauge_->setStyleSheet(GaugeStyle(GaugeColour(kind)));

    QFont bold = textLabel_->font();
    bold.setBold(true);
    textLabel_->setFont(bold);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gauge_);
    layout->addWidget(textLabel_);
    layout->addWidget(detailLabel_);
    layout->addLayout(buttons);

    cancelButton_->setVisible(cancel_ != nullptr);
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        if (cancel_) *cancel_ = true;
    });

    setFixedWidth(kWindowWidth);
    setFixedHeight(sizeHint().height());
    setText(tr("Progress..."));
    showTexts();
}

// The gauge would repaint itself at once at every new percentage; it waits for the window's next
// paint instead, like the texts.
void TProgressForm::setPercent(unsigned percent) {
    gauge_->setUpdatesEnabled(false);
    gauge_->setValue(int(std::min(percent, 100u)));
    gauge_->setUpdatesEnabled(true);
}

void TProgressForm::setText(const QString& text) {
    text_ = text;
    textsShown_ = false;
}

void TProgressForm::setDetail(const QString& text) {
    detail_ = text;
    textsShown_ = false;
}

void TProgressForm::showTexts() {
    if (textsShown_) return;
    showElided(textLabel_, text_);
    showElided(detailLabel_, detail_);
    textsShown_ = true;
}

void TProgressForm::showElided(QLabel* label, const QString& text) {
    const QMargins margins = layout()->contentsMargins();
    const int room = kWindowWidth - margins.left() - margins.right();
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
    label->setToolTip(label->text() == text ? QString() : text);
}

QColor TProgressForm::GaugeColour(char kind) {
    switch (kind) {
    case 'r':
        return QColor(0x00, 0xFF, 0xFF); // aqua
    case 'w':
        return QColor(0xFF, 0x00, 0x00); // red
    default:
        return QColor(0x32, 0xCD, 0x32); // lime green
    }
}

void TProgressForm::closeEvent(QCloseEvent* event) {
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace ovb
