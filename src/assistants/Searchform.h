#pragma once
// The search assistant: finds presets, sounds and multisamples of the edited bank by a piece of
// their names (or of their WAV file paths) and takes the main window to a result on a
// double-click. One window for the whole run, not modal.
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace ovb {

class EditorHost;

class TSearchForm : public QWidget {
    Q_OBJECT
  public:
    // A window of its own that stays above the main window.
    TSearchForm(EditorHost& host, QWidget* mainWindow);

    // Centres the window on the main window when it is not shown yet, shows it and brings it to
    // the front.
    void showAssistant();
    // The button and Enter in the text field.
    void Button1Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void showResults(const QString& text);
    void ListBoxClick(QListWidget* list);
    void ListBoxDblClick(QListWidget* list);

    EditorHost& host_;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QCheckBox* CheckBoxSearchInPresetNames;
    QCheckBox* CheckBoxSearchInSoundNames;
    QCheckBox* CheckBoxSearchInMultisampleNames;
    QCheckBox* CheckBoxSearchInFilePath;
    QListWidget* ListBoxPresets;
    QListWidget* ListBoxSounds;
    QListWidget* ListBoxMultisamples;
    QPlainTextEdit* MemoFilesPath;
};

// The record number a result entry starts with: its first four characters as a decimal number,
// or 10000 (no record) when they are not four digits.
int ResultNumber(const QString& entry);

} // namespace ovb
