#pragma once
// Helpers for driving real windows from a test without blocking on a modal loop.
#include "ui/CommandWiring.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

namespace ovb::test {

// Waits, inside the modal loop that the code under test enters, for a modal window to appear and
// hands it to act, which must close it. Gives up after a few seconds so a broken test fails
// instead of hanging.
inline void WhenModalAppears(std::function<void(QWidget&)> act, int triesLeft = 300) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(*modal);
        else if (triesLeft > 0)
            WhenModalAppears(std::move(act), triesLeft - 1);
    });
}

// Replaces one of the program's hooks (a dialog it would show) for the life of the object and
// puts the old one back after.
template <typename Hook> class HookScope {
  public:
    HookScope(Hook& hook, std::type_identity_t<Hook> replacement) : hook_(hook), saved_(hook) {
        hook_ = std::move(replacement);
    }
    ~HookScope() { hook_ = std::move(saved_); }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;

  private:
    Hook& hook_;
    Hook saved_;
};

// Runs the command of a menu under root, which must be there and enabled.
inline void Trigger(QObject& root, Command command) {
    QAction* action = FindCommand(root, command);
    ASSERT_NE(action, nullptr) << EntryOf(command).caption;
    ASSERT_TRUE(action->isEnabled()) << EntryOf(command).caption;
    action->trigger();
}

// The texts of a list's items, top to bottom.
inline QStringList ListItems(const QListWidget& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.item(i)->text();
    return items;
}

// The colour the widget actually paints at a point given as fractions of its size.
inline QColor PaintedColour(QWidget& widget, double fx, double fy) {
    const QImage image = widget.grab().toImage();
    return image.pixelColor(int(image.width() * fx), int(image.height() * fy));
}

} // namespace ovb::test
