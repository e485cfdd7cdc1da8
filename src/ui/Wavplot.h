#pragma once
// The waveform of the player's sample, drawn into an image of the plot's size, with a cursor
// line that follows playback. Everything here runs in the GUI thread: the cursor is moved by
// the player's display-rate timer, so the image needs no lock.
#include "audio/Drawwaveplot.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace ovb {

class MyWavePlot : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 628;
    static constexpr int kHeight = 88;

    // The colours the plot paints with.
    static constexpr QRgb kWaveBackground = 0xFFD0D0D0;
    static constexpr QRgb kTextBackground = 0xFFF0F0F0;
    static constexpr QRgb kCentreLine = 0xFF808080;
    static constexpr QRgb kQuarterLine = 0xFFC0C0C0;
    static constexpr QRgb kLeftWave = 0xFF4040DF;
    static constexpr QRgb kRightWave = 0xFFD00000;
    static constexpr QRgb kCursor = 0xFFFFFFFF;
    static constexpr QRgb kInfoText = 0xFFFFFF00;
    static constexpr QRgb kMessageText = 0xFF808080;

    explicit MyWavePlot(QWidget* parent = nullptr);
    ~MyWavePlot() override;

    // Draws `length` bytes of 16-bit frames. The bytes stay the caller's and must outlive the
    // plot or the next Plot; a zoom step reads them again.
    void Plot(const std::uint8_t* samples, std::uint32_t length, bool stereo);
    // Shows a message in place of a waveform.
    void ShowText(const QString& text);
    // One zoom step up or down within x1 .. x20; redraws only a waveform, never a message.
    void StepZoom(bool up);
    QString ZoomCaption() const;
    unsigned zoom() const { return zoom_; }
    bool valid() const { return valid_; }

    // Moves the cursor line to the column of byte position p; p at or past the end removes it.
    void ShowPlayPosition(std::uint32_t p);
    int cursorColumn() const { return cursor_; }

    const QImage& image() const { return image_; }

  signals:
    void pressed();  // any mouse button went down on the plot
    void released(); // and came up again

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void draw();
    void drawChannel(const ColumnExtents& c, int centre, QRgb colour);
    void drawTexts(std::uint64_t frames);
    void copyColumn(int x, std::vector<QRgb>& to) const;
    void pasteColumn(int x, const std::vector<QRgb>& from);

    QImage image_;
    const std::uint8_t* samples_ = nullptr;
    std::uint32_t length_ = 0;
    bool stereo_ = false;
    unsigned zoom_ = 0;
    bool valid_ = false;
    std::vector<QRgb> saved_;  // the pixels the cursor line covers now
    std::vector<QRgb> column_; // scratch for the next cursor column
    int cursor_ = -1;
};

} // namespace ovb
