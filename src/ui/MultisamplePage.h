#pragma once
// The "Multisamples" page: the list of multisamples 1..9999 with their names, the 64 note slots of
// the current one with the WAV file on each, the player of the selected file and the comment.
// Files reach the slots one at a time, many at once by the note names in their file names, or by
// a drop from the desktop's file manager.
#include "tools/MultisampleEdits.h"
#include "ui/PlayerPanel.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QActionGroup;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTableView;
class QUrl;

namespace ovb {

class EditorHost;
class MultisampleGridModel;
class SampleGrid;
class SampleGridModel;
struct FileDialogRequest;

class MultisamplePage : public QWidget {
    Q_OBJECT
  public:
    // playerSettings: the Settings menu's player choices; noteNames: whether the slot labels
    // show note names ("Show Note Number") or note numbers.
    MultisamplePage(EditorHost& host, std::function<PlayerSettings()> playerSettings,
                    std::function<bool()> noteNames, QWidget* parent = nullptr);

    int currentMultisample() const; // 1..9999
    // Selects without refreshing; the caller refreshes.
    void selectMultisample(int index);
    // 0x4: names and comment; 0x8: the slots; both: the player's file (EditorHost.h).
    void refresh(int flags);

    QTableView* grid() const { return grid_; }
    SampleGrid* sampleGrid() const { return samples_; }
    PlayerPanel* playerPanel() const { return player_; }
    QTabWidget* lowerBox() const { return lower_; }
    QLineEdit* commentBox() const { return comment_; }
    QMenu* sampleMenu() const { return sampleMenu_; }
    // The choice of the transpose submenu for this step.
    QAction* transposeAction(int step) const;

    // The auto-position choices of the pop-up menu.
    PositionCriterion criterion() const;
    int transpose() const;

    // Asks for WAV files, one or several; an empty list means Cancel. Tests answer here.
    std::function<QStringList(const FileDialogRequest& request, bool several)> fileDialog;
    // Shows a folder in the desktop's file manager.
    std::function<void(const QUrl& folder)> openFolder;

    // The commands of the sample grid's pop-up menu.
    void removeSelectedFiles();
    void addOneFile();
    void addMultipleFiles();
    void moveSlots(SlotMove move);
    void openFileLocation();
    // Files dropped on a slot (-1: on no slot).
    void dropFiles(const QStringList& files, int slot);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildLeft();
    QWidget* buildRight();
    QWidget* buildLowerBox();
    void buildMultisampleMenu();
    void buildSampleMenu();
    void updateSampleMenu();

    void removeMultisample();
    void showSize();
    void storeComment(const QString& text);
    void showComment();
    void slotPressed(int slot, bool play);
    void loadPlayer();
    void placeFiles(const QStringList& files);

    EditorHost& host_;
    std::function<bool()> noteNames_;
    MultisampleGridModel* names_;
    QTableView* grid_;
    SampleGridModel* slots_;
    SampleGrid* samples_;
    QTabWidget* lower_ = nullptr;
    PlayerPanel* player_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QMenu* sampleMenu_ = nullptr;
    QAction* addOne_ = nullptr;
    QActionGroup* criteria_ = nullptr;
    QActionGroup* transposes_ = nullptr;
    bool selecting_ = false;   // a row chosen by code, not by the user
    bool playerStale_ = false; // the player's file changed while it was out of view
    bool ctrlPlaying_ = false; // a Ctrl+press on the grid started the playback
};

} // namespace ovb
