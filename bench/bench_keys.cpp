// One online row with every option and Enter typed into a real X window (run under xvfb-run). Each
// repetition is one row, so the median is that of single rows; it must stay far below the 50 ms
// between two values.
#include "shell/Dialogs.h"
#include "shell/KeystrokeSettings.h"
#include "shell/Texte.h"
#include "shell/TransferLog.h"
#include "table/TastaturSender.h"
#include "table/X11KeySender.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <signal.h>

namespace {

struct NoDialogs : shell::Dialogs {
    int shown = 0;
    Answer messageBox(const QString&, Buttons, Icon, const QString&) override { return ++shown, Answer::Ok; }
    void notify(const QString&, Icon, const QString&) override { ++shown; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    QPagedPaintDevice* choosePrinter() override { return nullptr; }
};

struct Receiver {
    QTemporaryDir dir;
    shell::Texte texte;
    NoDialogs dialogs;
    shell::KeystrokeSettings s;
    table::X11KeySender keys;
    shell::TransferLog log;
    table::TastaturSender sender{s, keys, dialogs, texte, log};

    Receiver()
    {
        const QString script = dir.path() + QStringLiteral("/receiver.sh");
        QFile f(script);
        if (f.open(QIODevice::WriteOnly))
            f.write("#!/bin/sh\nexec '" VT_KEYSINK_PATH "' '" + dir.path().toUtf8() + "/received.txt'\n");
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        texte.LoadMessageTable(QStringLiteral("BENCH"));
        s.tastaturAktiv = true;
        s.anwendung = script;
        s.tastenOptionen = QStringLiteral("1111");
        s.zeilenende = QStringLiteral("ENTER");
        sender.anwendungStarten();
    }
    ~Receiver()
    {
        if (s.anwendungTask > 0)
            ::kill(pid_t(s.anwendungTask), SIGTERM);
    }
};

const table::TastaturZeile kRow{12, QStringLiteral("05.12.2026"), QStringLiteral("      123.4"), QStringLiteral("µm  "),
                                QStringLiteral(" Fe")};

void BM_TypeOneRow(benchmark::State& state)
{
    static Receiver r;
    if (!r.keys.hasDisplay() || !r.s.anwendungGestartet) {
        state.SkipWithError("no X display or receiving program: run under xvfb-run");
        return;
    }
    // The first row waits for the window to appear; that is start-up, not typing.
    static const bool ready = r.sender.zeileSenden(kRow);
    for (auto _ : state) {
        if (!ready || !r.sender.zeileSenden(kRow))
            state.SkipWithError("the receiving window could not be activated");
    }
}

} // namespace

BENCHMARK(BM_TypeOneRow)
    ->Iterations(1)
    ->Repetitions(60)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
