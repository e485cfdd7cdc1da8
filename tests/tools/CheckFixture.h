#pragma once
// A reset bank and a scripted user for the consistency check tests.
#include "bank/Acc_bank_structure.h"
#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "tools/BankChecks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ovb::test {

class CheckFixture : public ::testing::Test {
  protected:
    std::unique_ptr<as_bank> owner = std::make_unique<as_bank>();
    as_bank& bank = *owner;
    ScriptedJobServices ui;

    // Names are space padded like the editor leaves them.
    void NameMultisample(unsigned m, const std::string& text) {
        SetName(bank.multisample(m).name, text);
    }
    void NameSound(unsigned s, const std::string& text) { SetName(bank.sound(s).name, text); }
    void Play(unsigned sound, unsigned zone, unsigned multisample) {
        bank.sound(sound).zone[zone].set_multisample(multisample);
    }
    // The one report shown, or an empty list (and a failure) when none or several were shown.
    std::vector<std::string> Report() const {
        EXPECT_EQ(ui.reports.size(), 1u);
        return ui.reports.empty() ? std::vector<std::string>{} : ui.reports.back();
    }
    std::string ReportCaption() const {
        for (const auto& e : ui.transcript)
            if (e.what == "report") return e.caption;
        return {};
    }
    // Checks end with the progress window closed, whatever they found.
    void TearDown() override { EXPECT_FALSE(ui.progressShown); }
};

} // namespace ovb::test
