#include "assistants/BankCombinatorForm.h"

#include "bank/BankFiles.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ovb {

namespace {

constexpr char kChooseTitle[] = "Open Zerwintal Orvelanta Sampler SCRIPT or BANK file!";
constexpr char kFilter[] =
    "Zerwintal Orvelanta Sampler SCRIPT or BANK file (*.ovs *.OVS *.ovb *.OVB)";

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

BankCombinatorForm::BankCombinatorForm(EditorHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setWindowTitle("Bank Combinator Assistant");
    fileDialog = [this](const FileDialogRequest& request) {
        return QFileDialog::getOpenFileName(this, request.title, {}, request.filter);
    };
    auto* column = new QVBoxLayout(this);
    auto* chooseRow = new QHBoxLayout;
    chooseRow->addWidget(new QLabel("Bank B:", this));
    BankName = new QLineEdit(this);
    BankName->setObjectName("BankName");
    BankName->setReadOnly(true);
    chooseRow->addWidget(BankName, 1);
    ChooseButton = new QPushButton("Choose Bank B...", this);
    ChooseButton->setObjectName("ChooseButton");
    chooseRow->addWidget(ChooseButton);
    column->addLayout(chooseRow);
    column->addWidget(new QLabel("Where the records of bank B will land in this bank:", this));
    PlanList = new QListWidget(this);
    PlanList->setObjectName("PlanList");
    column->addWidget(PlanList, 1);
    Summary = new QLabel("Choose the bank whose named records are to be added to this bank.", this);
    Summary->setObjectName("Summary");
    Summary->setWordWrap(true);
    column->addWidget(Summary);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    CombineButton = new QPushButton("Combine", this);
    CombineButton->setObjectName("CombineButton");
    CombineButton->setEnabled(false);
    buttons->addWidget(CombineButton);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("CloseButton");
    buttons->addWidget(close);
    column->addLayout(buttons);
    resize(640, 480);

    connect(ChooseButton, &QPushButton::clicked, this, &BankCombinatorForm::ChooseBankClick);
    connect(CombineButton, &QPushButton::clicked, this, &BankCombinatorForm::CombineClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

BankCombinatorForm::~BankCombinatorForm() = default;

void BankCombinatorForm::ChooseBankClick() {
    const QString file = fileDialog(FileDialogRequest{false, kChooseTitle, kFilter});
    if (file.isEmpty()) return;
    auto bank = std::make_unique<as_bank>();
    plan_.reset();
    if (!LoadBankOrScript(*bank, file.toStdString(), host_.jobs())) {
        bankB_.reset();
        BankName->clear();
        showPlan();
        return;
    }
    bankB_ = std::move(bank);
    BankName->setText(file);
    plan_ = PlanMerge(host_.bank(), *bankB_);
    showPlan();
}

void BankCombinatorForm::showPlan() {
    PlanList->clear();
    if (!plan_) {
        Summary->setText("Choose the bank whose named records are to be added to this bank.");
        CombineButton->setEnabled(false);
        return;
    }
    for (const std::string& line : MergeReportLines(*bankB_, *plan_))
        PlanList->addItem(FromStd(line));
    if (!plan_->fits())
        Summary->setText(FromStd(MissingRoomText(*plan_)));
    else if (PlanList->count() == 0)
        Summary->setText("Bank B holds no named records: there is nothing to add.");
    else
        Summary->setText(QString("%1 records of bank B will be added or found in this bank. "
                                 "Combine adds them; this bank's own records stay as they are.")
                             .arg(PlanList->count()));
    CombineButton->setEnabled(plan_->fits() && PlanList->count() > 0);
}

void BankCombinatorForm::CombineClick() {
    if (!bankB_ || !plan_ || !plan_->fits()) return;
    if (!CombineBanks(host_.bank(), *bankB_, host_.jobs())) return;
    combined_ = true;
    host_.RefreshViews(refresh::All);
    // Another combination needs a fresh plan: this bank has changed.
    plan_.reset();
    PlanList->clear();
    Summary->setText("Bank B is combined into this bank. Edit > Undo takes it back.");
    CombineButton->setEnabled(false);
}

} // namespace ovb
