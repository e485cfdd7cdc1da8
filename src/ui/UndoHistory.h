#pragma once
// The main window's undo history: when and under which name the changes to the edited bank
// become steps. Changes are committed when the window refreshes after a command, and before
// every user gesture (mouse press, keys that end an edit, shortcuts), so that an edit that does
// not refresh (a name typed into a grid, a choice in a list) is a step of its own before the next
// command runs. A step is named after the command that made it; other edits are named after what
// they changed.
#include "bank/UndoStack.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QEvent;

namespace ovb {

class TForm1;

class UndoHistory : public QObject {
    Q_OBJECT
  public:
    explicit UndoHistory(TForm1& form);
    ~UndoHistory() override;

    // Commits what changed since the last commit. trigger: the object whose signal runs the
    // change (a command's action), or null.
    void commit(const QObject* trigger);
    // A command that no gesture in the window chose (a file handed over by another start):
    // commits what changed before it, and its own changes become a step under this caption.
    void beginCommand(const QString& caption);
    // Commits what changed, named after the change itself.
    void commitPending();
    // Commits what changed under the command's caption; commands that only write files are taken
    // without a step.
    void commitAfter(const QAction& command);

    // Undo and redo commit pending changes first, restore the bank and refresh the window.
    bool undo();
    bool redo();

    // "Undo Remove UNUSED Multisamples", or "Undo" when there is nothing to undo.
    QString undoText() const;
    QString redoText() const;
    const UndoStack& stack() const { return stack_; }

    // Commands whose in-memory changes only record what they wrote to a file: size calculation,
    // saving and exports. Not undoable.
    static bool WritesFilesOnly(const QObject* command);
    // The step name of a command caption: without mnemonic markers and trailing dots.
    static QString StepName(const QString& caption);

  signals:
    void changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void commitStep(const QString& caption, bool filesOnly);
    void noteGesture(QObject* watched, QEvent* event);
    bool restore(bool forward);

    TForm1& form_;
    UndoStack stack_;
    QPointer<QAction> gesture_; // the command the user's last gesture chose
    QString outsideCommand_;    // the caption of a command that came from outside the window
    const QEvent* lastEvent_ = nullptr;
    int lastEventType_ = 0;
    quint64 lastEventTime_ = 0;
};

} // namespace ovb
