#pragma once
// Menus are built from the command table (MenuCommands.h); the work behind a command is attached
// afterwards, by id, by the part of the program that does it, so each tool keeps its menu code
// beside its dialogs.
#include "ui/MenuCommands.h"

#include <functional>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace ovb {

class TForm1;

// Adds the entries of `menu`, with their submenus, to target: a menu bar, a menu, or a widget that
// shows its actions as a context menu. Commands that are not settings start disabled, with the
// status tip saying why, until their work is attached.
void AddMenuEntries(QWidget& target, Menu menu);

// The command's action or the menu among root's children, or null.
QAction* FindCommand(const QObject& root, Command command);
QMenu* FindMenu(const QObject& root, Menu menu);
// The command an action of the table stands for; None for any other action.
Command CommandOf(const QObject* action);

// Enables the command found under root and runs work (in root's context) when it is chosen.
// Returns the action, or null when root holds no such command.
QAction* Activate(QObject& root, Command command, std::function<void()> work);

// Each attaches the commands of one area; called once after the menus are built.
void WireMaintenanceCommands(TForm1& form); // checks that change sounds, export, library paths
void WireLevelCommands(TForm1& form);       // level analysis and normalising
void WireSdCardCommands(TForm1& form);      // SD card write assistant
void WireCombinatorCommands(TForm1& form);  // bank combinator assistant
void WireConformCommands(TForm1& form);     // conforming WAV files to 48 kHz / 16-bit
void WireUndoCommands(TForm1& form);        // Edit > Undo / Redo
void WirePathCommands(TForm1& form);        // sample drives, code page, locating missing samples

} // namespace ovb
