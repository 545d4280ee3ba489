#pragma once

#include <QStringList>

namespace shell {

class FormState;

// The main window's command controls (the 21 of old and the inspection report), enabled and disabled together
// while the program talks to the instrument or to an office program. Menus are never governed by this.
namespace Commands {

const QStringList& controls();
void DisableCommands(FormState& main);
void EnableCommands(FormState& main);

// Without a gauge a measurement file can still be opened and the program ended.
const QStringList& withoutGauge();
// What works on a table loaded from a file while no gauge is connected: saving, the outputs, limits, project
// data, editing and the charts. The reads, the memory views and online mode need the gauge.
const QStringList& forTableWithoutGauge();
// Enables what the current state allows and disables the rest: every command while a gauge is connected, else
// withoutGauge() and, once a table is shown, forTableWithoutGauge().
void EnableAvailable(FormState& main, bool gaugeConnected, bool tableShown);
// The output buttons (printer, word processor, clipboard, spreadsheet, report) are shown once there is a table.
void showOutputs(FormState& main);

} // namespace Commands
} // namespace shell
