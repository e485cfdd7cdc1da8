#pragma once
// A bar whose filled width in pixels equals a 0..127 value, drawn from a fixed left edge: the
// velocity and key windows of the zone editor.
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
