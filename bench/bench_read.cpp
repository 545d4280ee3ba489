// Reading a full memory of 5000 values: the work done when EOT arrives (cutting the last lines, decoding every
// record into the table with colours and statistics), and the wall time of a whole read from the paced
// simulator against the time the bytes need on the line.
#include "Program.h"
#include "SimulatedGauge.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "shell/Controls.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace Main = ctl::frmTransfer;

namespace {

constexpr int kValues = 5000;

QString memoryAnswer(int count)
{
    QString text = QStringLiteral("FN-B SN 1\r\nMEMORY 1\r\nN:%1\r\n\x02\r\n").arg(count);
    for (int i = 1; i <= count; ++i) {
        const double v = 70.0 + (i * 37 % 600) / 10.0;
        text += QString::number(i).rightJustified(4) + QStringLiteral("  ") +
                QString::number(v, 'f', 1).rightJustified(10) + QStringLiteral(" \u00b5m       Fe\r\n");
    }
    return text + QStringLiteral("    N=%1\r\n").arg(count);
}

// From EOT to the table and statistics shown: the answer has arrived in chunks beforehand, as on the line.
void EotToTable5000(benchmark::State& state)
{
    // A gauge that never answers by itself: the benchmark feeds the memory answer as received text.
    Program program(QStringLiteral("RD"));
    program.start();
    shell::AppState& st = program.st;
    FakeLine& line = program.line();
    instrument::LinkSession& link = program.link();
    instrument::MemoryReader& reader = program.reader();
    table::TableSession& table = program.table();
    st.limits.Emin = 80;
    st.limits.Emax = 120;
    st.limits.Esoll = 100;
    st.limits.E8020 = true;
    st.device.memoryMode = QStringLiteral("2N");
    st.link.portNumber = QStringLiteral("7");
    st.link.CheckConnect = true;
    st.device.memory1Count = kValues;
    line.open(7);

    const QString answer = memoryAnswer(kValues);
    QList<QString> chunks;
    for (qsizetype at = 0; at < answer.size(); at += 64) // about what one read of the port brings
        chunks << answer.mid(at, 64);

    for (auto _ : state) {
        state.PauseTiming();
        // The whole answer but the EOT arrives while the read waits; the EOT is timed from here on.
        QElapsedTimer clock;
        qint64 fromEot = 0;
        QMetaObject::invokeMethod(
            &line,
            [&] {
                for (const QString& c : chunks)
                    line.push(c);
                QCoreApplication::processEvents(); // deliver the queued receive events
                clock.start();
                line.special(instrument::SerialLayer::EOT);
            },
            Qt::QueuedConnection);
        st.messart = shell::Messart::Speicher1;
        link.setPendingCommand(st.edition.cmdReadMemory1);
        reader.ReadMemory();
        fromEot = clock.nsecsElapsed();
        if (table.aktZeile != kValues + 1 || table.statistik().statZaehler != kValues) {
            state.SkipWithError("not all values decoded");
            break;
        }
        state.SetIterationTime(double(fromEot) / 1e9);
        state.ResumeTiming();
    }
}
BENCHMARK(EotToTable5000)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A full read of 5000 values from the simulator paced at 38400 baud, against the line time of its bytes.
void PacedRead5000(benchmark::State& state)
{
    testsupport::Sandbox sandbox;
    sandbox.writeKonfi(QStringLiteral("RD\n#\n"));
    SimulatedGauge sim;
    if (!sim.start({QStringLiteral("--model"), QStringLiteral("RD"), QStringLiteral("--com"), QStringLiteral("7"),
                    QStringLiteral("--count1"), QString::number(kValues), QStringLiteral("--count2"),
                    QStringLiteral("0")})) {
        state.SkipWithError(qPrintable(sim.error()));
        return;
    }
    Program program(sandbox, QStringLiteral("RD"), Program::Line::Real);
    program.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    program.start();
    shell::AppState& st = program.st;
    instrument::LinkSession& link = program.link();
    instrument::MemoryReader& reader = program.reader();
    table::TableSession& table = program.table();
    st.main().setText(Main::ComboPort, QStringLiteral("COM7"));
    link.cmdConnect_Click(); // identifies; the memory is read below
    if (!st.link.CheckConnect || st.device.memory1Count != kValues) {
        state.SkipWithError("not connected");
        return;
    }
    double lineSeconds = 0;
    for (auto _ : state) {
        st.messart = shell::Messart::Speicher1;
        link.setPendingCommand(st.edition.cmdReadMemory1);
        // Bytes of the answer, known once it is in: every byte takes 10 bits at 38400 baud.
        qint64 bytes = 0;
        const QMetaObject::Connection counting = QObject::connect(&link, &instrument::LinkSession::received, [&] {
            bytes = std::max<qint64>(bytes, link.receiveBuffer().size());
        });
        QElapsedTimer clock;
        clock.start();
        reader.ReadMemory();
        const double wall = double(clock.nsecsElapsed()) / 1e9;
        QObject::disconnect(counting);
        lineSeconds = double(bytes + 1) * 10.0 / 38400.0; // + EOT
        if (table.aktZeile != kValues + 1) {
            state.SkipWithError("not all values read");
            break;
        }
        state.SetIterationTime(wall);
        state.counters["line_s"] = lineSeconds;
        state.counters["ratio"] = wall / lineSeconds;
    }
}
BENCHMARK(PacedRead5000)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);

} // namespace
