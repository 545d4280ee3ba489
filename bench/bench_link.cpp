// Connecting to a gauge and identifying it, against the unpaced simulator on a pseudo-terminal.
#include "Program.h"
#include "SimulatedGauge.h"
#include "link/LinkSession.h"
#include "shell/Controls.h"

#include <benchmark/benchmark.h>

namespace Main = ctl::frmTransfer;

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
    Program program(sandbox, QStringLiteral("RD"), Program::Line::Real);
    program.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    program.start();
    shell::AppState& st = program.st;
    instrument::LinkSession& link = program.link();
    st.main().setText(Main::ComboPort, QStringLiteral("COM7"));

    for (auto _ : state) {
        link.cmdConnect_Click();
        if (!st.link.CheckConnect || st.device.geraet != QLatin1String("FNB")) {
            state.SkipWithError("not connected");
            break;
        }
    }
}

} // namespace

BENCHMARK(ConnectAndIdentify)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
