#include "uibase/CentreWindow.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace ovb {

void CentreWindow(QWidget& window) {
    QRect area;
    QSize frameExtra(0, 0);
    QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (owner && owner->isVisible()) {
        area = owner->frameGeometry();
        // A window's frame is known only once it is shown; the owner's frame is the best guess,
        // as both are decorated by the same window manager.
        frameExtra = owner->frameGeometry().size() - owner->geometry().size();
    } else {
        QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        area = screen->availableGeometry();
    }
    if (window.isVisible()) frameExtra = window.frameGeometry().size() - window.size();
    QRect frame(QPoint(0, 0), window.size() + frameExtra);
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

} // namespace ovb
