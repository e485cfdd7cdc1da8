#pragma once
// A bar filled from a fixed left edge in proportion to a 0..127 value (one pixel per step at its
// full width): the velocity and key windows of the zone editor.
#include <QColor>
#include <QWidget>

namespace ovb {

class LevelBar : public QWidget {
    Q_OBJECT
  public:
    explicit LevelBar(QColor fill, QWidget* parent = nullptr);

    int level() const { return level_; }
    void setLevel(int pixels);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fill_;
    int level_ = 0;
};

} // namespace ovb
