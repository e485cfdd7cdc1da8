#include "ui/SampleDrivesDialog.h"

#include "job/PathResolver.h"
#include "job/TextEncoding.h"
#include "tools/SampleDrives.h"
#include "ui/Selectdirectoryform.h"
#include "uibase/QtText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace ovb {

namespace {

enum Column { DriveColumn, FolderColumn, ChooseColumn, FoundColumn, MissingColumn };

struct CodePageChoice {
    const char* caption;
    const char* name;
};
constexpr CodePageChoice kCodePages[] = {
    {"Automatic: UTF-8, else windows-1252", ""},
    {"UTF-8", "UTF-8"},
    {"windows-1250 (Central European)", "windows-1250"},
    {"windows-1251 (Cyrillic)", "windows-1251"},
    {"windows-1252 (Western)", "windows-1252"},
    {"windows-1253 (Greek)", "windows-1253"},
    {"windows-1254 (Turkish)", "windows-1254"},
    {"windows-1257 (Baltic)", "windows-1257"},
    {"CP852 (DOS Central European)", "CP852"},
    {"CP866 (DOS Cyrillic)", "CP866"},
};

QString FolderFieldName(char drive) {
    return QString("folder%1").arg(QChar(drive));
}

} // namespace

SampleDrivesRunner& SampleDrivesRunnerHook() {
    static SampleDrivesRunner runner = [](SampleDrivesDialog& dialog) { return dialog.exec(); };
    return runner;
}

SampleDrivesDialog::SampleDrivesDialog(const as_bank& bank, const PathSettings& settings,
                                       QWidget* parent)
    : QDialog(parent), bank_(bank), samplePath_(CodePageSample(bank)) {
    setWindowTitle("Sample Drives and Code Page");
    auto* intro = new QLabel("The bank's sample paths name the drives of the computer that made "
                             "it. Choose the folder that holds each drive's files here.",
                             this);
    intro->setWordWrap(true);

    table_ = new QTableWidget(0, 5, this);
    table_->setHorizontalHeaderLabels({"Drive", "Folder on this computer", "", "Found", "Missing"});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(FolderColumn, QHeaderView::Stretch);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    std::vector<char> drives;
    for (const DriveFiles& d : CountDriveFiles(bank, {}))
        drives.push_back(d.drive);
    for (const auto& [drive, folder] : settings.drives)
        if (std::find(drives.begin(), drives.end(), drive) == drives.end()) drives.push_back(drive);
    std::sort(drives.begin(), drives.end());
    for (char drive : drives) {
        const auto mapped = settings.drives.find(drive);
        addRow(drive, mapped == settings.drives.end()
                          ? QString()
                          : QFile::decodeName(mapped->second.string().c_str()));
    }

    codePage_ = new QComboBox(this);
    codePage_->setObjectName("codePage");
    codePage_->setEditable(true);
    codePage_->setInsertPolicy(QComboBox::NoInsert);
    for (const CodePageChoice& choice : kCodePages)
        codePage_->addItem(choice.caption, QString(choice.name));
    const int known = codePage_->findData(QString::fromStdString(settings.codePage));
    if (known >= 0)
        codePage_->setCurrentIndex(known);
    else
        codePage_->setEditText(QString::fromStdString(settings.codePage));
    sample_ = new QLabel(this);
    sample_->setTextFormat(Qt::PlainText);
    connect(codePage_, &QComboBox::currentTextChanged, this, [this] {
        showSample();
        recount();
    });

    auto* form = new QFormLayout;
    form->addRow("Code page of the paths:", codePage_);
    form->addRow("A path of this bank:", sample_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SampleDrivesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(table_);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(640, 360);
    showSample();
    recount();
}

void SampleDrivesDialog::addRow(char drive, const QString& folder) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    auto* letter = new QTableWidgetItem(QString("%1:").arg(QChar(drive)));
    letter->setFlags(Qt::ItemIsEnabled);
    letter->setData(Qt::UserRole, int(drive));
    table_->setItem(row, DriveColumn, letter);
    auto* field = new QLineEdit(folder, table_);
    field->setObjectName(FolderFieldName(drive));
    connect(field, &QLineEdit::editingFinished, this, &SampleDrivesDialog::recount);
    table_->setCellWidget(row, FolderColumn, field);
    auto* choose = new QToolButton(table_);
    choose->setText("...");
    connect(choose, &QToolButton::clicked, this, [this, drive] { chooseFolder(drive); });
    table_->setCellWidget(row, ChooseColumn, choose);
    for (int column : {FoundColumn, MissingColumn}) {
        auto* count = new QTableWidgetItem;
        count->setFlags(Qt::ItemIsEnabled);
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(row, column, count);
    }
}

QLineEdit* SampleDrivesDialog::folderField(char drive) const {
    return findChild<QLineEdit*>(FolderFieldName(drive));
}

void SampleDrivesDialog::chooseFolder(char drive) {
    QString folder = folderField(drive)->text();
    if (SelectDirectory(this, QString("Folder of drive %1:").arg(QChar(drive)), "OK", folder) !=
        kModalConfirm)
        return;
    folderField(drive)->setText(folder);
    recount();
}

std::string SampleDrivesDialog::codePage() const {
    const QString text = codePage_->currentText().trimmed();
    const int index = codePage_->findText(text);
    if (index >= 0) return codePage_->itemData(index).toString().toStdString();
    return text.toStdString();
}

PathSettings SampleDrivesDialog::settings() const {
    PathSettings chosen;
    chosen.codePage = codePage();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const char drive = char(table_->item(row, DriveColumn)->data(Qt::UserRole).toInt());
        const QString folder = folderField(drive)->text().trimmed();
        if (!folder.isEmpty()) chosen.drives[drive] = QFile::encodeName(folder).toStdString();
    }
    return chosen;
}

void SampleDrivesDialog::showSample() {
    const std::string name = codePage();
    if (!name.empty() && !IsKnownCodePage(name)) {
        sample_->setText("Unknown code page: " + QString::fromStdString(name) +
                         ". Choose one from the list or type a name iconv knows.");
        return;
    }
    if (samplePath_.empty()) {
        sample_->setText("(none of the bank's paths names a drive)");
        return;
    }
    PathSettings shown;
    shown.codePage = name;
    sample_->setText(ToQString(DisplayPath(samplePath_, shown)));
}

void SampleDrivesDialog::recount() {
    PathSettings counted = settings();
    if (!counted.codePage.empty() && !IsKnownCodePage(counted.codePage)) counted.codePage.clear();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<DriveFiles> counts = CountDriveFiles(bank_, counted);
    QGuiApplication::restoreOverrideCursor();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const char drive = char(table_->item(row, DriveColumn)->data(Qt::UserRole).toInt());
        DriveFiles files;
        for (const DriveFiles& d : counts)
            if (d.drive == drive) files = d;
        table_->item(row, FoundColumn)->setText(QString::number(files.found));
        table_->item(row, MissingColumn)->setText(QString::number(files.missing));
    }
}

// An unknown code page is named in the dialog, which stays open.
void SampleDrivesDialog::accept() {
    const std::string name = codePage();
    if (!name.empty() && !IsKnownCodePage(name)) return showSample();
    QDialog::accept();
}

} // namespace ovb
