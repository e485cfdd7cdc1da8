// The console job services, formatting: what a user of ovbank reads.
#include "base/Formatting.h"
#include "job/ConsoleJobServices.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace ovb;

namespace {

// Everything written to a stream, read back.
struct Capture {
    std::FILE* file = std::tmpfile();
    ~Capture() { std::fclose(file); }
    std::string text() {
        std::fflush(file);
        std::rewind(file);
        std::string s;
        for (int c; (c = std::fgetc(file)) != EOF;)
            s += char(c);
        return s;
    }
};

} // namespace

TEST(ConsoleJobServices, MessagesQuestionsAndReportsAreReadable) {
    Capture out, err;
    ConsoleJobServices ui({}, out.file, err.file);
    ui.message("Error", "Uncown last sector!\n My be bank is not loaded correctly!");
    EXPECT_EQ(ui.ask("Overwrite SCRIPT File", "OVERWRITE SCRIPT FILE ?\nAre You Sure ?",
                     Buttons::YesNo, AskPurpose::Destructive),
              Answer::No);
    EXPECT_EQ(ui.ask("Info", "Missing 2 WAV files!!!\n\nShow missing files ?", Buttons::YesNo,
                     AskPurpose::Harmless),
              Answer::Yes);
    EXPECT_EQ(ui.ask("Info", "Press OK to continue", Buttons::OkCancel, AskPurpose::Destructive),
              Answer::Cancel);
    ui.ShowReport("Report: Missing Files", {"Missing 2 WAV files!!!", "1. Missing file: a.wav"});
    ui.ShowReport("Report: Nothing", {});
    EXPECT_EQ(err.text(), "Error: Uncown last sector! My be bank is not loaded correctly!\n"
                          "Overwrite SCRIPT File: OVERWRITE SCRIPT FILE ? Are You Sure ? [No]\n"
                          "Info: Missing 2 WAV files!!! Show missing files ? [Yes]\n"
                          "Info: Press OK to continue [Cancel]\n");
    EXPECT_EQ(out.text(), "== Report: Missing Files ==\nMissing 2 WAV files!!!\n"
                          "1. Missing file: a.wav\n");
}

TEST(ConsoleJobServices, YesToAllAndQuiet) {
    Capture out, err;
    ConsoleJobServices ui({.yesToAll = true, .quiet = true}, out.file, err.file);
    EXPECT_EQ(ui.ask("Q", "Sure?", Buttons::YesNo, AskPurpose::Destructive), Answer::Yes);
    EXPECT_EQ(ui.ask("Q", "OK?", Buttons::OkCancel, AskPurpose::Destructive), Answer::Ok);
    ui.message("Info", "done");
    EXPECT_EQ(err.text(), "");
    EXPECT_EQ(ui.messagesShown(), 1);
}

TEST(Formatting, SizesDurationsAndGroupedDigits) {
    EXPECT_EQ(FormatSize(1023), "1023 bytes");
    EXPECT_EQ(FormatSize(2048), "2.0 kB");
    EXPECT_EQ(FormatSize(1536ull << 30), "1.5000 TB"); // four divisions, four decimals
    EXPECT_EQ(FormatWithSpaces(1234567), "1 234 567");
    EXPECT_EQ(FormatDuration(48000 * 61 + 48 * 5), "01:01:005");
}
