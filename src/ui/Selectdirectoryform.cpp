#include "ui/Selectdirectoryform.h"

#include "uibase/CentreWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace ovb {

TSellectDyrectoryForm::TSellectDyrectoryForm(const QString& caption, const QString& confirm,
                                             QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(520, 460);

    auto* layout = new QVBoxLayout(this);
    drives_ = new QComboBox(this);
    for (const QFileInfo& drive : QDir::drives())
        drives_->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()));
    layout->addWidget(drives_);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());
    tree_ = new QTreeView(this);
    tree_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->header()->hide();
    layout->addWidget(tree_, 1);

    chosen_ = new QLabel(this);
    chosen_->setTextFormat(Qt::PlainText);
    layout->addWidget(chosen_);

    auto* buttons = new QHBoxLayout;
    confirm_ = new QPushButton(confirm, this);
    cancel_ = new QPushButton("Cancel", this);
    buttons->addStretch(1);
    buttons->addWidget(confirm_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);

    connect(drives_, &QComboBox::currentTextChanged, this,
            [this](const QString& drive) { setDirectory(drive); });
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid())
                    chosen_->setText(QDir::toNativeSeparators(model_->filePath(index)));
            });
    connect(confirm_, &QPushButton::clicked, this, [this] { done(kModalConfirm); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(kModalCancel); });
    setDirectory(QDir::currentPath());
}

QString TSellectDyrectoryForm::directory() const {
    return chosen_->text();
}

void TSellectDyrectoryForm::setDirectory(const QString& folder) {
    const QModelIndex index = model_->index(folder);
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    }
    chosen_->setText(QDir::toNativeSeparators(folder));
}

DirectoryChooser& DirectoryChooserHook() {
    static DirectoryChooser hook;
    return hook;
}

int SelectDirectory(QWidget* parent, const QString& caption, const QString& confirm,
                    QString& chosen) {
    static bool open = false;
    if (open) return kModalCancel;
    open = true;
    int result = kModalCancel;
    if (DirectoryChooserHook()) {
        result = DirectoryChooserHook()(caption, confirm, chosen);
    } else {
        TSellectDyrectoryForm form(caption, confirm, parent ? parent->window() : nullptr);
        CentreWindow(form);
        result = form.exec();
        if (result == kModalConfirm) chosen = form.directory();
    }
    open = false;
    return result;
}

} // namespace ovb
