#include "CliOptions.h"
#include "CliSession.h"

#include "shell/EditionInfo.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    // A reader that stops early (| head, | grep -q) must not end the run before the files are written: output
    // to a closed pipe fails quietly instead of killing the process.
    std::signal(SIGPIPE, SIG_IGN);
    // Under a file-size limit a write beyond it fails with EFBIG and is reported (exit 5), instead of the signal
    // ending the run without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    // export lays out text in fonts, which needs a GUI application; it shows nothing, so it needs no display.
    std::unique_ptr<QCoreApplication> app;
    if (ExportOptions::named(argc, argv) || HistoryOptions::named(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // As in the program: Qt set the C locale from the environment; C-level number output stays ".".
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("Varnotek TRANSFER"));

    CliOptions options;
    if (!options.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "varnotek-cli: %s\n%s", qPrintable(options.error()), qPrintable(CliOptions::usage()));
        return CliExit::Usage;
    }
    if (options.command == CliOptions::Command::Help) {
        std::fputs(qPrintable(CliOptions::helpText()), stdout);
        return CliExit::Ok;
    }
    if (options.command == CliOptions::Command::Version) {
        std::printf("varnotek-cli %s\n", qPrintable(shell::EditionInfo().versnr));
        return CliExit::Ok;
    }
    CliSession session(options);
    return session.run();
}
