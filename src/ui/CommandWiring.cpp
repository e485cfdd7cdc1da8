#include "ui/CommandWiring.h"

#include "ui/Mainform.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace ovb {

namespace {

QString Plain(QString text) {
    return text.remove('&');
}

template <typename Visit> void ForEachAction(QMenu* menu, Visit& visit) {
    for (QAction* action : menu->actions()) {
        if (!visit(action)) return;
        if (QMenu* sub = action->menu()) ForEachAction(sub, visit);
    }
}

template <typename Visit> void ForEachAction(TForm1& form, Visit visit) {
    for (QAction* top : form.menuBar()->actions())
        if (QMenu* menu = top->menu()) {
            if (!visit(top)) return;
            ForEachAction(menu, visit);
        }
}

} // namespace

QAction* FindCommand(TForm1& form, const QString& caption) {
    QAction* found = nullptr;
    ForEachAction(form, [&](QAction* action) {
        if (!action->menu() && action->text() == caption) found = action;
        return found == nullptr;
    });
    return found;
}

QMenu* FindMenu(TForm1& form, const QString& title) {
    QMenu* found = nullptr;
    ForEachAction(form, [&](QAction* action) {
        if (action->menu() && Plain(action->text()) == Plain(title)) found = action->menu();
        return found == nullptr;
    });
    return found;
}

QAction* Activate(TForm1& form, const QString& caption, std::function<void()> work) {
    QAction* action = FindCommand(form, caption);
    if (!action) return nullptr;
    action->setEnabled(true);
    action->setStatusTip(QString());
    QObject::connect(action, &QAction::triggered, &form, std::move(work));
    return action;
}

} // namespace ovb
