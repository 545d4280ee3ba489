// varnotek-cli online: the program's online mode without a window, until a count, a time, the end of reception,
// the loss of the gauge, silence or a signal ends it.
#include "CliSession.h"

#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "link/OnlineReceiver.h"
#include "session/TransferSession.h"
#include "shell/Controls.h"
#include "table/TableSession.h"

#include <QDir>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <utility>

namespace Main = ctl::frmTransfer;

namespace {

int g_signalPipe[2] = {-1, -1};

extern "C" void onStopSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

// SIGINT and SIGTERM end the run through the event loop, so what arrived is still written.
class StopSignals
{
public:
    StopSignals()
    {
        if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        struct sigaction sa = {};
        sa.sa_handler = onStopSignal;
        sigemptyset(&sa.sa_mask);
        ::sigaction(SIGINT, &sa, &m_oldInt);
        ::sigaction(SIGTERM, &sa, &m_oldTerm);
        m_notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    }
    ~StopSignals()
    {
        m_notifier.reset();
        ::sigaction(SIGINT, &m_oldInt, nullptr);
        ::sigaction(SIGTERM, &m_oldTerm, nullptr);
        for (int& fd : g_signalPipe)
            if (fd >= 0)
                ::close(std::exchange(fd, -1));
    }
    QSocketNotifier* notifier() const { return m_notifier.get(); }

private:
    struct sigaction m_oldInt = {};
    struct sigaction m_oldTerm = {};
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace

int CliSession::online()
{
    StopSignals stop; // before connecting: a signal while connecting ends the run too
    int status = connect();
    if (status != CliExit::Ok)
        return status;

    instrument::OnlineReceiver& receiver = m_session->online();
    // Instruments without memory went online with the connect; the others go online as the option button does.
    if (m_st.messart != shell::Messart::Online)
        receiver.optOnline_Click();
    if (!receiver.receiving())
        return notConnected();

    QEventLoop loop;
    enum class End { None, Count, Seconds, Reception, Signal, Silence, Lost, Refused } end = End::None;
    const auto finish = [&](End why) {
        if (end == End::None)
            end = why;
        loop.quit();
    };
    QTimer silence;
    silence.setSingleShot(true);
    QObject::connect(&silence, &QTimer::timeout, &loop, [&] { finish(End::Silence); });
    silence.start(m_options.timeoutSeconds * 1000);
    QTimer runTime;
    runTime.setSingleShot(true);
    QObject::connect(&runTime, &QTimer::timeout, &loop, [&] { finish(End::Seconds); });
    if (m_options.seconds > 0)
        runTime.start(std::chrono::milliseconds(m_deadline.remainingTime()));

    int shown = 0;
    QObject::connect(&receiver, &instrument::OnlineReceiver::valueShown, &loop, [&](const QString& text) {
        out(text);
        ++shown;
        silence.start(m_options.timeoutSeconds * 1000);
        if (m_options.count > 0 && receiver.taken() >= m_options.count)
            finish(End::Count);
    });
    QObject::connect(&receiver, &instrument::OnlineReceiver::receptionEnded, &loop, [&] { finish(End::Reception); });
    QObject::connect(m_link, &instrument::LinkSession::switchedOff, &loop, [&] { finish(End::Lost); });
    QObject::connect(m_link, &instrument::LinkSession::lineBroken, &loop, [&] { finish(End::Lost); });
    QObject::connect(m_link, &instrument::LinkSession::answerRefused, &loop, [&] { finish(End::Refused); });
    if (stop.notifier())
        QObject::connect(stop.notifier(), &QSocketNotifier::activated, &loop, [&] { finish(End::Signal); });
    loop.exec();
    m_link->closePort();

    for (const QString& line : m_table->statistikZeilen(2))
        out(line);
    bool written = true;
    if (!m_options.outDir.isEmpty()) {
        QDir().mkpath(m_options.outDir);
        written = m_export->saveTo(QDir(m_options.outDir).absoluteFilePath(QStringLiteral("online.mes")));
    }
    // A line shown and not taken was no value ("NaN", a number beyond its column); the log names each.
    const int notTaken = shown - receiver.taken();
    if (notTaken > 0)
        err(m_options.port + QStringLiteral(": ") + say(shell::Phrase::LinesWithoutAValidValue).arg(notTaken));
    switch (end) {
    case End::Refused:
        err(m_link->refusal());
        return CliExit::Refused;
    case End::Lost:
        err(m_options.port + QStringLiteral(": ") + m_link->status());
        return CliExit::LineLost;
    case End::Silence:
        err(m_options.port + QStringLiteral(": ") + say(shell::Phrase::NoValueWithinS).arg(m_options.timeoutSeconds));
        return CliExit::Timeout;
    default:
        if (!written)
            return CliExit::WriteFailed;
        return notTaken > 0 ? CliExit::Refused : CliExit::Ok;
    }
}
