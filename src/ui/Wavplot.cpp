#include "ui/Wavplot.h"

#include "base/Formatting.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace ovb {

namespace {

// Lines include their first point and stop before their last, as the plot has always drawn them.
void HLine(QImage& image, int y, int x0, int x1, QRgb colour) {
    if (y < 0 || y >= image.height()) return;
    for (int x = std::max(x0, 0); x < std::min(x1, image.width()); ++x)
        image.setPixel(x, y, colour);
}

void VLine(QImage& image, int x, int y0, int y1, QRgb colour) {
    if (x < 0 || x >= image.width()) return;
    for (int y = std::max(y0, 0); y < std::min(y1, image.height()); ++y)
        image.setPixel(x, y, colour);
}

} // namespace

MyWavePlot::MyWavePlot(QWidget* parent)
    : QWidget(parent), image_(kWidth, kHeight, QImage::Format_RGB32), saved_(kHeight),
      column_(kHeight) {
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.fill(kTextBackground);
}

MyWavePlot::~MyWavePlot() = default;

void MyWavePlot::Plot(const std::uint8_t* samples, std::uint32_t length, bool stereo) {
    samples_ = samples;
    length_ = samples ? length : 0;
    stereo_ = stereo;
    draw();
    valid_ = true;
}

void MyWavePlot::ShowText(const QString& text) {
    image_.fill(kTextBackground);
    cursor_ = -1; // the fresh image has no cursor line to restore
    QPainter p(&image_);
    p.setFont(font());
    p.setPen(QColor::fromRgb(kMessageText));
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(text);
    p.drawText(QRect(kWidth / 2 - width / 2, kHeight / 2 - 9, width, metrics.height()),
               Qt::AlignLeft | Qt::AlignTop, text);
    p.end();
    valid_ = false;
    update();
}

void MyWavePlot::StepZoom(bool up) {
    const unsigned before = zoom_;
    if (up && zoom_ < kMaxZoom) ++zoom_;
    if (!up && zoom_ > 0) --zoom_;
    if (zoom_ != before && valid_) draw();
}

QString MyWavePlot::ZoomCaption() const {
    return QString::fromStdString(ZoomText(zoom_));
}

void MyWavePlot::draw() {
    const WaveExtents e = ComputeWaveExtents({samples_, length_}, stereo_, kWidth, kHeight, zoom_);
    image_.fill(kWaveBackground);
    cursor_ = -1;
    const int mid = kHeight / 2;
    if (!stereo_) {
        HLine(image_, mid, 0, kWidth - 1, kCentreLine);
        HLine(image_, mid - mid / 2, 0, kWidth - 1, kQuarterLine);
        HLine(image_, mid + mid / 2, 0, kWidth - 1, kQuarterLine);
        drawChannel(e.left, mid, kLeftWave);
    } else {
        const int q1 = mid - mid / 2, q2 = mid + mid / 2;
        HLine(image_, mid, 0, kWidth, kCentreLine);
        HLine(image_, q1, 0, kWidth - 1, kCentreLine);
        HLine(image_, q2, 0, kWidth - 1, kCentreLine);
        for (int y : {q1 - q1 / 2, q1 + q1 / 2, q2 - q1 / 2, q2 + q1 / 2})
            HLine(image_, y, 0, kWidth - 1, kQuarterLine);
        drawChannel(e.left, q1, kLeftWave);
        drawChannel(e.right, q2, kRightWave);
    }
    drawTexts(e.frames);
    update();
}

void MyWavePlot::drawChannel(const ColumnExtents& c, int centre, QRgb colour) {
    for (int x = 0; x < int(c.upper.size()); ++x)
        VLine(image_, x, centre - c.upper[x], centre + c.lower[x], colour);
}

void MyWavePlot::drawTexts(std::uint64_t frames) {
    QPainter p(&image_);
    p.setFont(font());
    p.setPen(QColor::fromRgb(kInfoText));
    const QFontMetrics metrics(font());
    const QString count = QString::fromStdString(FormatWithSpaces(frames));
    const QString duration = QString::fromStdString(FormatDuration(frames));
    for (auto [text, top] : {std::pair{count, 3}, std::pair{duration, kHeight - 15}}) {
        const int width = metrics.horizontalAdvance(text);
        p.drawText(QRect(kWidth - 4 - width, top, width, metrics.height()),
                   Qt::AlignLeft | Qt::AlignTop, text);
    }
}

void MyWavePlot::ShowPlayPosition(std::uint32_t p) {
    if (p < length_) {
        const int x = int(std::uint64_t(kWidth) * p / length_);
        if (x == cursor_) return;
        copyColumn(x, column_);
        VLine(image_, x, 0, kHeight, kCursor);
        if (cursor_ != -1) pasteColumn(cursor_, saved_);
        saved_.swap(column_);
        cursor_ = x;
    } else {
        if (cursor_ == -1) return;
        pasteColumn(cursor_, saved_);
        cursor_ = -1;
    }
    update();
}

void MyWavePlot::copyColumn(int x, std::vector<QRgb>& to) const {
    for (int y = 0; y < kHeight; ++y)
        to[std::size_t(y)] = image_.pixel(x, y);
}

void MyWavePlot::pasteColumn(int x, const std::vector<QRgb>& from) {
    for (int y = 0; y < kHeight; ++y)
        image_.setPixel(x, y, from[std::size_t(y)]);
}

void MyWavePlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void MyWavePlot::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed();
}

void MyWavePlot::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit released();
}

} // namespace ovb
