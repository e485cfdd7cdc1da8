#include "ui/SoundSettings.h"

#include "uibase/EditorHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ovb {

SoundSettings::SoundSettings(EditorHost& host, CurrentSound current, QWidget* parent)
    : QWidget(parent), host_(host), current_(std::move(current)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(makeModeGroup());
    column->addWidget(makeCategoryGroup());
    column->addStretch(1);
    showSound();
}

QWidget* SoundSettings::makeModeGroup() {
    auto* group = new QGroupBox("Oscilator Setup", this);
    mode_ = new QComboBox(group);
    for (const char* name : kOscillatorModeNames)
        mode_->addItem(name);
    mode_->setMaxVisibleItems(kOscillatorModes);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(new QLabel("Mode", group));
    layout->addWidget(mode_);
    connect(mode_, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (!showing_ && item >= 0) sound().osc_mode = std::uint8_t(item);
    });
    return group;
}

QWidget* SoundSettings::makeCategoryGroup() {
    auto* group = new QGroupBox("Sound Group Assignment", this);
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    const int rows = (kCategories + 1) / 2;
    for (int bit = 0; bit < kCategories; ++bit) {
        boxes_[bit] = new QCheckBox(kCategoryCaptions[bit], group);
        grid->addWidget(boxes_[bit], bit % rows, bit / rows);
        connect(boxes_[bit], &QCheckBox::clicked, this, [this, bit](bool on) {
            const std::uint32_t mask = 1u << bit;
            sound().category = on ? sound().category | mask : sound().category & ~mask;
        });
    }
    clearAll_ = new QPushButton("Clear All Groups", group);
    grid->addWidget(clearAll_, rows, 0, 1, 2);
    connect(clearAll_, &QPushButton::clicked, this, [this] {
        sound().category = 0;
        host_.RefreshViews(refresh::All);
    });
    return group;
}

as_sound& SoundSettings::sound() const {
    return host_.bank().sound(unsigned(current_()));
}

void SoundSettings::showSound() {
    showing_ = true;
    const as_sound& s = sound();
    // A mode value the list does not offer selects nothing.
    mode_->setCurrentIndex(s.osc_mode < kOscillatorModes ? s.osc_mode : -1);
    for (int bit = 0; bit < kCategories; ++bit)
        boxes_[bit]->setChecked((s.category >> bit) & 1u);
    showing_ = false;
}

} // namespace ovb
