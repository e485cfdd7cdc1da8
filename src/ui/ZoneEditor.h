#pragma once
// The twenty zones of the current sound: which multisample each plays, its velocity window (the
// upper limit is dragged up and down with the mouse), the fixed key window, volume and transpose.
// Changes go straight into the bank.
#include "bank/Acc_bank_structure.h"

#include <QGroupBox>

#include <array>
#include <functional>

class QAbstractItemModel;
class QComboBox;
class QGridLayout;
class QLabel;

namespace ovb {

class EditorHost;
class LevelBar;

class ZoneEditor : public QGroupBox {
    Q_OBJECT
  public:
    using CurrentSound = std::function<int()>;
    ZoneEditor(EditorHost& host, QAbstractItemModel* multisampleNames, CurrentSound current,
               QWidget* parent = nullptr);

    // Selects each zone's multisample in its list and colours the list (white when it plays one).
    void showZoneLists();
    // Writes the velocity limits, their bars, the volumes and the transposes.
    void showZoneValues();

    // zone: 0..19
    QComboBox* zoneList(int zone) const { return rows_[zone].list; }
    QLabel* zoneLabel(int zone) const { return rows_[zone].label; }
    QLabel* velocityLabel(int zone) const { return rows_[zone].velocity; }
    LevelBar* velocityBar(int zone) const { return rows_[zone].bar; }
    QLabel* volumeLabel(int zone) const { return rows_[zone].volume; }
    QLabel* transposeLabel(int zone) const { return rows_[zone].transpose; }

    static QColor ListColour(bool holdsMultisample);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Row {
        QLabel* label = nullptr;
        QComboBox* list = nullptr;
        LevelBar* bar = nullptr;
        QLabel* velocity = nullptr;
        QLabel* volume = nullptr;
        QLabel* transpose = nullptr;
    };
    void addHeader(QGridLayout* grid);
    void addRow(QGridLayout* grid, QAbstractItemModel* names, int zone);
    as_sound& sound() const;
    void zoneListChanged(int zone, int item);
    void zoneLabelClicked(int zone);
    void colourList(int zone);
    bool velocityMouse(int zone, QEvent* event);

    EditorHost& host_;
    CurrentSound current_;
    std::array<Row, kZones> rows_;
    bool showing_ = false;
    // The velocity drag: whether a limit label is held, and where the mouse was last.
    bool dragging_ = false;
    QPointF last_;
};

} // namespace ovb
