#include "CliProcess.h"

#include <QElapsedTimer>
#include <QProcess>

#include <sys/resource.h>

// AddressSanitizer reserves terabytes of address space for its shadow memory: under it the bound is checked on the
// peak resident memory afterwards, with room for the sanitizer's own (a run without a bound still ends at its time).
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

void writeReportSettings(const testsupport::Sandbox& sb)
{
    testsupport::Sandbox::writeFile(sb.config() + kAppData + "/Limit.ini", "95,5;140;120;0;\r\n");
    testsupport::Sandbox::writeFile(sb.config() + kAppData + "/Projektdaten.ini",
                                    "Bridge 7\r\n\r\n\r\n\r\n\r\nK. Weber\r\nDT 03.04.2025;09:15\r\n");
    testsupport::Sandbox::writeFile(sb.data() + kAppData + "/Projekt.ini",
                                    "Objekt;Object;\r\nA;B;\r\nC;D;\r\nE;F;\r\nG;H;\r\nPr\xFC"
                                    "fer;Inspector;\r\n");
}

QString CliRun::program()
{
    return QStringLiteral(VT_CLI_PATH);
}

QStringList CliRun::outLines() const
{
    QStringList lines = out.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

CliRun CliRun::run(const QStringList& arguments, int limitMs, qint64 memoryBytes)
{
    CliRun r;
    QProcess p;
    if (memoryBytes > 0 && !kAddressSanitizer)
        p.setChildProcessModifier([memoryBytes] {
            const struct rlimit limit {
                rlim_t(memoryBytes), rlim_t(memoryBytes)
            };
            ::setrlimit(RLIMIT_AS, &limit);
        });
    QElapsedTimer clock;
    clock.start();
    p.start(program(), arguments);
    if (!p.waitForFinished(limitMs)) {
        p.kill();
        p.waitForFinished(3000);
        r.err = QStringLiteral("(did not end within %1 ms)").arg(limitMs);
        return r;
    }
    r.ms = clock.elapsed();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    struct rusage usage {
    };
    if (memoryBytes > 0 && kAddressSanitizer && ::getrusage(RUSAGE_CHILDREN, &usage) == 0 &&
        qint64(usage.ru_maxrss) * 1024 > 3 * memoryBytes) {
        r.exitCode = -1;
        r.err.prepend(QStringLiteral("(peak memory %1 KiB)\n").arg(usage.ru_maxrss));
    }
    return r;
}
