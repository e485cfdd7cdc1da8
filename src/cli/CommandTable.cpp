#include "cli/Command.h"

namespace ovb::cli {

// One line per command group here and one in AllCommands(); the groups live in their own files.
void AddListCommands(CommandTable& table);
void AddBankCommands(CommandTable& table);
void AddCheckCommands(CommandTable& table);
void AddExportCommands(CommandTable& table);
void AddWavToolCommands(CommandTable& table);
void AddConformCommands(CommandTable& table);
void AddSdCardCommands(CommandTable& table);
void AddDescriptionCommands(CommandTable& table);
void AddMaintenanceCommands(CommandTable& table);
void AddRelinkCommands(CommandTable& table);

CommandTable AllCommands() {
    CommandTable table;
    AddBankCommands(table);
    AddListCommands(table);
    AddCheckCommands(table);
    AddExportCommands(table);
    AddWavToolCommands(table);
    AddConformCommands(table);
    AddSdCardCommands(table);
    AddDescriptionCommands(table);
    AddMaintenanceCommands(table);
    AddRelinkCommands(table);
    return table;
}

const Command* FindCommand(const CommandTable& table, std::string_view name) {
    for (const Command& c : table)
        if (c.name == name) return &c;
    return nullptr;
}

} // namespace ovb::cli
