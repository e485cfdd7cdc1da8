#pragma once
// The five section pages: scenes, solo, acomp, F.bass and chord set-ups. Each shows its record
// list and, beside it, what the current record uses: a scene its solo and acomp, an acomp its
// F.bass and chord, the other three their three sounds with an ON switch each.
#include "bank/Acc_bank_structure.h"
#include "ui/RecordPage.h"

#include <array>
#include <cstdint>

class QCheckBox;

namespace ovb {

class BankModels;

// A page whose records choose two set-ups of other tables.
class PairPage : public SectionPage {
    Q_OBJECT
  public:
    using Field = std::uint16_t& (*)(as_bank&, unsigned record);
    struct Choice {
        QString caption;
        QAbstractItemModel* names;
        Field field;
    };

    // Selects the current record's two set-ups. Every refresh does, whatever the bits.
    void refresh(int flags) override;
    QComboBox* choiceList(int which) const { return lists_[which]; }

  protected:
    PairPage(EditorHost& host, RecordGridModel* model, int clickFlags, const QString& title,
             const QString& subtitle, const std::array<Choice, 2>& choices, QWidget* parent);

  private:
    std::array<Field, 2> fields_;
    std::array<QComboBox*, 2> lists_;
};

// A page whose records play three sounds, each switched on or off.
class LayerPage : public SectionPage {
    Q_OBJECT
  public:
    using Records = as_layers& (*)(as_bank&, unsigned record);

    // Selects the current record's three sounds and sets its ON boxes. Every refresh does, so a
    // click in the list never leaves the previous record's sounds on show.
    void refresh(int flags) override;
    QComboBox* soundList(int layer) const { return lists_[layer]; }
    QCheckBox* onBox(int layer) const { return boxes_[layer]; }

  protected:
    LayerPage(EditorHost& host, BankModels& models, RecordGridModel* model, int clickFlags,
              Records records, const QString& title, const QString& subtitle,
              const std::array<QString, 3>& captions, QWidget* parent);

  private:
    as_layers& current() const;
    Records records_;
    std::array<QComboBox*, 3> lists_;
    std::array<QCheckBox*, 3> boxes_;
};

class ScenePage : public PairPage {
    Q_OBJECT
  public:
    ScenePage(EditorHost& host, BankModels& models, QWidget* parent = nullptr);
};

class AcompPage : public PairPage {
    Q_OBJECT
  public:
    AcompPage(EditorHost& host, BankModels& models, QWidget* parent = nullptr);
};

class SoloPage : public LayerPage {
    Q_OBJECT
  public:
    SoloPage(EditorHost& host, BankModels& models, QWidget* parent = nullptr);
};

class FbassPage : public LayerPage {
    Q_OBJECT
  public:
    FbassPage(EditorHost& host, BankModels& models, QWidget* parent = nullptr);
};

class ChordPage : public LayerPage {
    Q_OBJECT
  public:
    ChordPage(EditorHost& host, BankModels& models, QWidget* parent = nullptr);
};

} // namespace ovb
