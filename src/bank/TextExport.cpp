#include "bank/TextExport.h"

#include "base/Formatting.h"
#include "job/FileCommit.h"
#include "job/ReplacingFile.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace ovb {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = "--------------------------------------"; // 38 '-'

// About 25 000 lines of some 40 bytes: reserving once keeps the build free of reallocations.
constexpr std::size_t kExpectedSize = 1200 * 1024;

// A name as a C string would print it: editors may leave zero bytes after the text.
template <std::size_t N> std::string_view NameView(const Name<N>& name) {
    const void* zero = std::memchr(name.data(), '\0', N);
    std::size_t length = zero ? std::size_t(static_cast<const char*>(zero) - name.data()) : N;
    return std::string_view(name.data(), length);
}

// Collects the lines and moves the progress bar. The percent is passed on only when it changes,
// so the host repaints about a hundred times per section instead of once per line.
class Listing {
  public:
    explicit Listing(JobServices& ui) : ui_(ui) { text_.reserve(kExpectedSize); }

    // One section: a title, the separator, then "<format><name>" for indices first..total-1.
    template <typename Record>
    void section(const char* title, const char* numberFormat, const Record* table, unsigned first,
                 unsigned total) {
        line(title);
        line(kSeparator);
        char number[16];
        for (unsigned i = first; i < total; ++i) {
            int n = std::snprintf(number, sizeof number, numberFormat, i);
            text_.append(number, std::size_t(n));
            line(NameView(table[i].name));
            progress(i * 100 / total);
        }
    }

    void emptyLines(unsigned count) {
        for (unsigned k = 0; k < count; ++k)
            line({});
    }

    const std::string& text() const { return text_; }

  private:
    void line(std::string_view s) {
        text_ += s;
        text_ += kLineEnd;
    }

    void progress(unsigned percent) {
        if (percent == shownPercent_) return;
        shownPercent_ = percent;
        ui_.SetProgressPercent(percent);
        ui_.processEvents();
    }

    JobServices& ui_;
    std::string text_;
    unsigned shownPercent_ = ~0u;
};

std::string BuildListing(const as_bank_records& r, JobServices& ui) {
    Listing out(ui);
    out.section("SCENE Names:", "%03u. ", r.scene, 0, kScenes);
    out.emptyLines(2);
    out.section("SOLO Names:", "%03u. ", r.solo, 0, kSetups);
    out.emptyLines(2);
    out.section("ACOMP Names:", "%03u. ", r.acomp, 0, kSetups);
    out.emptyLines(2);
    out.section("F.BASS Names:", "%03u. ", r.fbass, 0, kSetups);
    out.emptyLines(2);
    out.section("CHORD Names:", "%03u. ", r.chord, 0, kSetups);
    out.emptyLines(2);
    out.section("SOUND Names:", "%04u. ", r.sound, 0, kSounds);
    out.emptyLines(2);
    // Multisample 0 is no real multisample: zones use it for "none".
    out.section("Multisamples:", "MS%04u. ", r.multisample, 1, kMultisamples);
    return out.text();
}

bool Failed(ProgressScope& progress, JobServices& ui, const ReplacingFile& file) {
    progress.hide();
    ui.message("Error", Format("Could not write the text file \"%s\": %s.", file.target().c_str(),
                               file.error().c_str()));
    return false;
}

} // namespace

bool ExportText(const as_bank& bank, const std::filesystem::path& path, JobServices& ui) {
    std::string busy;
    const auto writing = BeginWriting(DiskFiles(), path, busy);
    if (!writing) {
        ui.message("Error",
                   Format("Could not write the text file \"%s\": %s", path.c_str(), busy.c_str()));
        return false;
    }
    ProgressScope progress(ui, 'w');
    ui.SetProgressText("Saving TXT file...");
    ReplacingFile file(path);
    if (!file.ok()) return Failed(progress, ui, file);

    std::string text = BuildListing(bank.records(), ui);
    if (!file.write(text.data(), text.size()) || !file.commit()) return Failed(progress, ui, file);
    return true;
}

} // namespace ovb
