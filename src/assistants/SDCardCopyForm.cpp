#include "assistants/SDCardCopyForm.h"

#include "tools/SdCardCopy.h"
#include "uibase/FileDialogRequest.h"
#include "uibase/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace ovb {

namespace {

constexpr const char* kBankTitle = "Sellect Zerwintal Samplers BANK file!";
constexpr const char* kBankFilter = "Zerwintal Samplers BANK file (*.ovb)|*.OVB";
constexpr const char* kOsTitle = "Sellect Zerwintal 2 Operation System files!";
constexpr const char* kOsFilter = "Zerwintal 2 Operation System files (*.qv2)|*.QV2";
constexpr const char* kMp3Title = "Sellect Mp3/TXT files!";
constexpr const char* kMp3Filter = "Mp3 files and MP3_LIST.TXT file|*.Mp3;MP3_LIST.TXT";

template <class Widget, class... Args>
Widget* Named(const char* name, QWidget* parent, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(name);
    return widget;
}

QLineEdit* Field(const char* name, QWidget* parent) {
    auto* field = Named<QLineEdit>(name, parent);
    field->setReadOnly(true);
    return field;
}

QString TotalText(const FileChoice& c) {
    return QString::number(c.chosen ? c.total : 0) + " bytes";
}

void Fill(QListWidget* list, const std::vector<std::string>& lines) {
    list->clear();
    for (const std::string& line : lines)
        list->addItem(ToQString(line));
}

// The list of an active step is white, of a switched-off step the window's colour.
void ShowActive(QListWidget* list, bool active) {
    QPalette p = list->palette();
    p.setColor(QPalette::Base,
               active ? QColor(Qt::white) : list->window()->palette().window().color());
    list->setPalette(p);
}

std::vector<std::filesystem::path> Paths(const QStringList& files) {
    std::vector<std::filesystem::path> out;
    for (const QString& f : files)
        out.emplace_back(f.toStdString());
    return out;
}

// The card list re-reads the mount table each time it opens, so a card inserted while the window
// is open shows up.
class DriveList : public QComboBox {
  public:
    using QComboBox::QComboBox;
    void refill() {
        const QString current = currentText();
        const int before = currentIndex();
        {
            const QSignalBlocker quiet(this);
            clear();
            for (const std::string& point : CardCandidates(ReadMounts()))
                addItem(ToQString(point));
            setCurrentIndex(before < 0 ? -1 : findText(current));
        }
        if (before >= 0 && currentIndex() < 0) emit currentIndexChanged(-1); // the card is gone
    }
    void showPopup() override {
        refill();
        QComboBox::showPopup();
    }
};

} // namespace

QString MultiPatternFilter(const char* windowsFilter) {
    const QString text = QString::fromUtf8(windowsFilter);
    QStringList patterns;
    for (const QString& p : text.section('|', 1, 1).split(';', Qt::SkipEmptyParts))
        patterns << p << p.toLower() << p.toUpper();
    patterns.removeDuplicates();
    return text.section('|', 0, 0) + " (" + patterns.join(' ') + ")";
}

SDCardCopyForm::SDCardCopyForm(QWidget* parent) : QDialog(parent), ui_(this) {
    setObjectName("SDCardCopyForm");
    setWindowTitle("SD Card Write Assistant");
    setAttribute(Qt::WA_DeleteOnClose, false);
    fileDialog = [this](const FileDialogRequest& r, bool multiple) {
        return runFileDialog(r, multiple);
    };
    buildControls();
    updateSteps();
    showDrive();
}

