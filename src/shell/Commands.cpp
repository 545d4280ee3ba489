#include "Commands.h"

#include "Controls.h"
#include "FormState.h"

namespace Main = ctl::frmTransfer;

namespace shell::Commands {

const QStringList& controls()
{
    static const QStringList names = {
        Main::optNFE,
        Main::optFE,
        Main::optOnline,
        Main::cmdOpen,
        Main::cmdSave,
        Main::cmdprint,
        Main::cmdWord,
        Main::cmdClipboard,
        Main::cmdExcel,
        Main::cmdBericht,
        Main::cmdLesNFE,
        Main::cmdLesFE,
        Main::cmdLesen,
        Main::cmdEnde,
        Main::cmdWerte,
        Main::cmdProjekt,
        Main::cmdFlexTabelleloeschen,
        Main::cmdFlexZeileLoeschen,
        Main::cmdSort,
        Main::cmdChart,
        Main::cmdAbs,
        Main::cmdGross,
    };
    return names;
}

void DisableCommands(FormState& main)
{
    for (const QString& name : controls())
        main.setEnabled(name, false);
}

void EnableCommands(FormState& main)
{
    for (const QString& name : controls())
        main.setEnabled(name, true);
}

const QStringList& withoutGauge()
{
    static const QStringList names = {Main::cmdOpen, Main::cmdEnde};
    return names;
}

const QStringList& forTableWithoutGauge()
{
    static const QStringList names = {
        Main::cmdSave,
        Main::cmdprint,
        Main::cmdWord,
        Main::cmdClipboard,
        Main::cmdExcel,
        Main::cmdBericht,
        Main::cmdWerte,
        Main::cmdProjekt,
        Main::cmdFlexTabelleloeschen,
        Main::cmdFlexZeileLoeschen,
        Main::cmdSort,
        Main::cmdChart,
        Main::cmdAbs,
        Main::cmdGross,
    };
    return names;
}

void EnableAvailable(FormState& main, bool gaugeConnected, bool tableShown)
{
    if (gaugeConnected) {
        EnableCommands(main);
        return;
    }
    for (const QString& name : controls())
        main.setEnabled(name, withoutGauge().contains(name) || (tableShown && forTableWithoutGauge().contains(name)));
}

void showOutputs(FormState& main)
{
    for (const QString& name : {Main::cmdprint, Main::cmdWord, Main::cmdClipboard, Main::cmdExcel, Main::cmdBericht})
        main.setVisible(name, true);
}

} // namespace shell::Commands
