#include "tools/MultisampleEdits.h"

#include "base/Formatting.h"
#include "tools/AutoPosition.h"
#include "tools/MultisampleNameSuggestion.h"

#include <algorithm>

namespace ovb {

namespace {

constexpr unsigned kOctave = 12;

Result CheckMultisample(unsigned multisample) {
    if (multisample >= kMultisamples)
        return Result::Failed(Format("multisample %u does not exist", multisample));
    return {};
}

Result CheckSlots(unsigned multisample, std::span<const unsigned> targets) {
    if (Result r = CheckMultisample(multisample); !r) return r;
    for (unsigned slot : targets)
        if (slot >= kSamplesPerMultisample)
            return Result::Failed(Format("slot %u does not exist", slot));
    return {};
}

void EmptySlot(as_bank& bank, unsigned multisample, unsigned slot) {
    bank.path(multisample, slot).assign(kEmptyPath);
    bank.multisample(multisample).sample[slot] = NewSample();
}

// Slot p takes slot p + distance (distance may be negative), in the order that reads every
// source before it is overwritten; the slots left without a source are emptied.
void ShiftSlots(as_bank& bank, unsigned multisample, int distance) {
    const int count = int(kSamplesPerMultisample);
    as_multisample& record = bank.multisample(multisample);
    SamplePathList& paths = bank.paths(multisample);
    auto take = [&](int p) {
        const int from = p + distance;
        if (from < 0 || from >= count) {
            EmptySlot(bank, multisample, unsigned(p));
            return;
        }
        paths[std::size_t(p)].swap(paths[std::size_t(from)]);
        record.sample[p] = record.sample[from];
    };
    if (distance > 0)
        for (int p = 0; p < count; ++p)
            take(p);
    else
        for (int p = count - 1; p >= 0; --p)
            take(p);
}

} // namespace

Result RemoveMultisample(as_bank& bank, unsigned multisample) {
    if (Result r = CheckMultisample(multisample); !r) return r;
    bank.multisample(multisample) = NewMultisample();
    bank.paths(multisample).fill(std::string(kEmptyPath));
    return {};
}

Result ClearSlots(as_bank& bank, unsigned multisample, std::span<const unsigned> targets) {
    return SetSlotFile(bank, multisample, targets, kEmptyPath);
}

Result SetSlotFile(as_bank& bank, unsigned multisample, std::span<const unsigned> targets,
                   std::string_view path) {
    if (Result r = CheckSlots(multisample, targets); !r) return r;
    for (unsigned slot : targets) {
        std::string& stored = bank.path(multisample, slot);
        if (stored == path) continue;
        stored.assign(path);
        bank.multisample(multisample).sample[slot].forget_placement();
    }
    return {};
}

Result MoveSlots(as_bank& bank, unsigned multisample, SlotMove move) {
    if (Result r = CheckMultisample(multisample); !r) return r;
    switch (move) {
    case SlotMove::OctaveUp:
        ShiftSlots(bank, multisample, int(kOctave));
        break;
    case SlotMove::OctaveDown:
        ShiftSlots(bank, multisample, -int(kOctave));
        break;
    case SlotMove::PositionUp:
        ShiftSlots(bank, multisample, 1);
        break;
    case SlotMove::PositionDown:
        ShiftSlots(bank, multisample, -1);
        break;
    }
    return {};
}

std::uint64_t MultisampleAudioBytes(const as_bank& bank, unsigned multisample) {
    if (multisample >= kMultisamples) return 0;
    std::uint64_t bytes = 0;
    for (const as_sample_V1& sample : bank.multisample(multisample).sample)
        bytes += std::uint64_t(sample.length_sectors) * kSector;
    return bytes;
}

std::string MultisampleSizeText(const as_bank& bank, unsigned multisample) {
    if (Result r = CheckMultisample(multisample); !r) return r.reason();
    return Format("Size of MS%04u [%s] is ", multisample,
                  NameString(bank.multisample(multisample).name).c_str()) +
           FormatSize(MultisampleAudioBytes(bank, multisample)) + ".";
}

void SetComment(as_multisample& multisample, std::string_view text) {
    auto& comment = multisample.comment;
    std::fill(comment.begin(), comment.end(), '\0');
    std::size_t length = 0;
    for (char c : text) {
        if (c == '\0' || length == kCommentLength) break;
        if (c == '\r' || c == '\n') continue;
        comment[length++] = c;
    }
}

std::string CommentText(const as_multisample& multisample) {
    const auto& comment = multisample.comment;
    const auto end = std::find(comment.begin(), comment.begin() + kCommentLength, '\0');
    return std::string(comment.begin(), end);
}

std::string SlotLabel(unsigned slot, bool noteNames) {
    const unsigned note = slot + kFirstSlotNote;
    return noteNames ? NoteName(note, NoteScheme::WithBlank) : std::to_string(note);
}

KeyPicture KeyPictureOf(unsigned note) {
    switch (note % kOctave) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return KeyPicture::Black;
    case 4:
    case 11:
        return KeyPicture::WhiteBeforeWhite;
    default:
        return KeyPicture::WhiteBeforeBlack;
    }
}

Result PlaceFilesByName(as_bank& bank, unsigned multisample, std::span<const std::string> files,
                        PositionCriterion criterion, int transpose, JobServices& ui,
                        const std::function<void()>& refreshAll) {
    if (Result r = CheckMultisample(multisample); !r) return r;
    if (!IsAutoTranspose(transpose))
        return Result::Failed(Format("transpose %d is not one of the offered steps", transpose));
    if (files.empty()) return {};
    if (!criterion) {
        ui.message("Info", "Invalid Criteria!");
        return {};
    }
    const AutoPositionResult result =
        AutoPositionSlots(bank.paths(multisample), files, *criterion, transpose);
    for (unsigned slot = 0; slot < kSamplesPerMultisample; ++slot)
        if (bank.path(multisample, slot) != result.paths[slot])
            bank.multisample(multisample).sample[slot].forget_placement();
    bank.paths(multisample) = result.paths;
    refreshAll();
    ui.message("Info", AddedText(result));
    const auto report = AutoPositionReport(result);
    if (!report.empty()) {
        ui.ShowReport(kAutoPositionReportCaption, report);
        ui.CloseReport();
    }
    const auto suggestion = SuggestMultisampleName(files.front());
    if (!suggestion) return {};
    const std::string shown = NameString(*suggestion);
    if (ui.yes("Question", Format("Use multisample name: \"%s\" ?", shown.c_str())))
        bank.multisample(multisample).name = *suggestion;
    refreshAll();
    return {};
}

} // namespace ovb
