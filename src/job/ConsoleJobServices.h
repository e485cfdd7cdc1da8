#pragma once
// Job services for ovbank: messages on standard error as "Caption: text", reports on standard
// output, progress as one updating line on a terminal, questions answered by policy.
#include "job/JobServices.h"

#include <cstdio>

namespace ovb {

class ConsoleJobServices : public JobServices {
  public:
    struct Options {
        bool yesToAll = false; // --yes
        bool quiet = false;    // --quiet: no progress, no messages (reports still print)
    };
    ConsoleJobServices(Options options, std::FILE* out = stdout, std::FILE* err = stderr);

    void message(std::string_view caption, std::string_view text) override;
    Answer ask(std::string_view caption, std::string_view text, Buttons buttons,
               AskPurpose purpose) override;
    void ShowProgress(char kind, bool* cancel) override;
    void SetProgressText(std::string_view text) override;
    void SetProgressDetail(std::string_view) override {}
    void SetProgressPercent(unsigned percent) override;
    void HideProgress() override;
    void ShowReport(std::string_view caption, const std::vector<std::string>& lines) override;
    void CloseReport() override {}

    int messagesShown() const { return messages_; }

  private:
    void drawProgress();
    void clearProgressLine();

    Options options_;
    std::FILE* out_;
    std::FILE* err_;
    bool terminal_ = false;
    bool progressShown_ = false;
    bool lineDrawn_ = false;
    std::string progressText_;
    unsigned percent_ = 0;
    unsigned drawnPercent_ = ~0u;
    int messages_ = 0;
};

// Multi-line texts are printed on one line each so that a caption stays next to its text.
std::string OneLine(std::string_view text);

} // namespace ovb
