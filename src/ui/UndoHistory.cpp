#include "ui/UndoHistory.h"

#include "ui/CommandWiring.h"
#include "ui/Mainform.h"
#include "uibase/QtText.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QThread>

#include <utility>

namespace ovb {

namespace {

// Keys that end or move an edit, and every key with a modifier (shortcuts, menu mnemonics).
// In a text being typed, space and Delete are part of the typing: a name of several words is
// one edit, committed when it is finished.
bool EndsAnEdit(const QObject* watched, const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return true;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Space:
        return !qobject_cast<const QLineEdit*>(watched);
    default:
        return false;
    }
}

// The command a gesture chooses: a shortcut of an action, a click or Return in a menu.
QAction* ChosenCommand(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut) return qobject_cast<QAction*>(watched);
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu) return nullptr;
    if (event->type() == QEvent::MouseButtonRelease)
        return menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return menu->activeAction();
    }
    return nullptr;
}

bool IsGestureStart(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Shortcut:
        return true;
    case QEvent::Wheel:
        // Only lists and number boxes change with the wheel; scrolling stays cheap.
        return qobject_cast<QComboBox*>(watched) || qobject_cast<QAbstractSpinBox*>(watched);
    case QEvent::KeyPress:
        return EndsAnEdit(watched, *static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

} // namespace

UndoHistory::UndoHistory(TForm1& form) : form_(form), stack_(form.bank(), form.currentFileName()) {
    qApp->installEventFilter(this);
}

UndoHistory::~UndoHistory() = default;

QString UndoHistory::StepName(const QString& caption) {
    QString name = caption;
    name.remove('&');
    while (name.endsWith('.'))
        name.chop(1);
    return name.trimmed();
}

bool UndoHistory::WritesFilesOnly(const QObject* command) {
    const Command id = CommandOf(command);
    return id != Command::None && EntryOf(id).has(entry::FilesOnly);
}

void UndoHistory::commitAfter(const QAction& command) {
    commitStep(command.text(), WritesFilesOnly(&command));
}

void UndoHistory::commitStep(const QString& caption, bool filesOnly) {
    if (filesOnly) {
        stack_.Absorb(form_.bank(), form_.currentFileName());
        return;
    }
    if (stack_.Commit(form_.bank(), form_.currentFileName(), StepName(caption).toStdString()))
        emit changed();
}

void UndoHistory::beginCommand(const QString& caption) {
    commitPending();
    gesture_ = nullptr;
    outsideCommand_ = caption;
}

void UndoHistory::commitPending() {
    commitStep(QString(), false);
}

void UndoHistory::commit(const QObject* trigger) {
    const auto* action = qobject_cast<const QAction*>(trigger);
    if (action && !action->text().isEmpty()) return commitAfter(*action);
    if (!outsideCommand_.isEmpty()) return commitStep(std::exchange(outsideCommand_, {}), false);
    if (gesture_) return commitAfter(*gesture_);
    commitPending();
}

bool UndoHistory::restore(bool forward) {
    commitPending();
    std::string fileName = form_.currentFileName();
    const bool done =
        forward ? stack_.Redo(form_.bank(), fileName) : stack_.Undo(form_.bank(), fileName);
    if (!done) return false;
    form_.setCurrentFileName(std::move(fileName));
    form_.RefreshViews(refresh::All);
    emit changed();
    return true;
}

bool UndoHistory::undo() {
    return restore(false);
}

bool UndoHistory::redo() {
    return restore(true);
}

QString UndoHistory::undoText() const {
    return stack_.CanUndo() ? "Undo " + ToQString(stack_.UndoName()) : QString("Undo");
}

QString UndoHistory::redoText() const {
    return stack_.CanRedo() ? "Redo " + ToQString(stack_.RedoName()) : QString("Redo");
}

// A gesture first commits the edits before it, then names the command it chooses. Inside a
// command's own dialogs (a nested event loop) nothing is committed: the command is one step.
void UndoHistory::noteGesture(QObject* watched, QEvent* event) {
    const bool insideCommand = QThread::currentThread()->loopLevel() > 1;
    if (!insideCommand && IsGestureStart(watched, event)) {
        commitPending();
        gesture_ = nullptr;
        outsideCommand_.clear();
    }
    if (QAction* command = ChosenCommand(watched, event))
        if (command->isEnabled() && !command->menu()) gesture_ = command;
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event) {
    if (!IsGestureStart(watched, event) && !ChosenCommand(watched, event))
        return QObject::eventFilter(watched, event);
    // An unhandled press travels up to the parents: one gesture, one look at the bank.
    const auto* input = dynamic_cast<const QInputEvent*>(event);
    const quint64 time = input ? input->timestamp() : 0;
    if (event != lastEvent_ || event->type() != lastEventType_ || time != lastEventTime_) {
        lastEvent_ = event;
        lastEventType_ = event->type();
        lastEventTime_ = time;
        noteGesture(watched, event);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ovb