// The four steps in two rows of two, so that the window fits a small screen; the lists share what
// height there is.
void SDCardCopyForm::buildControls() {
    auto* steps = new QGridLayout(this);
    auto step = [&](int n, const char* title) {
        auto* box = new QGroupBox(QString("%1. %2").arg(n).arg(title), this);
        auto* grid = new QGridLayout(box);
        icons_[n - 1] = Named<QLabel>(qPrintable(QString("Step%1Icon").arg(n)), box);
        grid->addWidget(icons_[n - 1], 0, 0, Qt::AlignTop);
        grid->setColumnStretch(1, 1); // the icon keeps its size, the lists take the width
        steps->addWidget(box, (n - 1) / 2, (n - 1) % 2);
        return std::make_pair(box, grid);
    };
    auto list = [this](const char* name, QWidget* parent) {
        auto* files = Named<QListWidget>(name, parent);
        files->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        files->setMinimumSize(320, files->fontMetrics().height() * 4 + 2 * files->frameWidth());
        return files;
    };
    auto [bank, bankGrid] = step(1, "Bank file");
    BankButton = Named<QPushButton>("SellectBankButton", bank, "Sellect Bank OVB File");
    BankList = list("BankList", bank);
    BankTotal = Field("BankTotal", bank);
    bankGrid->addWidget(BankButton, 0, 1);
    bankGrid->addWidget(BankList, 1, 1);
    bankGrid->addWidget(BankTotal, 2, 1);

    auto [os, osGrid] = step(2, "Operating system files");
    OsCheck = Named<QCheckBox>("CopyOsCheck", os, "Copy OS QV2 File(s)");
    OsButton = Named<QPushButton>("SellectOsButton", os, "Sellect OS QV2 file(s)");
    OsList = list("OsList", os);
    OsTotal = Field("OsTotal", os);
    osGrid->addWidget(OsCheck, 0, 1);
    osGrid->addWidget(OsButton, 0, 2);
    osGrid->addWidget(OsList, 1, 1, 1, 2);
    osGrid->addWidget(OsTotal, 2, 1, 1, 2);

    auto [mp3, mp3Grid] = step(3, "MP3 files");
    Mp3Check = Named<QCheckBox>("Mp3Check", mp3, "Add Mp3 Folder + Files");
    Mp3Button = Named<QPushButton>("SellectMp3Button", mp3, "Sellect Mp3 Files");
    Mp3List = list("Mp3List", mp3);
    Mp3Total = Field("Mp3Total", mp3);
    mp3Grid->addWidget(Mp3Check, 0, 1);
    mp3Grid->addWidget(Mp3Button, 0, 2);
    mp3Grid->addWidget(Mp3List, 1, 1, 1, 2);
    mp3Grid->addWidget(Mp3Total, 2, 1, 1, 2);

    auto [drive, driveGrid] = step(4, "SD card");
    auto* drives = new DriveList(drive);
    drives->setObjectName("DriveBox");
    drives->refill();
    drives->setCurrentIndex(-1);
    DriveBox = drives;
    DriveName = Named<QLabel>("DriveName", drive);
    DriveFileSystem = Field("DriveFileSystem", drive);
    DriveTotal = Field("DriveTotal", drive);
    DriveFree = Field("DriveFree", drive);
    driveGrid->addWidget(DriveBox, 0, 1, 1, 2);
    driveGrid->addWidget(DriveName, 1, 1, 1, 2);
    driveGrid->addWidget(new QLabel("File system:", drive), 2, 1);
    driveGrid->addWidget(DriveFileSystem, 2, 2);
    driveGrid->addWidget(new QLabel("Total:", drive), 3, 1);
    driveGrid->addWidget(DriveTotal, 3, 2);
    driveGrid->addWidget(new QLabel("Free:", drive), 4, 1);
    driveGrid->addWidget(DriveFree, 4, 2);
    driveGrid->setColumnStretch(1, 0);
    driveGrid->setColumnStretch(2, 1);
    driveGrid->setRowStretch(5, 1);

    WriteButton = Named<QPushButton>("StartWriteButton", this, "Start Write to SD Card  >>");
    steps->addWidget(WriteButton, 2, 0, 1, 2);

    connect(BankButton, &QPushButton::clicked, this, &SDCardCopyForm::SellectBankClick);
    connect(OsButton, &QPushButton::clicked, this, &SDCardCopyForm::SellectOsClick);
    connect(Mp3Button, &QPushButton::clicked, this, &SDCardCopyForm::SellectMp3Click);
    connect(OsCheck, &QCheckBox::toggled, this, &SDCardCopyForm::OsCheckClick);
    connect(Mp3Check, &QCheckBox::toggled, this, &SDCardCopyForm::Mp3CheckClick);
    connect(DriveBox, &QComboBox::currentIndexChanged, this, &SDCardCopyForm::DriveChange);
    connect(WriteButton, &QPushButton::clicked, this, &SDCardCopyForm::StartWriteClick);
}

QStringList SDCardCopyForm::runFileDialog(const FileDialogRequest& r, bool multiple) {
    return PlatformFileDialog(this, r, multiple);
}

