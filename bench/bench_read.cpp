// Reading a full memory of 5000 values: the work done when EOT arrives (cutting the last lines, decoding every
// record into the table with colours and statistics), and the wall time of a whole read from the paced
// simulator against the time the bytes need on the line.
#include "Sandbox.h"
#include "SimulatedGauge.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "link/QtSerialLayer.h"
#include "shell/AppState.h"
#include "shell/TransferShell.h"
#include "shell/Wait.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace {

constexpr int kValues = 5000;

// A gauge that never answers by itself: the benchmark feeds the memory answer as received text.
class ScriptLine : public instrument::SerialLayer
{
public:
    instrument::PortInfo portInfo(const QString&) override { return {}; }
    instrument::OpenError open(int) override
    {
        m_open = true;
        return instrument::OpenError::None;
    }
    QString errorText() const override { return {}; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void setDelivery(Delivery) override {}
    void clearReceived() override { m_text.clear(); }
    bool transmit(const QString& text) override
    {
        sent = text;
        return m_open;
    }
    QString takeReceived() override
    {
        QString out;
        out.swap(m_text);
        return out;
    }
    void push(const QString& text)
    {
        m_text += text;
        emit received();
    }
    void eot() { emit specialCharacter(EOT); }

    QString sent;

private:
    bool m_open = false;
    QString m_text;
};

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
    testsupport::Sandbox sandbox;
    sandbox.writeKonfi(QStringLiteral("RD\n#\n"));
    shell::AppState st;
    st.appPath = sandbox.appDir();
    shell::TransferShell shell(st);
    ScriptLine line;
    instrument::LinkSession link(st, shell, line);
    table::TableSession table(st);
    instrument::MemoryReader reader(st, shell, link, table);
    link.hooks().reception = [&reader](int code) { reader.reception(code); };
    shell.hooks().TabelleFormatieren = [&table] { table.TabelleFormatieren(); };
    shell.startup();
    st.Emin = 80;
    st.Emax = 120;
    st.Esoll = 100;
    st.E8020 = true;
    st.memoryMode = QStringLiteral("2N");
    st.portNumber = QStringLiteral("7");
    st.CheckConnect = true;
    st.memory1Count = kValues;
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
                line.eot();
            },
            Qt::QueuedConnection);
        st.messart = 0;
        link.pendingCommand = st.cmdReadMemory1;
        reader.ReadMemory();
        fromEot = clock.nsecsElapsed();
        if (table.aktZeile != kValues + 1 || table.statZaehler != kValues) {
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
    shell::AppState st;
    st.appPath = sandbox.appDir();
    shell::TransferShell shell(st);
    instrument::QtSerialLayer layer;
    instrument::LinkSession link(st, shell, layer);
    table::TableSession table(st);
    instrument::MemoryReader reader(st, shell, link, table);
    link.hooks().reception = [&reader](int code) { reader.reception(code); };
    shell.hooks().enumeratePorts = [&link] { link.enumeratePorts(); };
    shell.hooks().TabelleFormatieren = [&table] { table.TabelleFormatieren(); };
    shell.startup();
    st.main().setText(QStringLiteral("ComboPort"), QStringLiteral("COM7"));
    link.cmdConnect_Click(); // identifies; memories are not read here (no hook)
    if (!st.CheckConnect || st.memory1Count != kValues) {
        state.SkipWithError("not connected");
        return;
    }
    double lineSeconds = 0;
    for (auto _ : state) {
        st.messart = 0;
        link.pendingCommand = st.cmdReadMemory1;
        // Bytes of the answer, known once it is in: every byte takes 10 bits at 38400 baud.
        qint64 bytes = 0;
        link.hooks().reception = [&](int code) {
            reader.reception(code);
            bytes = std::max<qint64>(bytes, link.receiveBuffer.size());
        };
        QElapsedTimer clock;
        clock.start();
        reader.ReadMemory();
        const double wall = double(clock.nsecsElapsed()) / 1e9;
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
