#include "assistants/Searchform.h"

#include "tools/BankSearch.h"
#include "uibase/CentreWindow.h"
#include "uibase/EditorHost.h"
#include "uibase/QtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace ovb {

namespace {

constexpr int kNoRecord = 10000;

template <class Widget, class... Args>
Widget* Named(const char* name, QWidget* parent, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(name);
    return widget;
}

QStringList ToQStringList(const std::vector<std::string>& lines) {
    QStringList out;
    out.reserve(qsizetype(lines.size()));
    for (const std::string& line : lines)
        out.append(ToQString(line));
    return out;
}

// Names are stored as the user's system wrote them, in its 8-bit code page; a text that the code
// page cannot hold can only match names stored as UTF-8.
std::string StoredForm(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0xFF) return text.toStdString();
    return text.toLatin1().toStdString();
}

} // namespace

int ResultNumber(const QString& entry) {
    if (entry.size() < 4) return kNoRecord;
    int number = 0;
    for (int i = 0; i < 4; ++i) {
        const QChar c = entry[i];
        if (c < QChar('0') || c > QChar('9')) return kNoRecord;
        number = number * 10 + (c.unicode() - '0');
    }
    return number;
}

TSearchForm::TSearchForm(EditorHost& host, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), host_(host) {
    setObjectName("SearchForm");
    setWindowTitle("Zerwintal Bank Manager - Search Assistant");
    buildControls();
    setFixedSize(680, 560);
    // Escape closes the window, as it closes a dialog.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    Edit1->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &TSearchForm::Button1Click);
    for (QListWidget* list : {ListBoxPresets, ListBoxSounds, ListBoxMultisamples}) {
        connect(list, &QListWidget::itemSelectionChanged, this,
                [this, list] { ListBoxClick(list); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, list] { ListBoxDblClick(list); });
    }
}

void TSearchForm::buildControls() {
    Edit1 = Named<QLineEdit>("Edit1", this);
    Button1 = Named<QPushButton>("Button1", this, "Execute Search...");
    CheckBoxSearchInPresetNames =
        Named<QCheckBox>("CheckBoxSearchInPresetNames", this, "Search in PRESET names");
    CheckBoxSearchInSoundNames =
        Named<QCheckBox>("CheckBoxSearchInSoundNames", this, "Search in SOUND names");
    CheckBoxSearchInMultisampleNames =
        Named<QCheckBox>("CheckBoxSearchInMultisampleNames", this, "Search in MULTISAMPLES");
    for (QCheckBox* box : {CheckBoxSearchInPresetNames, CheckBoxSearchInSoundNames,
                           CheckBoxSearchInMultisampleNames})
        box->setChecked(true);
    ListBoxPresets = Named<QListWidget>("ListBoxPresets", this);
    ListBoxSounds = Named<QListWidget>("ListBoxSounds", this);
    ListBoxMultisamples = Named<QListWidget>("ListBoxMultisamples", this);
    CheckBoxSearchInFilePath =
        Named<QCheckBox>("CheckBoxSearchInFilePath", this, "Search In Wav Files Path");
    MemoFilesPath = Named<QPlainTextEdit>("MemoFilesPath", this);
    MemoFilesPath->setReadOnly(true);
    MemoFilesPath->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoFilesPath->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Edit1, 0, 0, 1, 2);
    grid->addWidget(Button1, 0, 2);
    grid->addWidget(CheckBoxSearchInPresetNames, 1, 0);
    grid->addWidget(CheckBoxSearchInSoundNames, 1, 1);
    grid->addWidget(CheckBoxSearchInMultisampleNames, 1, 2);
    grid->addWidget(ListBoxPresets, 2, 0);
    grid->addWidget(ListBoxSounds, 2, 1);
    grid->addWidget(ListBoxMultisamples, 2, 2);
    grid->addWidget(CheckBoxSearchInFilePath, 3, 0, 1, 3);
    grid->addWidget(MemoFilesPath, 4, 0, 1, 3);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    grid->setRowStretch(2, 3);
    grid->setRowStretch(4, 2);
}

void TSearchForm::showAssistant() {
    if (!isVisible()) CentreWindow(*this);
    show();
    raise();
    activateWindow();
}

// Enter runs the search and goes no further: it must not reach a default button or the window.
bool TSearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Button1Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSearchForm::Button1Click() {
    Edit1->setEnabled(false);
    Button1->setEnabled(false);
    Button1->setText("Searching...");
    Button1->repaint(); // a path search over a large bank takes a moment
    ListBoxPresets->clear();
    ListBoxSounds->clear();
    ListBoxMultisamples->clear();
    MemoFilesPath->clear();
    showResults(Edit1->text());
    Button1->setText("Execute New Search");
    Edit1->setEnabled(true);
    Button1->setEnabled(true);
    Edit1->selectAll();
    Edit1->setFocus();
}

void TSearchForm::showResults(const QString& text) {
    const SearchOptions options{
        CheckBoxSearchInPresetNames->isChecked(), CheckBoxSearchInSoundNames->isChecked(),
        CheckBoxSearchInMultisampleNames->isChecked(), CheckBoxSearchInFilePath->isChecked()};
    const SearchResults found = SearchBank(host_.bank(), StoredForm(text), options);
    ListBoxPresets->addItems(ToQStringList(found.presets));
    ListBoxSounds->addItems(ToQStringList(found.sounds));
    ListBoxMultisamples->addItems(ToQStringList(found.multisamples));
    MemoFilesPath->setPlainText(ToQStringList(found.paths).join('\n'));
}

void TSearchForm::ListBoxClick(QListWidget* list) {
    if (list->selectedItems().isEmpty()) return;
    for (QListWidget* other : {ListBoxPresets, ListBoxSounds, ListBoxMultisamples})
        if (other != list) other->setCurrentRow(-1);
}

void TSearchForm::ListBoxDblClick(QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) return;
    const int number = ResultNumber(selected.first()->text());
    if (number >= kNoRecord) return;
    if (list == ListBoxPresets)
        host_.showPreset(number);
    else if (list == ListBoxSounds)
        host_.showSound(number);
    else
        host_.showMultisample(number);
}

} // namespace ovb
