#include "uibase/StatusMessage.h"

#include <QMainWindow>
#include <QStatusBar>

namespace ovb {

namespace {
constexpr int kShownMs = 10000;
} // namespace

void ShowStatus(const QWidget* inside, const QString& text) {
    for (const QWidget* w = inside; w; w = w->parentWidget())
        if (auto* main = qobject_cast<const QMainWindow*>(w))
            return main->statusBar()->showMessage(text, kShownMs);
}

} // namespace ovb
