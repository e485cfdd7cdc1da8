// The program's pictures, drawn rather than loaded: the start screen's sampler display with a
// decaying wave over a keyboard, and the same scene as the program's icon.
#include "ui/AppIcon.h"
#include "ui/Startscreen.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

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
// phase: the sine's phase at the right edge, in radians.
void DrawWave(QPainter& p, const QRectF& area, double line = 2, double phase = 70) {
    QPainterPath wave, upper, lower;
    const double mid = area.center().y(), height = area.height() / 2;
    for (int x = 0; x <= int(area.width()); ++x) {
        const double t = x / area.width();
        const double envelope = std::exp(-3.2 * t) * (1 - std::exp(-60 * t));
        const double y = mid - height * envelope * std::sin(t * phase);
        const QPointF point(area.left() + x, y);
        x == 0 ? wave.moveTo(point) : wave.lineTo(point);
        const QPointF top(area.left() + x, mid - height * envelope);
        const QPointF bottom(area.left() + x, mid + height * envelope);
        x == 0 ? upper.moveTo(top) : upper.lineTo(top);
        x == 0 ? lower.moveTo(bottom) : lower.lineTo(bottom);
    }
    p.setPen(QPen(QColor(0x3a, 0x6e, 0x9e), line / 2, Qt::DashLine));
    p.drawPath(upper);
    p.drawPath(lower);
    p.setPen(QPen(QColor(0x5c, 0xe1, 0xe6), line));
    p.drawPath(wave);
}

void DrawKeyboard(QPainter& p, const QRectF& area, int whiteKeys = 22, double line = 1) {
    const double w = area.width() / whiteKeys;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), line));
    for (int k = 0; k < whiteKeys; ++k) {
        QLinearGradient ivory(0, area.top(), 0, area.bottom());
        ivory.setColorAt(0, QColor(0xf4, 0xf1, 0xe8));
        ivory.setColorAt(1, QColor(0xd8, 0xd2, 0xc4));
        p.setBrush(ivory);
        p.drawRect(QRectF(area.left() + k * w, area.top(), w, area.height()));
    }
    p.setBrush(QColor(0x15, 0x15, 0x15));
    for (int k = 0; k < whiteKeys - 1; ++k) {
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

// The icon: the display and a few keys on a rounded tile, with strokes that grow with the size
// so the wave still reads at 16 pixels.
QImage AppIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size, line = std::max(1.0, s / 32);
    const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    QPainterPath rounded;
    rounded.addRoundedRect(tile, s * 0.16, s * 0.16);
    p.setClipPath(rounded);
    DrawBackground(p, tile);
    const QRectF display(s * 0.12, s * 0.12, s * 0.76, s * 0.44);
    p.setPen(QPen(QColor(0x3a, 0x6e, 0x9e), line / 2));
    p.setBrush(QColor(0x06, 0x0b, 0x16));
    p.drawRoundedRect(display, s * 0.05, s * 0.05);
    DrawWave(p, display.adjusted(s * 0.04, s * 0.04, -s * 0.04, -s * 0.04), line * 1.5, 25);
    DrawKeyboard(p, QRectF(s * 0.12, s * 0.63, s * 0.76, s * 0.25), 5, line / 2);
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : kAppIconSizes)
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    return icon;
}

} // namespace ovb
