#pragma once
// The one way a long job talks to the user: message boxes, questions, the progress window and the
// report window. The GUI shows real windows, ovbank prints to the terminal, tests script answers.
// All calls come from the thread that runs the job.
#include "base/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace ovb {

enum class Buttons { Ok, YesNo, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

// What a Yes (OK) does. A host with nobody to ask (ovbank) answers a harmless question Yes (OK)
// and a destructive one No (Cancel) unless it was told to agree to everything.
//   Destructive: a Yes changes or replaces files, or changes the bank a job goes on to use.
//   Harmless: a Yes changes nothing (shows a report, reads on in spite of a disagreement).
enum class AskPurpose { Destructive, Harmless };

class JobServices {
  public:
    virtual ~JobServices() = default;

    virtual void message(std::string_view caption, std::string_view text) = 0;
    virtual Answer ask(std::string_view caption, std::string_view text, Buttons buttons,
                       AskPurpose purpose = AskPurpose::Destructive) = 0;

    // kind: 'r' reading, 'w' writing, anything else ('c', 'l') other work. A second call while the
    // progress is shown changes nothing: the first caller's kind and cancel flag stay.
    virtual void ShowProgress(char kind, bool* cancel = nullptr) = 0;
    virtual void SetProgressText(std::string_view text) = 0;
    virtual void SetProgressDetail(std::string_view text) = 0;
    virtual void SetProgressPercent(unsigned percent) = 0;
    virtual void HideProgress() = 0;

    // Shows the lines and returns when the user has closed them. Zero lines are never shown:
    // jobs answer an empty finding with a message instead.
    virtual void ShowReport(std::string_view caption, const std::vector<std::string>& lines) = 0;
    virtual void CloseReport() = 0;

    // Lets the host repaint and react to Cancel between the steps of a job.
    virtual void processEvents() {}

    bool yes(std::string_view caption, std::string_view text,
             AskPurpose purpose = AskPurpose::Destructive) {
        return ask(caption, text, Buttons::YesNo, purpose) == Answer::Yes;
    }

    // True when the step was done; otherwise its reason is shown in an "Error" box.
    bool succeeded(const Result& result) {
        if (!result) message("Error", result.reason());
        return result.ok();
    }
};

// Shows the progress window for the lifetime of a scope, so that every return path hides it.
class ProgressScope {
  public:
    ProgressScope(JobServices& ui, char kind, bool* cancel = nullptr) : ui_(ui) {
        ui_.ShowProgress(kind, cancel);
    }
    ~ProgressScope() { hide(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    void hide() {
        if (shown_) ui_.HideProgress();
        shown_ = false;
    }

  private:
    JobServices& ui_;
    bool shown_ = true;
};

} // namespace ovb
