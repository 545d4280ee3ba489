#include "SimOptions.h"
#include "SimRunner.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    SimOptions options;
    switch (options.parse(app.arguments())) {
    case SimOptions::Result::Help:
        std::fputs(qPrintable(SimOptions::helpText()), stdout);
        return 0;
    case SimOptions::Result::Error:
        std::fprintf(stderr, "varnotek-sim: %s\n%s", qPrintable(options.error()), qPrintable(SimOptions::usage()));
        return 2;
    case SimOptions::Result::Run:
        break;
    }
    QString error;
    auto gauge = SimRunner::makeGauge(options.settings(), &error);
    if (!gauge) {
        std::fprintf(stderr, "varnotek-sim: %s\n", qPrintable(error));
        return 2;
    }
    SimRunner runner(*gauge, options.settings());
    return runner.run();
}
