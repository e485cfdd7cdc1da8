#include "ui/Replacestringform.h"

#include "tools/LibraryPaths.h"
#include "ui/Selectdirectoryform.h"
#include "uibase/QtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ovb {

TMyReplaceStringForm::TMyReplaceStringForm(const QString& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Replace strings in library path...");
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(620, 160);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Old string - this string will be replaced with new string", this),
                    0, 0, 1, 2);
    oldEdit_ = new QLineEdit(text, this);
    grid->addWidget(oldEdit_, 1, 0, 1, 2);
    grid->addWidget(new QLabel("New string", this), 2, 0, 1, 2);
    newEdit_ = new QLineEdit(text, this);
    browse_ = new QPushButton("...", this);
    browse_->setAutoDefault(false);
    grid->addWidget(newEdit_, 3, 0);
    grid->addWidget(browse_, 3, 1);

    auto* buttons = new QHBoxLayout;
    replace_ = new QPushButton("Replace Old string with NEW string...", this);
    cancel_ = new QPushButton("Cancel", this);
    buttons->addWidget(replace_);
    buttons->addWidget(cancel_);
    grid->addLayout(buttons, 4, 0, 1, 2);

    connect(browse_, &QPushButton::clicked, this, &TMyReplaceStringForm::browse);
    connect(replace_, &QPushButton::clicked, this, [this] {
        oldText_ = oldEdit_->text();
        newText_ = newEdit_->text();
        done(kModalConfirm);
    });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        oldText_.clear();
        newText_.clear();
        done(kModalCancel);
    });
}

void TMyReplaceStringForm::browse() {
    QString folder;
    if (SelectDirectory(this, "Choice new library path...", "OK", folder) != kModalConfirm) return;
    newEdit_->setText(ToQString(FolderAsLibraryPath(folder.toStdString())));
}

} // namespace ovb
