#pragma once
// The player under the multisample page's sample grid: the wave plot of the selected sample, the
// zoom buttons, and playback while a mouse button is held on the plot (or Ctrl+press on the grid).
#include <QWidget>

#include <functional>
#include <memory>

namespace ovb {

class EditorHost;
class MyWavePlot;

// The Settings menu's player items, read at each load and play.
struct PlayerSettings {
    bool fromWavFiles = false;      // else from the loaded bank file
    bool silenceFirstSample = true; // "Play first sample with level 0"
    int deviceTag = 0;              // 0: default output, n + 1: the n-th device listed at start
};

class PlayerPanel : public QWidget {
    Q_OBJECT
  public:
    PlayerPanel(EditorHost& host, std::function<PlayerSettings()> settings,
                QWidget* parent = nullptr);
    ~PlayerPanel() override;

    // Fetches slot `slot` (0..63) of `multisample` and plots it; selectedRows > 1 shows
    // "Multiple selection". Stops a running playback first.
    void LoadPlayerSample(int multisample, int slot, int selectedRows = 1);
    void StartPlayback();
    void StopPlayback();
    bool playing() const;
    MyWavePlot* plot() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace ovb
