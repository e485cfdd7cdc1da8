#include "ui/CommandWiring.h"

#include "uibase/StatusMessage.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QVariant>

namespace ovb {

namespace {

constexpr char kCommandProperty[] = "ovbCommand";
constexpr char kMenuProperty[] = "ovbMenu";

// A menu does not highlight a disabled command, so it never shows the command's status tip; this
// shows it while the mouse is over one, so that the user learns why it does nothing.
class DisabledCommandTips : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* menu = qobject_cast<QMenu*>(watched);
        if (menu && event->type() == QEvent::MouseMove) {
            const QAction* action =
                menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (action && !action->isEnabled() && !action->statusTip().isEmpty())
                ShowStatus(menu, action->statusTip());
        }
        return false;
    }
};

void AddSeparator(QWidget& target) {
    auto* separator = new QAction(&target);
    separator->setSeparator(true);
    target.addAction(separator);
}

QAction* MakeCommand(QWidget& target, const MenuEntry& row) {
    auto* action = new QAction(QString::fromUtf8(row.caption), &target);
    action->setProperty(kCommandProperty, int(row.command));
    if (*row.shortcut)
        action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(row.shortcut)));
    if (row.has(entry::WidgetShortcut)) action->setShortcutContext(Qt::WidgetShortcut);
    if (row.has(entry::Checkable)) {
        action->setCheckable(true);
        action->setChecked(row.has(entry::Checked));
        action->setStatusTip(QString::fromUtf8(row.statusTip));
    } else {
        action->setEnabled(false);
        action->setStatusTip(row.has(entry::NoAction) ? kNoActionInThisVersion : kNotYetAvailable);
    }
    return action;
}

} // namespace

void AddMenuEntries(QWidget& target, Menu menu) {
    for (const MenuEntry& row : MenuEntries()) {
        if (row.in != menu) continue;
        if (row.has(entry::SeparatorBefore)) AddSeparator(target);
        if (row.command != Command::None) {
            target.addAction(MakeCommand(target, row));
            continue;
        }
        auto* submenu = new QMenu(QString::fromUtf8(row.caption), &target);
        submenu->setProperty(kMenuProperty, int(row.submenu));
        submenu->installEventFilter(new DisabledCommandTips(submenu));
        target.addAction(submenu->menuAction());
        AddMenuEntries(*submenu, row.submenu);
    }
}

QAction* FindCommand(const QObject& root, Command command) {
    for (QAction* action : root.findChildren<QAction*>())
        if (CommandOf(action) == command) return action;
    return nullptr;
}

QMenu* FindMenu(const QObject& root, Menu menu) {
    for (QMenu* found : root.findChildren<QMenu*>())
        if (found->property(kMenuProperty).toInt() == int(menu)) return found;
    return nullptr;
}

Command CommandOf(const QObject* action) {
    return action ? Command(action->property(kCommandProperty).toInt()) : Command::None;
}

QAction* Activate(QObject& root, Command command, std::function<void()> work) {
    QAction* action = FindCommand(root, command);
    if (!action) return nullptr;
    action->setEnabled(true);
    action->setStatusTip(QString::fromUtf8(EntryOf(command).statusTip));
    QObject::connect(action, &QAction::triggered, &root, std::move(work));
    return action;
}

} // namespace ovb
