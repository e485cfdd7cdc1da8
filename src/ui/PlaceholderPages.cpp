#include "ui/PlaceholderPages.h"

#include "ui/EditorHost.h"
#include "ui/NameTableModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace ovb {

namespace {

QTableView* NameGrid(NameTableModel* model, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(0, 70);
    grid->setMinimumWidth(260);
    grid->selectRow(0);
    return grid;
}

int SelectedRow(const QTableView* grid) {
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void SelectRow(QTableView* grid, int row) {
    row = std::clamp(row, 0, grid->model()->rowCount() - 1);
    if (SelectedRow(grid) == row && grid->selectionModel()->isRowSelected(row)) return;
    grid->selectRow(row);
    grid->scrollTo(grid->model()->index(row, 0));
}

QLabel* Note(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    label->setStyleSheet("color: #505050;");
    return label;
}

} // namespace

MultisamplesPlaceholder::MultisamplesPlaceholder(const as_bank& bank, QWidget* parent)
    : QWidget(parent), model_(new NameTableModel(bank, NameTableModel::Kind::Multisamples,
                                                 {"MS Num", "MS Name (16 chars)"}, this)),
      grid_(NameGrid(model_, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(Note("The sample files, wave plot and comment of the selected multisample "
                           "are edited here in a later version.",
                           this),
                      2);
}

int MultisamplesPlaceholder::currentMultisample() const {
    return model_->recordOfRow(SelectedRow(grid_));
}

void MultisamplesPlaceholder::selectMultisample(int index) {
    SelectRow(grid_, model_->rowOfRecord(index));
}

void MultisamplesPlaceholder::refresh(int flags) {
    if (flags & ovb::refresh::MultisampleNames) model_->namesChanged();
}

SoundManagerPlaceholder::SoundManagerPlaceholder(const as_bank& edited, const as_bank& manager,
                                                 QWidget* parent)
    : QWidget(parent), leftModel_(new NameTableModel(edited, NameTableModel::Kind::Sounds,
                                                     {"Num", "Sound Name"}, this)),
      rightModel_(
          new NameTableModel(manager, NameTableModel::Kind::Sounds, {"Num", "Sound Name"}, this)),
      left_(NameGrid(leftModel_, this)), right_(NameGrid(rightModel_, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(left_, 1);
    layout->addWidget(Note("Copying sounds between the edited bank (left) and a second bank "
                           "(right) comes in a later version.",
                           this),
                      1);
    layout->addWidget(right_, 1);
}

int SoundManagerPlaceholder::leftSound() const {
    return leftModel_->recordOfRow(SelectedRow(left_));
}

void SoundManagerPlaceholder::selectLeftSound(int sound) {
    SelectRow(left_, leftModel_->rowOfRecord(sound));
}

int SoundManagerPlaceholder::managerSound() const {
    return rightModel_->recordOfRow(SelectedRow(right_));
}

void SoundManagerPlaceholder::refresh(int flags) {
    if (flags & ovb::refresh::Sounds) leftModel_->namesChanged();
    if (flags & ovb::refresh::ManagerSounds) rightModel_->namesChanged();
}

} // namespace ovb
