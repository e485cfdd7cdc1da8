#include "uibase/CentreWindow.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ovb {

namespace {

// Room for a usual title bar and border, while the window manager has not yet told the frame.
constexpr QSize kUsualFrame(8, 36);

QWidget* VisibleOwner(const QWidget& window) {
    QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    return owner && owner->isVisible() ? owner : nullptr;
}

QScreen* ScreenAt(QPoint point, const QWidget& fallback) {
    if (QScreen* screen = QGuiApplication::screenAt(point)) return screen;
    return fallback.screen() ? fallback.screen() : QGuiApplication::primaryScreen();
}

// The frame around the window's contents: its own once shown, else its owner's, as both are
// decorated by the same window manager.
QSize FrameExtra(const QWidget& window, const QWidget* owner) {
    if (window.isVisible()) return window.frameGeometry().size() - window.size();
    if (owner) return owner->frameGeometry().size() - owner->geometry().size();
    return kUsualFrame;
}

int Clamp(int at, int low, int high) {
    return std::max(low, std::min(at, high));
}

// The size the window has, or the one Qt gives it when it is first shown.
QSize ShownSize(const QWidget& window) {
    if (window.isVisible() || window.testAttribute(Qt::WA_Resized)) return window.size();
    return window.sizeHint()
        .expandedTo(window.minimumSizeHint())
        .boundedTo(window.maximumSize())
        .expandedTo(window.minimumSize());
}

// Sizes the window to fit the area and moves its frame, centred on `centre`, into the area; a
// window that cannot fit keeps its top left corner reachable.
void PlaceIn(QWidget& window, const QRect& area, QSize frameExtra, QPoint centre) {
    const QSize room = area.size() - frameExtra;
    QSize size = ShownSize(window);
    if (size.width() > room.width() || size.height() > room.height()) {
        size = size.boundedTo(room).expandedTo(window.minimumSize());
        window.resize(size);
    }
    QRect frame(QPoint(0, 0), size + frameExtra);
    frame.moveCenter(centre);
    frame.moveTo(Clamp(frame.left(), area.left(), area.right() + 1 - frame.width()),
                 Clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    window.move(frame.topLeft());
}

} // namespace

void CentreWindow(QWidget& window) {
    const QWidget* owner = VisibleOwner(window);
    const QPoint ownerCentre = owner ? owner->frameGeometry().center() : QPoint();
    QScreen* screen = owner ? ScreenAt(ownerCentre, *owner) : ScreenAt(window.pos(), window);
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    PlaceIn(window, area, FrameExtra(window, owner), owner ? ownerCentre : area.center());
}

void KeepOnScreen(QWidget& window) {
    const QSize frameExtra = FrameExtra(window, VisibleOwner(window));
    const QRect frame(window.pos(), window.size() + frameExtra);
    QScreen* screen = ScreenAt(frame.center(), window);
    if (!screen) return;
    PlaceIn(window, screen->availableGeometry(), frameExtra, frame.center());
}

} // namespace ovb
