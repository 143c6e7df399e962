#pragma once

// Opens the update manager's help address in the desktop's browser (firmware and
// software update dialogs, the Info page's "help" cell).
void OpenUpdateHelpPage();
