#pragma once
// The oscillator mode and the category bits of the current sound, beside its zones.
#include "bank/Acc_bank_structure.h"
#include "bank/SoundLabels.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace ovb {

class EditorHost;

class SoundSettings : public QWidget {
    Q_OBJECT
  public:
    using CurrentSound = std::function<int()>;
    SoundSettings(EditorHost& host, CurrentSound current, QWidget* parent = nullptr);

    // Shows the current sound's mode and category bits.
    void showSound();

    QComboBox* modeList() const { return mode_; }
    QCheckBox* categoryBox(int bit) const { return boxes_[bit]; }
    QPushButton* clearAllButton() const { return clearAll_; }

  private:
    QWidget* makeModeGroup();
    QWidget* makeCategoryGroup();
    as_sound& sound() const;

    EditorHost& host_;
    CurrentSound current_;
    QComboBox* mode_ = nullptr;
    std::array<QCheckBox*, kCategories> boxes_{};
    QPushButton* clearAll_ = nullptr;
    bool showing_ = false;
};

} // namespace ovb
