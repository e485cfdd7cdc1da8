#pragma once
// Job services for tests: answers come from a queue, everything shown is kept in a transcript so a
// test can assert on the exact captions and texts the user would see.
#include "job/JobServices.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace ovb {

class ScriptedJobServices : public JobServices {
  public:
    struct Entry {
        std::string what; // "message", "ask", "report"
        std::string caption;
        std::string text; // report: the lines joined with '\n'
        Answer answer = Answer::Ok;
    };

    // Answers are taken in order; when none is queued, fallback is used and noted in unplanned.
    std::deque<Answer> answers;
    Answer fallback = Answer::No;
    int unplanned = 0;

    std::vector<Entry> transcript;
    std::vector<std::vector<std::string>> reports;

    // Progress as last shown, for tests of the progress lifecycle.
    bool progressShown = false;
    char progressKind = 0;
    bool* progressCancel = nullptr;
    int progressShows = 0;
    std::string progressText, progressDetail;
    unsigned progressPercent = 0;
    // Called on every processEvents(), so a test can press Cancel in the middle of a job.
    std::function<void()> onEvents;

    void message(std::string_view caption, std::string_view text) override;
    Answer ask(std::string_view caption, std::string_view text, Buttons buttons,
               AskPurpose purpose) override;
    void ShowProgress(char kind, bool* cancel) override;
    void SetProgressText(std::string_view text) override { progressText = text; }
    void SetProgressDetail(std::string_view text) override { progressDetail = text; }
    void SetProgressPercent(unsigned percent) override { progressPercent = percent; }
    void HideProgress() override;
    void ShowReport(std::string_view caption, const std::vector<std::string>& lines) override;
    void CloseReport() override {}
    void processEvents() override {
        if (onEvents) onEvents();
    }

    // The captions and texts of messages and questions, as "Caption: text", in order.
    std::vector<std::string> shown() const;
    bool showed(std::string_view caption, std::string_view text) const;
};

} // namespace ovb
