#include "ui/ConformDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ovb {

ConformDestinationDialog::ConformDestinationDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Conform WAV files");
    auto* grid = new QGridLayout;
    beside_ = new QRadioButton("Beside the original files, name followed by:");
    suffix_ = new QLineEdit(QString::fromStdString(ConformOptions{}.suffix));
    mirror_ = new QRadioButton("Into a mirror of the folder tree under:");
    folder_ = new QLineEdit;
    auto* browse = new QPushButton("Browse...");
    grid->addWidget(beside_, 0, 0);
    grid->addWidget(suffix_, 0, 1, 1, 2);
    grid->addWidget(mirror_, 1, 0);
    grid->addWidget(folder_, 1, 1);
    grid->addWidget(browse, 1, 2);
    beside_->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("The converted files are new files; the originals are not "
                                 "changed. Where should they go?"));
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, [this] {
        QString dir = QFileDialog::getExistingDirectory(this, "Folder for the conformed files",
                                                        folder_->text());
        if (dir.isEmpty()) return;
        folder_->setText(dir);
        mirror_->setChecked(true);
    });
    for (QRadioButton* b : {beside_, mirror_})
        connect(b, &QRadioButton::toggled, this, [this] { update(); });
    for (QLineEdit* e : {suffix_, folder_})
        connect(e, &QLineEdit::textChanged, this, [this] { update(); });
    update();
}

ConformOptions ConformDestinationDialog::options() const {
    ConformOptions o;
    o.place = mirror_->isChecked() ? ConformOptions::Place::Mirror : ConformOptions::Place::Beside;
    o.suffix = suffix_->text().toStdString();
    o.mirrorRoot = folder_->text().trimmed().toStdString();
    return o;
}

bool ConformDestinationDialog::acceptable() const {
    const ConformOptions o = options();
    if (o.place == ConformOptions::Place::Mirror) return !o.mirrorRoot.empty();
    // An empty suffix would aim a converted .wav file at its own original.
    return !o.suffix.empty() && o.suffix.find_first_of("\\/:") == std::string::npos;
}

void ConformDestinationDialog::update() {
    suffix_->setEnabled(beside_->isChecked());
    folder_->setEnabled(mirror_->isChecked());
    ok_->setEnabled(acceptable());
}

ConformDestinationAsk& ConformDestinationHook() {
    static ConformDestinationAsk ask = [](QWidget* parent) -> std::optional<ConformOptions> {
        ConformDestinationDialog dialog(parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.options();
    };
    return ask;
}

} // namespace ovb
