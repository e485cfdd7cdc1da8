#pragma once
// Commands of the multisample and sound pages' pop-up menus whose work belongs to the maintenance
// and WAV tools. Each asks its own questions and refreshes the views when it changed the bank.
class QWidget;

namespace ovb {

class EditorHost;

// Range removal dialogs, preset to the current record.
void RemoveMultipleMultisamples(EditorHost& host, QWidget* parent, int currentMultisample);
void RemoveMultipleSounds(EditorHost& host, QWidget* parent, int currentSound);
// Exports the WAV files of one multisample from the loaded bank file into a chosen folder.
void ExportSelectedMultisample(EditorHost& host, QWidget* parent, int multisample);
// Relocates the WAV library: the replace dialog over every sample path.
void ReplaceTextInFilePaths(EditorHost& host, QWidget* parent);
// Level analysis and normalising of one multisample's WAV files.
void FindLoudestInMultisample(EditorHost& host, int multisample);
void NormalizeMultisample(EditorHost& host, int multisample);

} // namespace ovb
