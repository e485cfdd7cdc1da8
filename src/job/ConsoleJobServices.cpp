#include "job/ConsoleJobServices.h"

#include <string>
#include <unistd.h>

namespace ovb {

std::string OneLine(std::string_view text) {
    std::string s;
    bool afterBreak = false;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n' || (c == ' ' && afterBreak)) {
            if (!s.empty() && s.back() != ' ') s += ' ';
            afterBreak = true;
            continue;
        }
        afterBreak = false;
        s += c;
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

ConsoleJobServices::ConsoleJobServices(Options options, std::FILE* out, std::FILE* err)
    : options_(options), out_(out), err_(err) {
    terminal_ = !options_.quiet && isatty(fileno(err_));
}

void ConsoleJobServices::message(std::string_view caption, std::string_view text) {
    ++messages_;
    if (options_.quiet) return;
    clearProgressLine();
    std::fprintf(err_, "%.*s: %s\n", int(caption.size()), caption.data(), OneLine(text).c_str());
}

static const char* AnswerText(Answer a) {
    switch (a) {
    case Answer::Ok:
        return "OK";
    case Answer::Cancel:
        return "Cancel";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    }
    return "";
}

Answer ConsoleJobServices::ask(std::string_view caption, std::string_view text, Buttons buttons,
                               AskPurpose purpose) {
    bool agree = options_.yesToAll || purpose == AskPurpose::Harmless;
    Answer a = Answer::Ok;
    if (buttons == Buttons::YesNo) a = agree ? Answer::Yes : Answer::No;
    if (buttons == Buttons::OkCancel) a = agree ? Answer::Ok : Answer::Cancel;
    if (!options_.quiet) {
        clearProgressLine();
        std::fprintf(err_, "%.*s: %s [%s]\n", int(caption.size()), caption.data(),
                     OneLine(text).c_str(), AnswerText(a));
    }
    return a;
}

void ConsoleJobServices::ShowProgress(char, bool*) {
    if (progressShown_) return;
    progressShown_ = true;
    progressText_ = "Progress...";
    percent_ = 0;
    drawnPercent_ = ~0u;
    drawProgress();
}

void ConsoleJobServices::SetProgressText(std::string_view text) {
    progressText_ = OneLine(text);
    drawnPercent_ = ~0u;
    drawProgress();
}

void ConsoleJobServices::SetProgressPercent(unsigned percent) {
    percent_ = percent > 100 ? 100 : percent;
    drawProgress();
}

void ConsoleJobServices::HideProgress() {
    clearProgressLine();
    progressShown_ = false;
}

void ConsoleJobServices::drawProgress() {
    if (!terminal_ || !progressShown_ || percent_ == drawnPercent_) return;
    drawnPercent_ = percent_;
    std::string text = progressText_;
    if (text.size() > 60) text = "..." + text.substr(text.size() - 57);
    std::fprintf(err_, "\r\033[K%3u%% %s", percent_, text.c_str());
    std::fflush(err_);
    lineDrawn_ = true;
}

void ConsoleJobServices::clearProgressLine() {
    if (!lineDrawn_) return;
    std::fprintf(err_, "\r\033[K");
    lineDrawn_ = false;
    drawnPercent_ = ~0u;
}

void ConsoleJobServices::ShowReport(std::string_view caption,
                                    const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    clearProgressLine();
    std::fprintf(out_, "== %.*s ==\n", int(caption.size()), caption.data());
    for (const auto& l : lines)
        std::fprintf(out_, "%s\n", l.c_str());
    std::fflush(out_);
}

} // namespace ovb
