#pragma once
// The "Sounds" page: the list of the 10000 sounds with their names, and the current sound's
// zones, oscillator mode and categories. A sound row dragged onto another asks whether to move,
// swap or copy it.
#include "ui/RecordPage.h"

class QPushButton;

namespace ovb {

class BankModels;
class SoundSettings;
class ZoneEditor;

class SoundPage : public RecordPage {
    Q_OBJECT
  public:
    SoundPage(EditorHost& host, BankModels& models, QWidget* parent = nullptr);

    int currentSound() const { return currentRecord(); }
    // Selects the sound, scrolls it into view and refreshes the sound views.
    void showSound(int index);
    // Bits 0x2 and 0x4: the zone lists; bit 0x2: mode, categories and zone values.
    void refresh(int flags) override;

    // The drop handler: sound row fromRecord was dragged onto toRecord.
    void rowDragged(int fromRecord, int toRecord);

    ZoneEditor* zoneEditor() const { return zones_; }
    SoundSettings* settings() const { return settings_; }
    QPushButton* copyNameButton() const { return copyName_; }

  private:
    void buildMenu();
    void removeSound();
    void showSize();

    ZoneEditor* zones_;
    SoundSettings* settings_;
    QPushButton* copyName_;
};

} // namespace ovb
