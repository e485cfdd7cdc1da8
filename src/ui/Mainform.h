#pragma once
// The main window: owns the edited bank and the sound manager's bank for the whole run, holds the
// eight pages, starts every menu command and brings all pages up to date after each change.
#include "bank/Acc_bank_structure.h"
#include "ui/EditorPages.h"
#include "ui/MenuCommands.h"
#include "ui/MultisamplePage.h"
#include "ui/SoundManagerPage.h"
#include "uibase/EditorHost.h"
#include "uibase/FileDialogRequest.h"
#include "uibase/QtJobServices.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QMenu;
class QProgressBar;
class QTabWidget;

namespace ovb {

class TSearchForm;
class UndoHistory;

inline constexpr const char* kTitlePrefix = "Orvelanta Sampler Bank Manager - Version: 0.81 / ";

// The record each page shows, as read from the pages by the last refresh.
struct CurrentRecords {
    int scene = 0, solo = 0, acomp = 0, fbass = 0, chord = 0;
    int sound = 0, managerSound = 0, multisample = 1;
};

class TForm1 : public QMainWindow, public EditorHost {
    Q_OBJECT
  public:
    // progress: the start screen's gauge, moved after each step of building the window.
    explicit TForm1(QWidget* parent = nullptr, const BuildProgress& progress = {});
    ~TForm1() override;

    as_bank& bank() override { return *bank_; }
    JobServices& jobs() override { return ui_; }
    // Brings every view up to date from the bank; flags name the parts that changed (-1: all).
    void RefreshViews(int flags = refresh::All) override;

    as_bank& managerBank() { return *managerBank_; }
    const std::string& currentFileName() const { return current_file_name_; }
    // Undo and redo put back the name of the file the restored bank came from.
    void setCurrentFileName(std::string name) { current_file_name_ = std::move(name); }
    // Every change to the edited bank becomes a step of this history (UndoHistory.h).
    UndoHistory& undoHistory() { return *undo_; }
    QtJobServices& jobServices() { return ui_; }
    const CurrentRecords& current() const { return current_; }

    // Opens a script (.ovs) or bank (.ovb) file named on the command line or handed over by a
    // later start; the kind comes from the extension, else from the contents.
    void openFile(const QString& path);

    // Every file command asks through this; the default shows the platform's file dialog. An
    // empty answer means Cancel. Tests answer here to run the real command with a chosen file.
    std::function<QString(const FileDialogRequest&)> fileDialog;

    void showPreset(int scene) override;
    void showSound(int sound) override;
    void showMultisample(int multisample) override;

    // The search window lives for the whole run; it is made on first use if start-up did not.
    void setSearchAssistant(TSearchForm* search);
    TSearchForm* searchAssistant();

    // Settings of the run, read by playback and the sample grid.
    bool playFromWavFiles() const;
    bool silenceFirstSample() const;
    int audioDeviceTag() const; // 0: default device, n + 1: device n
    bool showNoteNumber() const;

    // The menu command with this id (main menu or a page's pop-up menu).
    QAction* command(Command id) const;

    QTabWidget* pageControl() const { return tabs_; }
    EditorPages& editorPages() { return *pages_; }
    MultisamplePage* multisamplePage() const { return multisamples_; }
    SoundManagerPage* soundManagerPage() const { return manager_; }
    QProgressBar* refreshBar() const { return refreshBar_; }

  signals:
    // A script or bank file was opened into the edited bank.
    void bankOpened();

  private:
    void buildPages(const BuildProgress& progress);
    void buildMenus();
    void wireFileCommands();
    void wireToolCommands();
    void wireSilenceCommands();
    void addAudioDevices(QMenu* menu);
    void stepPage(int step);

    // RefreshViews without the undo commit.
    void refreshPages(int flags);
    void setRefreshPosition(int percent);
    void syncCurrentSound();
    void updateCaption();
    void showPage(int index);

    QString runFileDialog(const FileDialogRequest& request);
    QString chooseFile(bool save, const char* title, const char* filter);
    void showDone(const QString& what, const QString& path);
    void loadFile(const QString& path, bool bankFile);
    void ClearAll1Click();
    void OpenScript1Click();
    void SaveScript1Click();
    void OpenBank1Click();
    void SaveBank1Click();
    void ExportText1Click();
    void CalculateSize1Click();
    void ReformToBank1Click();
    void UpdateFactoryReset1Click();
    void ImportSampler2Click();
    void OpenSearchAssistant1Click();

    QtJobServices ui_;
    std::unique_ptr<as_bank> bank_;
    std::unique_ptr<as_bank> managerBank_;
    std::unique_ptr<UndoHistory> undo_;
    std::string current_file_name_;
    CurrentRecords current_;

    QTabWidget* tabs_ = nullptr;
    std::unique_ptr<EditorPages> pages_;
    MultisamplePage* multisamples_ = nullptr;
    SoundManagerPage* manager_ = nullptr;
    QProgressBar* refreshBar_ = nullptr;
    TSearchForm* search_ = nullptr;
    QElapsedTimer refreshClock_;
    bool switchingPage_ = false;

    QAction* showNoteNumber_ = nullptr;
    QAction* playFromWav_ = nullptr;
    QAction* silenceFirst_ = nullptr;
    QActionGroup* devices_ = nullptr;
};

// The path with the extension of its file-name part (the text after the last '\', '/' or ':')
// replaced; a name without an extension gets one.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

} // namespace ovb
