#include "ui/Copymoveswapform.h"

#include "uibase/CentreWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ovb {

TCopyMoveSwapForm::TCopyMoveSwapForm(const QString& fromText, const QString& toText,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Operation sellector...");
    setModal(true);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const QString& text : {fromText, toText}) {
        auto* label = new QLabel(text, this);
        label->setFont(mono);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }
    // The buttons name the two sounds by their bracketed index.
    const QString from = fromText.left(6), to = toText.left(6);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    row->addWidget(addChoice(QString("Move:   %1  to  %2").arg(from, to), RowOperation::Move));
    row->addWidget(addChoice(QString("Swap:   %1  with  %2").arg(from, to), RowOperation::Swap));
    row->addWidget(addChoice(QString("Copy:   %1  to  %2").arg(from, to), RowOperation::Copy));
    row->addWidget(addChoice("Cancel", RowOperation::Cancel));
}

QPushButton* TCopyMoveSwapForm::addChoice(const QString& caption, RowOperation op) {
    auto* button = new QPushButton(caption, this);
    button->setAutoDefault(false);
    buttons_[int(op)] = button;
    connect(button, &QPushButton::clicked, this, [this, op] {
        choice_ = op;
        op == RowOperation::Cancel ? reject() : accept();
    });
    return button;
}

QPushButton* TCopyMoveSwapForm::button(RowOperation op) const {
    return buttons_[int(op)];
}

RowOperation TCopyMoveSwapForm::Ask(QWidget* parent, const QString& fromText,
                                    const QString& toText) {
    TCopyMoveSwapForm form(fromText, toText, parent ? parent->window() : nullptr);
    CentreWindow(form);
    form.exec();
    return form.choice();
}

} // namespace ovb
