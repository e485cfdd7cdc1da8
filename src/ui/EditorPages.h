#pragma once
// The six editor pages of the main window (scenes, solos, acomps, F.basses, chords and sounds)
// behind one interface, so that the window does not depend on how a page is built: the real
// editors and simple stand-ins fit alike.
#include "uibase/EditorHost.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace ovb {

// Page indices of the main window's page control; the order is the order users know.
namespace page {
constexpr int Scene = 0, Solo = 1, Acomp = 2, Fbass = 3, Chord = 4, Sound = 5;
constexpr int Multisample = 6, SoundManager = 7;
constexpr int EditorCount = 6; // the pages made by EditorPages
} // namespace page

class EditorPages {
  public:
    virtual ~EditorPages() = default;
    virtual QWidget* widget(int index) = 0;
    // The record shown by a page: its grid row minus the header row.
    virtual int currentRecord(int index) const = 0;
    virtual void selectRecord(int index, int record) = 0;
    // The shared name lists first, then each page for its part of the refresh.
    virtual void refreshModels(int flags) = 0;
    virtual void refreshPage(int index, int flags) = 0;
    // Brings the given sound into view on the sound page.
    virtual void showSound(int sound) = 0;
};

// Called with the start-up gauge position after each page is built.
using BuildProgress = std::function<void(int percent)>;

// The pages of the given classes over one shared models object. Each page class is a QWidget
// made as Page(EditorHost&, Models&, QWidget* parent) with currentRecord(), selectRecord(int)
// and refresh(int); the sound page also has showSound(int).
template <class Models, class ScenePage, class SoloPage, class AcompPage, class FbassPage,
          class ChordPage, class SoundPage>
class EditorPagesOf final : public EditorPages {
  public:
    EditorPagesOf(EditorHost& host, QWidget* parent, const BuildProgress& progress)
        : models_(std::make_unique<Models>(host.bank())) {
        progress(20);
        sound_ = add<SoundPage>(page::Sound, host, parent);
        progress(50);
        add<ScenePage>(page::Scene, host, parent);
        add<SoloPage>(page::Solo, host, parent);
        progress(60);
        add<AcompPage>(page::Acomp, host, parent);
        add<FbassPage>(page::Fbass, host, parent);
        add<ChordPage>(page::Chord, host, parent);
        progress(70);
    }

    QWidget* widget(int index) override { return slots_[index].widget; }
    int currentRecord(int index) const override { return slots_[index].current(); }
    void selectRecord(int index, int record) override { slots_[index].select(record); }
    void refreshModels(int flags) override { models_->refresh(flags); }
    void refreshPage(int index, int flags) override { slots_[index].refresh(flags); }
    void showSound(int sound) override { sound_->showSound(sound); }

  private:
    struct Slot {
        QWidget* widget = nullptr;
        std::function<int()> current;
        std::function<void(int)> select;
        std::function<void(int)> refresh;
    };

    template <class Page> Page* add(int index, EditorHost& host, QWidget* parent) {
        auto* p = new Page(host, *models_, parent);
        slots_[index] = Slot{p, [p] { return p->currentRecord(); },
                             [p](int record) { p->selectRecord(record); },
                             [p](int flags) { p->refresh(flags); }};
        return p;
    }

    std::unique_ptr<Models> models_;
    std::array<Slot, page::EditorCount> slots_;
    SoundPage* sound_ = nullptr;
};

// The pages this build uses.
std::unique_ptr<EditorPages> MakeEditorPages(EditorHost& host, QWidget* parent,
                                             const BuildProgress& progress);

} // namespace ovb
