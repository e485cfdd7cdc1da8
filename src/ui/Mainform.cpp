#include "ui/Mainform.h"

#include "bank/BankFileLoader.h"
#include "bank/BankFileWriter.h"
#include "bank/BankSize.h"
#include "bank/ScriptFile.h"
#include "bank/TextExport.h"
#include "job/HostPath.h"
#include "ui/QtText.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace ovb {

namespace {
constexpr const char* kScriptFilter = "Zerwintal Orvelanta Sampler SCRIPT file (*.ovs)|*.OVS";
constexpr const char* kBankOpenFilter = "Zerwintal Orvelanta Samplers BANK file (*.ovb)|*.OVB";
constexpr const char* kBankSaveFilter = "Zerwintal Samplers BANK file (*.ovb)|*.OVB";
constexpr const char* kTextFilter = "Zerwintal Samplers Program Names Text File (*.txt)|*.TXT";

// The system asks its own overwrite questions; the dialogs must not ask a second time.
constexpr QFileDialog::Options kDialogOptions = QFileDialog::DontConfirmOverwrite;
} // namespace

QString DialogFilter(const char* windowsFilter) {
    QString text = QString::fromUtf8(windowsFilter);
    QString description = text.section('|', 0, 0);
    QString pattern = text.section('|', 1, 1);
    // Qt matches patterns case-sensitively on some systems: offer both spellings.
    QString both = pattern.toLower() + ' ' + pattern.toUpper();
    return description.section('(', 0, 0) + "(" + both + ")";
}

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), ui_(this), bank_(std::make_unique<as_bank>()),
      managerBank_(std::make_unique<as_bank>()), current_file_name_(kNoLoadedBank) {
    summary_ = new QPlainTextEdit(this);
    summary_->setReadOnly(true);
    summary_->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCentralWidget(summary_);
    buildMenus();
    resize(900, 600);
    RefreshViews();
}

TForm1::~TForm1() = default;

void TForm1::buildMenus() {
    QMenu* file = menuBar()->addMenu("File");
    file->addAction("Clear ALL...", this, &TForm1::ClearAll1Click);
    file->addSeparator();
    file->addAction("Open Orvelanta Sampler Script File...", this, &TForm1::OpenScript1Click);
    file->addAction("Save Orvelanta Sampler Script File...", this, &TForm1::SaveScript1Click);
    file->addSeparator();
    file->addAction("Open Orvelanta Sampler Bank File...", this, &TForm1::OpenBank1Click);
    file->addAction("Save Orvelanta Sampler Bank File - (split to 4GB toms)...", this,
                    &TForm1::SaveBank1Click);
    file->addSeparator();
    file->addAction("Export All Bank Content to Text File...", this, &TForm1::ExportText1Click);
    file->addSeparator();
    file->addAction("Exit", this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu("Edit");
    edit->addAction("Calculate bank SIZE", this, &TForm1::CalculateSize1Click);
    QMenu* tools = menuBar()->addMenu("Tools");
    tools->addAction("Reform loaded script file to bank file", this, &TForm1::ReformToBank1Click);
}

void TForm1::RefreshViews(int) {
    const as_bank& b = *bank_;
    unsigned sounds = 0, multisamples = 0, paths = 0;
    for (unsigned i = 0; i < kSounds; ++i)
        sounds += b.sound(i).name != EmptyName<16>();
    QStringList lines;
    for (unsigned m = 1; m < kMultisamples; ++m) {
        unsigned n = 0;
        for (const auto& p : b.paths(m))
            n += !IsEmptyPath(p);
        paths += n;
        if (n == 0 && b.multisample(m).name == EmptyName<16>()) continue;
        ++multisamples;
        lines << QString("MS%1  %2  %3 samples")
                     .arg(m, 4, 10, QChar('0'))
                     .arg(ToQString(NameText(b.multisample(m).name)))
                     .arg(n);
    }
    lines.prepend(QString("Named sounds: %1    Multisamples in use: %2    Sample paths: %3\n")
                      .arg(sounds)
                      .arg(multisamples)
                      .arg(paths));
    summary_->setPlainText(lines.join('\n'));
    setWindowTitle(QString(kTitlePrefix) + ToQString(StoredFileName(current_file_name_)));
}

void TForm1::openFile(const QString& path) {
    bank_->reset();
    std::filesystem::path file = path.toStdString();
    if (path.endsWith(".ovb", Qt::CaseInsensitive))
        LoadBankFile(*bank_, file, ui_);
    else
        LoadScript(*bank_, file, ui_);
    current_file_name_ = path.toStdString();
    RefreshViews();
}

void TForm1::ClearAll1Click() {
    if (!ui_.yes("Clear ALL", "Are You Sure ?")) return;
    bank_->reset();
    current_file_name_ = kNoLoadedBank;
    RefreshViews();
}

void TForm1::OpenScript1Click() {
    QString path =
        QFileDialog::getOpenFileName(this, "Open Zerwintal Orvelanta Sampler SCRIPT file!", {},
                                     DialogFilter(kScriptFilter), nullptr, kDialogOptions);
    if (!path.isEmpty()) openFile(path);
}

void TForm1::OpenBank1Click() {
    QString path =
        QFileDialog::getOpenFileName(this, "Open Zerwintal Orvelanta Samplers BANK file!", {},
                                     DialogFilter(kBankOpenFilter), nullptr, kDialogOptions);
    if (!path.isEmpty()) openFile(path);
}

void TForm1::SaveScript1Click() {
    QString path = QFileDialog::getSaveFileName(
        this, "Save all data as-> Zerwintal Orvelanta Sampler SCRIPT file!", {},
        DialogFilter(kScriptFilter), nullptr, kDialogOptions);
    if (!path.isEmpty()) SaveScript(*bank_, path.toStdString(), ui_);
}

void TForm1::SaveBank1Click() {
    QString path = QFileDialog::getSaveFileName(
        this, "Save all data as-> Zerwintal Orvelanta Sampler BANK file!", {},
        DialogFilter(kBankSaveFilter), nullptr, kDialogOptions);
    if (path.isEmpty()) return;
    CreateBankFile(*bank_, path.toStdString(), ui_);
    RefreshViews();
}

void TForm1::ExportText1Click() {
    QString path = QFileDialog::getSaveFileName(this, "Save all Program Nmaes as-> TEXT file!", {},
                                                DialogFilter(kTextFilter), nullptr, kDialogOptions);
    if (!path.isEmpty()) ExportText(*bank_, path.toStdString(), ui_);
}

void TForm1::CalculateSize1Click() {
    BankSizeResult size = CalculateBankSize(*bank_, ui_);
    ui_.message("Sample Editor", EstimatedSizeText(size.totalSize));
}

void TForm1::ReformToBank1Click() {
    std::filesystem::path p = current_file_name_;
    p.replace_extension(".OVB");
    current_file_name_ = p.string();
    RefreshViews();
}

} // namespace ovb
