// Edit > Undo / Redo: the two commands carry the name of the step they restore.
#include "ui/CommandWiring.h"
#include "ui/Mainform.h"
#include "ui/UndoHistory.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace ovb {

namespace {

void ShowSteps(UndoHistory& history, QAction* undo, QAction* redo) {
    undo->setText(history.undoText());
    undo->setEnabled(history.stack().CanUndo());
    redo->setText(history.redoText());
    redo->setEnabled(history.stack().CanRedo());
}

// Commands whose in-memory changes only record a file write are taken into the committed state
// once they are done, so that none of it becomes a step (the slot runs after the command's own).
void AbsorbFileCommands(TForm1& form, UndoHistory& history) {
    for (QAction* action : form.findChildren<QAction*>())
        if (UndoHistory::WritesFilesOnly(action->text()))
            QObject::connect(action, &QAction::triggered, &history,
                             [&history, action] { history.commitAs(action->text()); });
}

} // namespace

void WireUndoCommands(TForm1& form) {
    QMenu* edit = FindMenu(form, "&Edit");
    if (!edit) return;
    UndoHistory& history = form.undoHistory();
    QAction* first = edit->actions().value(0);
    auto* undo = new QAction("Undo", edit);
    undo->setShortcut(QKeySequence::Undo);
    auto* redo = new QAction("Redo", edit);
    redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    edit->insertAction(first, undo);
    edit->insertAction(first, redo);
    edit->insertSeparator(first);
    QObject::connect(undo, &QAction::triggered, &history, [&history] { history.undo(); });
    QObject::connect(redo, &QAction::triggered, &history, [&history] { history.redo(); });
    auto show = [&history, undo, redo] { ShowSteps(history, undo, redo); };
    QObject::connect(&history, &UndoHistory::changed, undo, show);
    // Edits that did not refresh are committed when the menu opens, so it names them.
    QObject::connect(edit, &QMenu::aboutToShow, undo, [&history, show] {
        history.commitPending();
        show();
    });
    AbsorbFileCommands(form, history);
    show();
}

} // namespace ovb
