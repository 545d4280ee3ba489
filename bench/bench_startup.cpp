// Start-up to the idle main window: construct, run the start-up sequence, show, paint.
#include "session/TransferSession.h"
#include "shell/SystemDesktop.h"
#include "ui/QtDialogs.h"
#include "ui/frmTransfer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_StartupToIdleWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString app = dir.path() + "/app";
    QDir().mkpath(app);
    QDir().mkpath(dir.path() + "/run");
    QFile::setPermissions(dir.path() + "/run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", (dir.path() + "/cfg").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (dir.path() + "/data").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (dir.path() + "/run").toLocal8Bit());
    for (const char* name : {"Konfi.ini", "RD.gif", "Kovalogo.jpg", "Rahmen.jpg"})
        QFile::copy(QStringLiteral(VT_BIN_DIR "/") + name, app + "/" + name);
    for (auto _ : state) {
        ui::QtDialogs dialogs;
        shell::SystemDesktop desktop;
        session::TransferSession session(dialogs, desktop);
        session.state().edition.appPath = app;
        ui::frmTransfer w(session);
        if (!w.Form_Load())
            state.SkipWithError("start-up refused");
        w.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.winId());
    }
}
BENCHMARK(BM_StartupToIdleWindow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

} // namespace
