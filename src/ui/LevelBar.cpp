#include "ui/LevelBar.h"

#include <QPainter>

namespace ovb {

namespace {
constexpr int kWidth = 128; // one pixel per value, 0..127, when there is room
constexpr int kNarrowest = 34;
} // namespace

// On a small screen the bar gives up width before anything beside it is cut.
LevelBar::LevelBar(QColor fill, QWidget* parent) : QWidget(parent), fill_(fill) {
    setMinimumWidth(kNarrowest);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFixedHeight(12);
}

void LevelBar::setLevel(int pixels) {
    if (pixels == level_) return;
    level_ = pixels;
    update();
}

QSize LevelBar::sizeHint() const {
    return {kWidth + 2, 12};
}

void LevelBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const int inside = width() - 2;
    p.fillRect(QRect(1, 1, std::min(level_, 127) * inside / 127, height() - 2), fill_);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace ovb
