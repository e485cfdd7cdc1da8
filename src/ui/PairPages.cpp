// The scene and acomp pages: each record chooses one set-up from each of two other tables.
#include "ui/BankModels.h"
#include "ui/SectionPages.h"
#include "uibase/EditorHost.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace ovb {

PairPage::PairPage(EditorHost& host, RecordGridModel* model, int clickFlags, const QString& title,
                   const QString& subtitle, const std::array<Choice, 2>& choices, QWidget* parent)
    : SectionPage(host, model, clickFlags, title, subtitle, parent) {
    for (int i = 0; i < 2; ++i) {
        fields_[i] = choices[i].field;
        auto* group = new QGroupBox(choices[i].caption, this);
        lists_[i] = makeChoiceList(choices[i].names, 36);
        (new QVBoxLayout(group))->addWidget(lists_[i]);
        addGroup(group);
        connect(lists_[i], &QComboBox::currentIndexChanged, this, [this, i](int item) {
            if (showing() || item < 0) return;
            fields_[i](this->host().bank(), unsigned(currentRecord())) = std::uint16_t(item);
        });
    }
}

void PairPage::refresh(int) {
    Showing showing(*this);
    for (int i = 0; i < 2; ++i)
        lists_[i]->setCurrentIndex(fields_[i](host().bank(), unsigned(currentRecord())));
}

ScenePage::ScenePage(EditorHost& host, BankModels& models, QWidget* parent)
    : PairPage(host, models.sceneGrid(), refresh::Scene, "SCENE", "SCENE - SOLO / ACOMP",
               {{{"SOLO", models.soloNames(),
                  [](as_bank& b, unsigned r) -> std::uint16_t& { return b.scene(r).solo; }},
                 {"ACOMP", models.acompNames(),
                  [](as_bank& b, unsigned r) -> std::uint16_t& { return b.scene(r).acomp; }}}},
               parent) {
    refresh(refresh::All);
}

AcompPage::AcompPage(EditorHost& host, BankModels& models, QWidget* parent)
    : PairPage(host, models.acompGrid(), refresh::AcompLists, "ACOMP", "ACOMP:  F.BASS / CHORD",
               {{{"F.BASS", models.fbassNames(),
                  [](as_bank& b, unsigned r) -> std::uint16_t& { return b.acomp(r).fbass; }},
                 {"CHORD", models.chordNames(),
                  [](as_bank& b, unsigned r) -> std::uint16_t& { return b.acomp(r).chord; }}}},
               parent) {
    refresh(refresh::All);
}

} // namespace ovb
