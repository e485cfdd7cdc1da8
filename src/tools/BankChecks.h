#pragma once
// The consistency checks of the Tools menu. Each one walks the bank in ascending order, shows the
// progress window while it runs, shows its report when it found something and otherwise the
// message that says nothing was found, and returns the number of findings. Checks that ask first
// return 0 without doing anything when the user says No.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

namespace ovb {

// Files named by a path that do not exist (multisamples 0 to 9999).
unsigned CheckMissingFiles(const as_bank& bank, JobServices& ui);

// Multisamples 1 to 9999 with samples that no zone of any sound plays.
unsigned CheckUnusedMultisamples(const as_bank& bank, JobServices& ui);
// Asks first; then as ClearUnusedMultisamples.
unsigned RemoveUnusedMultisamples(as_bank& bank, JobServices& ui);
// Clears every unused multisample, counts the ones that had samples.
unsigned ClearUnusedMultisamples(as_bank& bank, JobServices& ui);
// Lists the sounds that play the multisample.
void ShowWhereMultisampleIsUsed(const as_bank& bank, unsigned multisample, JobServices& ui);

// Paths of multisamples 1 to 9999 with a byte outside 32..126.
unsigned CheckNonLatinPaths(const as_bank& bank, JobServices& ui);
// Paths of multisamples 1 to 9999 holding two backslashes in a row.
unsigned CheckDoubledDelimiters(const as_bank& bank, JobServices& ui);
// Names of multisamples 1 to 9999 with a character a file name cannot hold.
unsigned CheckMultisampleNames(const as_bank& bank, JobServices& ui);

// Asks first; pairs of slots in different multisamples (1 to 9999) with the same path.
unsigned CheckDuplicatedSamples(const as_bank& bank, JobServices& ui);
// The same without the question, for callers that asked for this check by name.
unsigned ScanDuplicatedSamples(const as_bank& bank, JobServices& ui);

// Existing mono or stereo files whose first sample frame goes beyond -163..163.
unsigned CheckFirstSampleLevel(const as_bank& bank, JobServices& ui);
// Slots with a path whose sample record has its loop on or a loop value set.
unsigned ReportLoops(const as_bank& bank, JobServices& ui);

// Limits of the first-sample check: values from -163 to 163 pass.
constexpr int kFirstSampleLimit = 163;

} // namespace ovb
