#pragma once

#include <QStringList>

namespace shell {

class FormState;

// The main window's 21 command controls, enabled and disabled together while the program talks to the
// instrument or to an office program. Menus are never governed by this.
namespace Commands {

const QStringList& controls();
void DisableCommands(FormState& main);
void EnableCommands(FormState& main);

} // namespace Commands
} // namespace shell
