#include "ui/LevelBar.h"

#include <QPainter>

namespace ovb {

namespace {
constexpr int kWidth = 128; // one pixel per value, 0..127, plus the frame
} // namespace

LevelBar::LevelBar(QColor fill, QWidget* parent) : QWidget(parent), fill_(fill) {
    setFixedWidth(kWidth + 2);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
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
    p.fillRect(QRect(1, 1, std::min(level_, kWidth), height() - 2), fill_);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace ovb