void SDCardCopyForm::SellectBankClick() {
    const QStringList files =
        fileDialog({false, QString::fromUtf8(kBankTitle), DialogFilter(kBankFilter)}, false);
    plan_.bank = files.isEmpty() ? BankChoice{} : ChooseBank(files.front().toStdString());
    updateSteps();
}

void SDCardCopyForm::SellectOsClick() {
    chooseFiles(kOsTitle, DialogFilter(kOsFilter), plan_.system);
}

void SDCardCopyForm::SellectMp3Click() {
    chooseFiles(kMp3Title, MultiPatternFilter(kMp3Filter), plan_.mp3);
}

// A cancelled dialog keeps the earlier choice.
void SDCardCopyForm::chooseFiles(const char* title, const QString& filter, FileChoice& choice) {
    const QStringList files = fileDialog({false, QString::fromUtf8(title), filter}, true);
    if (files.isEmpty()) return;
    choice = ChooseFiles(Paths(files));
    updateSteps();
}

void SDCardCopyForm::OsCheckClick() {
    if (!OsCheck->isChecked()) plan_.system = FileChoice{};
    updateSteps();
}

void SDCardCopyForm::Mp3CheckClick() {
    if (!Mp3Check->isChecked()) plan_.mp3 = FileChoice{};
    updateSteps();
}

void SDCardCopyForm::updateSteps() {
    auto icon = [this](int step, bool done) {
        const auto which = done ? QStyle::SP_DialogApplyButton : QStyle::SP_DialogCancelButton;
        icons_[step]->setPixmap(style()->standardIcon(which).pixmap(24, 24));
        icons_[step]->setProperty("done", done);
    };
    icon(0, plan_.bank.chosen);
    icon(1, plan_.system.chosen);
    icon(2, plan_.mp3.chosen);
    Fill(BankList, plan_.bank.lines);
    Fill(OsList, plan_.system.lines);
    Fill(Mp3List, plan_.mp3.lines);
    BankTotal->setText(QString::number(plan_.bank.chosen ? plan_.bank.total : 0) + " bytes");
    OsTotal->setText(TotalText(plan_.system));
    Mp3Total->setText(TotalText(plan_.mp3));
    OsButton->setEnabled(OsCheck->isChecked());
    Mp3Button->setEnabled(Mp3Check->isChecked());
    ShowActive(BankList, true);
    ShowActive(OsList, OsCheck->isChecked());
    ShowActive(Mp3List, Mp3Check->isChecked());
}

std::filesystem::path SDCardCopyForm::chosenRoot() const {
    return DriveBox->currentIndex() < 0
               ? std::filesystem::path()
               : std::filesystem::path(DriveBox->currentText().toStdString());
}

void SDCardCopyForm::DriveChange() {
    volume_ = chosenRoot().empty() ? CardVolume{} : InspectCard(chosenRoot());
    showDrive();
}

void SDCardCopyForm::showDrive() {
    const bool chosen = !chosenRoot().empty();
    DriveName->setText(!chosen         ? QString()
                       : volume_.ready ? ToQString(volume_.name)
                                       : QString("Drive Not Ready!"));
    DriveName->setStyleSheet(volume_.ready ? "color: blue" : "color: red");
    DriveName->setToolTip(ToQString(volume_.note));
    DriveFileSystem->setText(ToQString(volume_.fileSystem));
    DriveTotal->setText(volume_.spaceKnown ? ToQString(CardSpaceText(volume_.totalBytes)) : "");
    DriveFree->setText(volume_.spaceKnown ? ToQString(CardSpaceText(volume_.freeBytes)) : "");
    DriveFree->setToolTip(ToQString(volume_.note));
    const bool done = volume_.fileSystem == "FAT32";
    icons_[3]->setPixmap(
        style()
            ->standardIcon(done ? QStyle::SP_DialogApplyButton : QStyle::SP_DialogCancelButton)
            .pixmap(24, 24));
    icons_[3]->setProperty("done", done);
}

void SDCardCopyForm::StartWriteClick() {
    // The card is read again: it may have been changed or filled since it was chosen.
    DriveChange();
    const std::filesystem::path root = chosenRoot();
    if (!CheckCard(plan_, volume_, root, ui_)) return;
    WriteButton->setEnabled(false);
    WriteToCard(plan_, root, ui_);
    WriteButton->setEnabled(true);
    DriveChange();
}

} // namespace ovb
