// The start screen's picture: a sampler's display with a decaying wave over a keyboard.
#include "ui/Startscreen.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace ovb {

namespace {

void DrawBackground(QPainter& p, const QRectF& r) {
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x1b, 0x2a, 0x49));
    sky.setColorAt(1, QColor(0x0a, 0x10, 0x1e));
    p.fillRect(r, sky);
}

// A struck string: a sine under an exponential envelope, mirrored as the envelope's outline.
void DrawWave(QPainter& p, const QRectF& area) {
    QPainterPath wave, upper, lower;
    const double mid = area.center().y(), height = area.height() / 2;
    for (int x = 0; x <= int(area.width()); ++x) {
        const double t = x / area.width();
        const double envelope = std::exp(-3.2 * t) * (1 - std::exp(-60 * t));
        const double y = mid - height * envelope * std::sin(t * 70);
        const QPointF point(area.left() + x, y);
        x == 0 ? wave.moveTo(point) : wave.lineTo(point);
        const QPointF top(area.left() + x, mid - height * envelope);
        const QPointF bottom(area.left() + x, mid + height * envelope);
        x == 0 ? upper.moveTo(top) : upper.lineTo(top);
        x == 0 ? lower.moveTo(bottom) : lower.lineTo(bottom);
    }
    p.setPen(QPen(QColor(0x3a, 0x6e, 0x9e), 1, Qt::DashLine));
    p.drawPath(upper);
    p.drawPath(lower);
    p.setPen(QPen(QColor(0x5c, 0xe1, 0xe6), 2));
    p.drawPath(wave);
}

void DrawKeyboard(QPainter& p, const QRectF& area) {
    constexpr int kWhiteKeys = 22;
    const double w = area.width() / kWhiteKeys;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    for (int k = 0; k < kWhiteKeys; ++k) {
        QLinearGradient ivory(0, area.top(), 0, area.bottom());
        ivory.setColorAt(0, QColor(0xf4, 0xf1, 0xe8));
        ivory.setColorAt(1, QColor(0xd8, 0xd2, 0xc4));
        p.setBrush(ivory);
        p.drawRect(QRectF(area.left() + k * w, area.top(), w, area.height()));
    }
    p.setBrush(QColor(0x15, 0x15, 0x15));
    for (int k = 0; k < kWhiteKeys - 1; ++k) {
        const int inOctave = k % 7;
        if (inOctave == 2 || inOctave == 6) continue; // no black key after E and B
        p.drawRect(
            QRectF(area.left() + (k + 1) * w - w * 0.3, area.top(), w * 0.6, area.height() * 0.6));
    }
}

} // namespace

QPixmap StartPicture(QSize size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(size));
    DrawBackground(p, all);
    const double keysTop = all.height() * 0.68;
    QRectF display(all.left() + 14, all.top() + 12, all.width() - 28, keysTop - 24);
    p.setPen(QPen(QColor(0x3a, 0x6e, 0x9e), 1));
    p.setBrush(QColor(0x06, 0x0b, 0x16));
    p.drawRoundedRect(display, 6, 6);
    DrawWave(p, display.adjusted(10, 8, -10, -8));
    DrawKeyboard(p,
                 QRectF(all.left() + 14, keysTop, all.width() - 28, all.height() - keysTop - 10));
    return pixmap;
}

} // namespace ovb
