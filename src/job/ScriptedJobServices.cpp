#include "job/ScriptedJobServices.h"

namespace ovb {

void ScriptedJobServices::message(std::string_view caption, std::string_view text) {
    transcript.push_back({"message", std::string(caption), std::string(text), Answer::Ok});
}

Answer ScriptedJobServices::ask(std::string_view caption, std::string_view text, Buttons,
                                AskPurpose) {
    Answer a = fallback;
    if (!answers.empty()) {
        a = answers.front();
        answers.pop_front();
    } else {
        ++unplanned;
    }
    transcript.push_back({"ask", std::string(caption), std::string(text), a});
    return a;
}

void ScriptedJobServices::ShowProgress(char kind, bool* cancel) {
    if (progressShown) return;
    progressShown = true;
    progressKind = kind;
    progressCancel = cancel;
    progressText = "Progress...";
    progressDetail.clear();
    progressPercent = 0;
    ++progressShows;
}

void ScriptedJobServices::HideProgress() {
    progressShown = false;
    progressCancel = nullptr;
}

void ScriptedJobServices::ShowReport(std::string_view caption,
                                     const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    std::string joined;
    for (const auto& l : lines) {
        if (!joined.empty()) joined += '\n';
        joined += l;
    }
    transcript.push_back({"report", std::string(caption), joined, Answer::Ok});
    reports.push_back(lines);
}

std::vector<std::string> ScriptedJobServices::shown() const {
    std::vector<std::string> out;
    for (const auto& e : transcript)
        if (e.what != "report") out.push_back(e.caption + ": " + e.text);
    return out;
}

bool ScriptedJobServices::showed(std::string_view caption, std::string_view text) const {
    for (const auto& e : transcript)
        if (e.caption == caption && e.text == text) return true;
    return false;
}

} // namespace ovb
