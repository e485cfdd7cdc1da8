#pragma once
// A stand-in for the main window in page tests: it owns a bank, answers questions from a script,
// and refreshes the shared models and the pages under test in the order the main window does,
// recording the refresh bits each request asked for.
#include "job/ScriptedJobServices.h"
#include "ui/BankModels.h"
#include "ui/RecordGrid.h"
#include "ui/RecordPage.h"
#include "uibase/EditorHost.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <memory>
#include <vector>

namespace ovb::test {

struct TestEditorHost : EditorHost {
    std::unique_ptr<as_bank> owned = std::make_unique<as_bank>();
    ScriptedJobServices services;
    BankModels models{*owned};
    std::vector<int> refreshes;
    std::vector<RecordPage*> pages;

    as_bank& bank() override { return *owned; }
    JobServices& jobs() override { return services; }
    void RefreshViews(int flags) override {
        refreshes.push_back(flags);
        models.refresh(flags);
        for (RecordPage* page : pages)
            page->refresh(flags);
    }
    void showPreset(int) override {}
    void showSound(int) override {}
    void showMultisample(int) override {}
};

inline void SendMouse(QWidget& target, QEvent::Type type, QPointF at,
                      Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, target.mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(&target, &event);
}

inline void Click(QWidget& target, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, modifiers);
}

// Clicks a record's name cell as the user would.
inline void ClickRecord(QAbstractItemView& grid, int record) {
    const QModelIndex index = grid.model()->index(record, 1);
    grid.scrollTo(index);
    Click(*grid.viewport(), grid.visualRect(index).center());
}

inline void TypeKey(QWidget& target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &release);
}

inline void TypeText(QWidget& target, const QString& text) {
    for (QChar c : text)
        TypeKey(target, c.toUpper().unicode(), QString(c));
}

} // namespace ovb::test
