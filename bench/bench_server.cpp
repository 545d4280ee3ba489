// The team's server (a PostgreSQL server of the benchmark's own, as the tests start it): a 5000-reading series
// uploaded; one online value while an upload runs in the background; the server's list of 100 000 series filtered.
#include "PgServer.h"
#include "Program.h"
#include "archive/Archive.h"
#include "archive/ServerArchive.h"
#include "archive/ServerUploader.h"
#include "link/LinkSession.h"
#include "link/OnlineReceiver.h"
#include "shell/Controls.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

testsupport::PgServer& server()
{
    static testsupport::PgServer pg;
    return pg;
}

bool serverUp(benchmark::State& state)
{
    if (server().ok())
        return true;
    state.SkipWithError(qPrintable(QStringLiteral("PostgreSQL did not start: ") + server().error()));
    return false;
}

std::vector<archive::Reading> readings(int n)
{
    std::vector<archive::Reading> rs;
    for (int i = 0; i < n; ++i)
        rs.push_back({qint16(i + 1), 70.0 + (i * 37 % 600) / 10.0, QStringLiteral("µm  "), QStringLiteral("Fe"),
                      QStringLiteral("07.12.2026"), QStringLiteral("10:%1:%2").arg(i / 60 % 60).arg(i % 60)});
    return rs;
}

qint64 keep(archive::Archive& local, const std::vector<archive::Reading>& rs)
{
    archive::Series s;
    s.kind = archive::Kind::Online;
    s.started = QDateTime::currentDateTime();
    s.model = QStringLiteral("RONDO");
    s.count = int(rs.size());
    return local.add(s, rs);
}

// A 5000-reading series to the server: argument 0 the upload itself (one transaction), 1 the background pass
// that reads it from this computer's archive, uploads it and reports back.
void Upload5000(benchmark::State& state)
{
    if (!serverUp(state))
        return;
    QTemporaryDir dir;
    archive::Archive local;
    local.open(dir.path());
    archive::ServerArchive remote;
    remote.open(server().connection(QStringLiteral("anna")));
    archive::ServerUploader up;
    up.setPlaces(dir.path(), server().connection(QStringLiteral("anna")));
    bool done = false;
    QObject::connect(&up, &archive::ServerUploader::uploaded,
                     [&](const QList<qint64>& ids) { local.markUploaded(ids); });
    QObject::connect(&up, &archive::ServerUploader::passFinished, [&] { done = true; });
    const std::vector<archive::Reading> rs = readings(5000);
    for (auto _ : state) {
        const qint64 id = keep(local, rs);
        QElapsedTimer clock;
        clock.start();
        bool ok = false;
        if (state.range(0) == 0) {
            ok = remote.upload(*local.series(id), local.readings(id)) == archive::ServerArchive::Put::Added;
        } else {
            done = false;
            up.uploadPending(id, 0);
            while (!done)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            ok = local.pending(id, 0).empty();
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!ok) {
            state.SkipWithError("not uploaded");
            break;
        }
    }
}
BENCHMARK(Upload5000)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);

// One "E" value at 5000 rows with its archive commit (bench_archive's OnlineValueWithArchive), argument 1 while
// the uploader sends forty 5000-reading series from another archive in the background.
void OnlineValueWhileUploading(benchmark::State& state)
{
    if (!serverUp(state))
        return;
    QTemporaryDir dir;
    archive::Archive other;
    other.open(dir.path());
    const std::vector<archive::Reading> rs = readings(5000);
    for (int i = 0; i < 40; ++i)
        keep(other, rs);
    archive::ServerUploader up;
    up.setPlaces(dir.path(), server().connection(QStringLiteral("ben")));

    Program prog(QStringLiteral("RD"));
    prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    prog.line().answers[QStringLiteral("$kova00$")] = QStringLiteral("FN-B SN 1\r\nM1:0\r\nM2:0\r\n") + QChar(4);
    prog.start();
    prog.main().setText(ctl::frmTransfer::ComboPort, QStringLiteral("COM3"));
    prog.link().cmdConnect_Click();
    prog.session->online().optOnline_Click();
    const auto value = [&](int i) {
        prog.line().push(QString::number(i % 10000).rightJustified(4) + QStringLiteral("  ") +
                         QString::number(70.0 + (i * 37 % 600) / 10.0, 'f', 1).rightJustified(10) +
                         QStringLiteral(" ym    Fe\r\n"));
        QCoreApplication::processEvents();
    };
    for (int i = 1; i < 5000; ++i)
        value(i);
    table::TableSession& table = prog.table();
    if (state.range(0) == 1)
        up.uploadPending(other.lastId(), 0);
    for (auto _ : state) {
        state.PauseTiming();
        table.Messdaten.at(2, 5000) = {};
        table.onlineNr = 5000;
        state.ResumeTiming();
        value(5000);
    }
    if (state.range(0) == 1 && !up.busy())
        state.SkipWithError("the upload ended before the values did");
    if (table.Messdaten.rowCount(2) != 5000)
        state.SkipWithError("the table is not full");
}
BENCHMARK(OnlineValueWhileUploading)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The history window's server list: 100 000 series, the newest 2000 that a filter finds. Argument 0 a project
// text (one series in 500), 1 a month of start dates.
void ServerList100000(benchmark::State& state)
{
    if (!serverUp(state))
        return;
    static const bool filled = [] {
        server().sql(QStringLiteral(
            "INSERT INTO series (uid, version, kind, view, started, ended, edition, model, port, firmware, probe, mac, "
            "source, project, settings, count, mean, unit, verdict, search) SELECT gen_random_uuid(), 1, 1, 0, "
            "timestamp '2022-01-01' + i * interval '17 minutes', NULL, 'RD', 'RONDO', 'COM7', '2.1', 'FN-B', '', '', "
            "'Brücke ' || (i % 500) || E'\\nAbschnitt ' || (i % 7), '{}', 25, 101.5, 'µm', 'ok', "
            "lower('rd rondo com7 2.1 fn-b Brücke ' || (i % 500) || E'\\nAbschnitt ' || (i % 7)) "
            "FROM generate_series(1, 100000) AS i; ANALYZE series"));
        return true;
    }();
    archive::ServerArchive remote;
    remote.open(server().connection(QStringLiteral("anna")));
    archive::Filter filter;
    if (state.range(0) == 0)
        filter.text = QStringLiteral("Brücke 417");
    else {
        filter.since = QDate(2023, 3, 1);
        filter.until = QDate(2023, 3, 31);
    }
    size_t found = 0;
    for (auto _ : state)
        found = remote.list(filter, 2000).size();
    state.counters["found"] = double(found);
    if (!filled || found == 0)
        state.SkipWithError(qPrintable(QStringLiteral("nothing found: ") + remote.lastError()));
}
BENCHMARK(ServerList100000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);

} // namespace
