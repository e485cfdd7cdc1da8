#pragma once
// The menus are built in one place with every caption in its order; the work behind a command is
// attached afterwards by the part of the program that does it, so each tool keeps its menu code
// beside its dialogs.
#include <QString>

#include <functional>

class QAction;
class QMenu;

namespace ovb {

class TForm1;

// The command with this caption anywhere in the window's menus (first in menu order), or null.
QAction* FindCommand(TForm1& form, const QString& caption);
// The top-level or nested menu with this title (mnemonic '&' ignored), or null.
QMenu* FindMenu(TForm1& form, const QString& title);
// Enables the command with this caption and runs work when it is chosen. Returns the action (null
// when no such caption exists, which the menu tests catch).
QAction* Activate(TForm1& form, const QString& caption, std::function<void()> work);

// Each attaches the commands of one area; called once after the menus are built.
void WireMaintenanceCommands(TForm1& form); // checks that change sounds, export, library paths
void WireLevelCommands(TForm1& form);       // level analysis and normalising
void WireSdCardCommands(TForm1& form);      // SD card write assistant
void WireConformCommands(TForm1& form);     // conforming WAV files to 48 kHz / 16-bit
void WireUndoCommands(TForm1& form);        // Edit > Undo / Redo

} // namespace ovb
