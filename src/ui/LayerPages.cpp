// The solo, F.bass and chord pages: each record plays three sounds, each with an ON switch.
#include "ui/BankModels.h"
#include "ui/SectionPages.h"
#include "uibase/EditorHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>

namespace ovb {

namespace {
std::uint16_t& Sound(as_layers& r, int layer) {
    return layer == 0 ? r.sound1 : layer == 1 ? r.sound2 : r.sound3;
}
std::uint8_t& On(as_layers& r, int layer) {
    return layer == 0 ? r.sound1_on : layer == 1 ? r.sound2_on : r.sound3_on;
}
} // namespace

LayerPage::LayerPage(EditorHost& host, BankModels& models, RecordGridModel* model, int clickFlags,
                     Records records, const QString& title, const QString& subtitle,
                     const std::array<QString, 3>& captions, QWidget* parent)
    : SectionPage(host, model, clickFlags, title, subtitle, parent), records_(records) {
    for (int layer = 0; layer < 3; ++layer) {
        auto* group = new QGroupBox(captions[layer], this);
        lists_[layer] = makeChoiceList(models.soundNames(), 24);
        boxes_[layer] = new QCheckBox("ON", group);
        auto* row = new QHBoxLayout(group);
        row->addWidget(lists_[layer], 1);
        row->addWidget(boxes_[layer]);
        addGroup(group);
        connect(lists_[layer], &QComboBox::currentIndexChanged, this, [this, layer](int item) {
            if (!showing() && item >= 0) Sound(current(), layer) = std::uint16_t(item);
        });
        connect(boxes_[layer], &QCheckBox::clicked, this,
                [this, layer](bool on) { On(current(), layer) = on ? 1 : 0; });
    }
}

as_layers& LayerPage::current() const {
    return records_(host().bank(), unsigned(currentRecord()));
}

void LayerPage::refresh(int) {
    Showing showing(*this);
    as_layers& r = current();
    for (int layer = 0; layer < 3; ++layer) {
        lists_[layer]->setCurrentIndex(Sound(r, layer));
        boxes_[layer]->setChecked(On(r, layer) != 0);
    }
}

SoloPage::SoloPage(EditorHost& host, BankModels& models, QWidget* parent)
    : LayerPage(
          host, models, models.soloGrid(), refresh::SoloLists,
          [](as_bank& b, unsigned r) -> as_layers& { return b.solo(r); }, "SOLO", "Sounds in SOLO",
          {"SOLO 1", "SOLO 2", "SOLO 3"}, parent) {
    refresh(refresh::All);
}

FbassPage::FbassPage(EditorHost& host, BankModels& models, QWidget* parent)
    : LayerPage(
          host, models, models.fbassGrid(), refresh::Fbass,
          [](as_bank& b, unsigned r) -> as_layers& { return b.fbass(r); }, "Fundamental BASS",
          "Sounds in Fundamental BASS", {"F.BASS 1", "F.BASS 2", "F.BASS 2 - PERCUSSION"}, parent) {
    refresh(refresh::All);
}

ChordPage::ChordPage(EditorHost& host, BankModels& models, QWidget* parent)
    : LayerPage(
          host, models, models.chordGrid(), refresh::Chord,
          [](as_bank& b, unsigned r) -> as_layers& { return b.chord(r); }, "CHORD", "Sounds CHORD",
          {"CHORD 1", "CHORD 2", "CHORD 3 - PERCUSSION"}, parent) {
    refresh(refresh::All);
}

} // namespace ovb
