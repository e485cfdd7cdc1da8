#include "ui/Deletemultipleform.h"

#include "tools/RangeRemoval.h"
#include "ui/Selectdirectoryform.h"
#include "uibase/CentreWindow.h"
#include "uibase/EditorHost.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ovb {

namespace {

struct RangeTexts {
    const char* caption;
    const char* from;
    const char* to;
    const char* question;
    int lowest, highest;
};

RangeTexts TextsOf(RemovalRange kind) {
    if (kind == RemovalRange::Multisamples)
        return {"Remove Multisamples",
                "From Multisample:",
                "To Multisample:",
                "Remove Multiple Multisamples",
                1,
                9999};
    return {
        "Remove Multiple Sounds", "From Sound:", "To Sound:", "Remove Multiple Sounds", 0, 9998};
}

} // namespace

TDeleteMultipleForm::TDeleteMultipleForm(EditorHost& host, RemovalRange kind, int current,
                                         QWidget* parent)
    : QDialog(parent), host_(host), kind_(kind) {
    const RangeTexts texts = TextsOf(kind);
    setWindowTitle(texts.caption);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    from_ = new QSpinBox(this);
    to_ = new QSpinBox(this);
    for (QSpinBox* edit : {from_, to_}) {
        edit->setRange(texts.lowest, texts.highest);
        edit->setValue(current);
    }
    form->addRow(texts.from, from_);
    form->addRow(texts.to, to_);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    remove_ = new QPushButton("Remove...", this);
    cancel_ = new QPushButton("Cancel", this);
    remove_->setAutoDefault(false);
    buttons->addWidget(remove_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);

    connect(from_, &QSpinBox::valueChanged, this, [this](int from) {
        if (from > to_->value()) to_->setValue(from);
    });
    connect(to_, &QSpinBox::valueChanged, this, [this](int to) {
        if (to < from_->value()) from_->setValue(to);
    });
    connect(remove_, &QPushButton::clicked, this, &TDeleteMultipleForm::removeClicked);
    connect(cancel_, &QPushButton::clicked, this, [this] { done(kModalCancel); });
}

void TDeleteMultipleForm::removeClicked() {
    if (host_.jobs().yes(TextsOf(kind_).question, "Are You Sure ?")) {
        const auto from = unsigned(from_->value()), to = unsigned(to_->value());
        if (kind_ == RemovalRange::Multisamples)
            RemoveMultisampleRange(host_.bank(), from, to);
        else
            RemoveSoundRange(host_.bank(), from, to);
        removed_ = from < to;
    }
    done(kModalConfirm);
}

void RunRangeRemoval(EditorHost& host, QWidget* parent, RemovalRange kind, int current) {
    TDeleteMultipleForm form(host, kind, current, parent ? parent->window() : nullptr);
    CentreWindow(form);
    form.exec();
    if (form.removed()) host.RefreshViews(refresh::All);
}

} // namespace ovb
