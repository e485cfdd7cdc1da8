#include "ui/RecordPage.h"

#include "ui/RecordGrid.h"
#include "uibase/EditorHost.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

namespace ovb {

RecordPage::RecordPage(EditorHost& host, RecordGridModel* model, int minimumNameWidth,
                       int clickFlags, QWidget* parent)
    : QWidget(parent), host_(host), grid_(new RecordGrid(model, minimumNameWidth, this)) {
    connect(grid_, &RecordGrid::recordChosen, this,
            [this, clickFlags] { host_.RefreshViews(clickFlags); });
}

int RecordPage::currentRecord() const {
    return grid_->currentRecord();
}

void RecordPage::selectRecord(int index) {
    grid_->selectRecord(index);
}

QComboBox* RecordPage::makeChoiceList(QAbstractItemModel* model, int minimumCharacters) {
    auto* list = new QComboBox(this);
    list->setModel(model);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(minimumCharacters);
    list->setMaxVisibleItems(24);
    if (auto* view = qobject_cast<QListView*>(list->view())) view->setUniformItemSizes(true);
    return list;
}

SectionPage::SectionPage(EditorHost& host, RecordGridModel* model, int clickFlags,
                         const QString& title, const QString& subtitle, QWidget* parent)
    : RecordPage(host, model, 328, clickFlags, parent), groups_(new QVBoxLayout) {
    // Rows can be dragged, as in the sound list, but a drop has no effect on the bank.
    grid()->setRowDragging(true);
    auto* heading = new QLabel(title, this);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    heading->setFont(big);
    auto* sub = new QLabel(subtitle, this);
    QFont bold = sub->font();
    bold.setBold(true);
    sub->setFont(bold);

    auto* left = new QVBoxLayout;
    left->addWidget(heading);
    left->addWidget(grid(), 1);
    groups_->addWidget(sub);
    // The choices keep a readable width instead of spreading over a wide window.
    auto* column = new QWidget(this);
    column->setLayout(groups_);
    column->setMaximumWidth(560);
    groups_->setContentsMargins(0, 0, 0, 0);
    auto* page = new QHBoxLayout(this);
    page->addLayout(left);
    page->addSpacing(12);
    page->addWidget(column, 1, Qt::AlignTop);
    page->addStretch(0);
    groups_->addStretch(1);
}

void SectionPage::addGroup(QWidget* group) {
    groups_->insertWidget(groups_->count() - 1, group);
}

} // namespace ovb
