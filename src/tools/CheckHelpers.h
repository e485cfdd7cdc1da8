#pragma once
// Helpers every consistency check shares: the progress steps, the names as reports print them
// and the closing report or message.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <string>
#include <vector>

namespace ovb::checks {

using Lines = std::vector<std::string>;

// done * 100 / total with total taken as 1 when it is 0.
unsigned Percent(std::uint64_t done, std::uint64_t total);
// Sets the position and lets the window show it.
void Step(JobServices& ui, std::uint64_t done, std::uint64_t total);

std::string MultisampleName(const as_bank& bank, unsigned m);
std::string SoundName(const as_bank& bank, unsigned s);

// The report when something was found, otherwise the message; returns count.
unsigned Conclude(JobServices& ui, unsigned count, const Lines& lines, const char* reportCaption,
                  const char* zeroCaption, const char* zeroText);

} // namespace ovb::checks
