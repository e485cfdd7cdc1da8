// Edit > Undo / Redo: the two commands carry the name of the step they restore.
#include "ui/CommandWiring.h"
#include "ui/Mainform.h"
#include "ui/UndoHistory.h"

#include <QAction>
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
        if (UndoHistory::WritesFilesOnly(action))
            QObject::connect(action, &QAction::triggered, &history,
                             [&history, action] { history.commitAfter(*action); });
}

} // namespace

void WireUndoCommands(TForm1& form) {
    UndoHistory& history = form.undoHistory();
    QAction* undo = Activate(form, Command::Undo, [&history] { history.undo(); });
    QAction* redo = Activate(form, Command::Redo, [&history] { history.redo(); });
    auto show = [&history, undo, redo] { ShowSteps(history, undo, redo); };
    QObject::connect(&history, &UndoHistory::changed, undo, show);
    // Edits that did not refresh are committed when the menu opens, so it names them.
    QObject::connect(FindMenu(form, Menu::Edit), &QMenu::aboutToShow, undo, [&history, show] {
        history.commitPending();
        show();
    });
    AbsorbFileCommands(form, history);
    show();
}

} // namespace ovb
