#include "ui/PlayerPanel.h"

#include "tools/PlayerSample.h"
#include "ui/PlayerOutput.h"
#include "ui/Wavplot.h"
#include "uibase/EditorHost.h"

#include <QBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <limits>

namespace ovb {

namespace {
constexpr const char* kHint =
    "To play selected WAV file, press on waveform or hold down button CTRL and press on file.";
constexpr std::uint32_t kPastTheEnd = std::numeric_limits<std::uint32_t>::max();
} // namespace

// Thread rules: everything here runs in the GUI thread. The bytes are read by the audio sink
// only between StartPlayback and the done state; every path that replaces or frees them
// (LoadPlayerSample, the destructor) stops playback first.
struct PlayerPanel::State {
    EditorHost& host;
    std::function<PlayerSettings()> settings;
    MyWavePlot* plot = nullptr;
    QLabel* zoomLabel = nullptr;
    std::vector<std::uint8_t> bytes; // what the plot shows
    bool stereo = false;
    bool playable = false; // the bytes are the selected sample, not a leftover on show
    PlayerOutput output;   // declared after the bytes: it goes first

    State(EditorHost& h, std::function<PlayerSettings()> s) : host(h), settings(std::move(s)) {}
};

PlayerPanel::PlayerPanel(EditorHost& host, std::function<PlayerSettings()> settings,
                         QWidget* parent)
    : QWidget(parent), state_(std::make_unique<State>(host, std::move(settings))) {
    State& s = *state_;
    s.plot = new MyWavePlot(this);
    s.plot->setObjectName("wavePlot");
    s.plot->setToolTip(kHint);
    s.zoomLabel = new QLabel(s.plot->ZoomCaption(), this);
    s.zoomLabel->setObjectName("zoomLabel");
    auto* up = new QToolButton(this);
    auto* down = new QToolButton(this);
    up->setObjectName("zoomUp");
    down->setObjectName("zoomDown");
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(up);
    buttons->addWidget(down);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(s.plot);
    row->addWidget(s.zoomLabel);
    row->addLayout(buttons);
    row->addStretch();

    auto step = [this](bool upward) {
        state_->plot->StepZoom(upward);
        state_->zoomLabel->setText(state_->plot->ZoomCaption());
    };
    connect(up, &QToolButton::clicked, this, [step] { step(true); });
    connect(down, &QToolButton::clicked, this, [step] { step(false); });
    connect(s.plot, &MyWavePlot::pressed, this, &PlayerPanel::StartPlayback);
    connect(s.plot, &MyWavePlot::released, this, &PlayerPanel::StopPlayback);

    s.output.onPosition = [this](std::uint32_t p) { state_->plot->ShowPlayPosition(p); };
    s.output.onDone = [this] { state_->plot->ShowPlayPosition(kPastTheEnd); };
    s.output.onError = [this](const QString& text) {
        state_->host.jobs().message("Wave Error", text.toStdString());
    };
}

PlayerPanel::~PlayerPanel() {
    state_->output.Stop();
}

void PlayerPanel::LoadPlayerSample(int multisample, int slot, int selectedRows) {
    State& s = *state_;
    StopPlayback();
    s.playable = false;
    if (multisample < 0 || multisample >= int(kMultisamples) || slot < 0 ||
        slot >= int(kSamplesPerMultisample))
        return;
    PlayerSample fetched =
        FetchPlayerSample(s.host.bank(), unsigned(multisample), unsigned(slot), selectedRows,
                          s.settings().fromWavFiles, s.host.jobs());
    switch (fetched.outcome) {
    case PlayerSample::Outcome::Loaded:
        s.bytes = std::move(fetched.bytes);
        s.stereo = fetched.stereo;
        s.playable = true;
        s.plot->Plot(s.bytes.data(), std::uint32_t(s.bytes.size()), s.stereo);
        break;
    case PlayerSample::Outcome::Message:
        s.bytes.clear();
        s.plot->ShowText(QString::fromStdString(fetched.message));
        break;
    }
}

void PlayerPanel::StartPlayback() {
    State& s = *state_;
    if (!s.playable || s.bytes.empty()) return;
    StopPlayback(); // the buffer is changed below; no sink may be reading it
    const PlayerSettings settings = s.settings();
    // The output's own fade-in is avoided by starting on silence; the buffer keeps the change.
    const std::size_t frame = s.stereo ? 4 : 2;
    if (settings.silenceFirstSample && s.bytes.size() >= frame)
        std::fill_n(s.bytes.begin(), frame, std::uint8_t(0));
    s.output.Start(s.bytes, s.stereo, settings.deviceTag);
}

void PlayerPanel::StopPlayback() {
    state_->output.Stop();
}

bool PlayerPanel::playing() const {
    return state_->output.playing();
}

MyWavePlot* PlayerPanel::plot() const {
    return state_->plot;
}

} // namespace ovb
