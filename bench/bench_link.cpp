// Connecting to a gauge and identifying it, against the unpaced simulator on a pseudo-terminal.
#include "Sandbox.h"
#include "SimulatedGauge.h"
#include "link/LinkSession.h"
#include "link/QtSerialLayer.h"
#include "shell/AppState.h"
#include "shell/TransferShell.h"


#include <benchmark/benchmark.h>

namespace {

void ConnectAndIdentify(benchmark::State& state)
{
    testsupport::Sandbox sandbox;
    sandbox.writeKonfi(QStringLiteral("RD\n#\n"));
    SimulatedGauge sim;
    if (!sim.start({QStringLiteral("--model"), QStringLiteral("RD"), QStringLiteral("--com"), QStringLiteral("7"),
                    QStringLiteral("--fast")})) {
        state.SkipWithError(qPrintable(sim.error()));
        return;
    }
    shell::AppState st;
    st.appPath = sandbox.appDir();
    shell::TransferShell shell(st);
    instrument::QtSerialLayer layer;
    instrument::LinkSession link(st, shell, layer);
    shell.hooks().enumeratePorts = [&link] { link.enumeratePorts(); };
    shell.startup();
    st.main().setText(QStringLiteral("ComboPort"), QStringLiteral("COM7"));

    for (auto _ : state) {
        link.cmdConnect_Click();
        if (!st.CheckConnect || st.geraet != QLatin1String("FNB")) {
            state.SkipWithError("not connected");
            break;
        }
    }
}

} // namespace

BENCHMARK(ConnectAndIdentify)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
