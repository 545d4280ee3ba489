#include "SimRunner.h"

#include "SimPortsIni.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int signal)
{
    const char c = char(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

void installSignalHandlers()
{
    if (g_signalPipe[0] < 0 && pipe2(g_signalPipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    struct sigaction action {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

constexpr qint64 Ms = 1000000;
constexpr size_t MaxQueuedChunks = 256; // beyond this nobody reads: online values are dropped

QString printable(const QByteArray& bytes)
{
    QString out;
    for (const char c : bytes) {
        const uchar u = uchar(c);
        out += (u >= 32 && u < 127) ? QString(QChar(u)) : QStringLiteral("<%1>").arg(u);
    }
    return out;
}

} // namespace

std::unique_ptr<SimGauge> SimRunner::makeGauge(const SimSettings& settings, QString* error)
{
    const SimModelInfo info = *SimGauge::modelInfo(settings.gauge.model);
    const QString unit = settings.unit.isEmpty() ? info.defaultUnit : settings.unit;
    const double mean = settings.meanSet ? settings.mean : info.defaultMean;
    const double spread = settings.spreadSet ? settings.spread : info.defaultSpread;
    const bool isRd = info.code == QLatin1String("RD");
    const bool feFe = settings.gauge.variant.startsWith(QLatin1String("FE"), Qt::CaseInsensitive);
    const QString online =
        settings.gauge.material.isEmpty() && info.coating ? QStringLiteral("Fe") : settings.gauge.material;
    const QString material1 = isRd ? QStringLiteral("Fe") : online;
    const QString material2 = isRd ? (feFe ? QStringLiteral("Fe") : QStringLiteral("NFe")) : online;

    QList<SimValue> files[2];
    const QString paths[2] = {settings.memory1File, settings.memory2File};
    for (int m = 0; m < 2; ++m) {
        if (paths[m].isEmpty())
            continue;
        auto loaded = SimGauge::loadMemoryFile(paths[m], unit, m == 0 ? material1 : material2, error);
        if (!loaded)
            return nullptr;
        for (const SimValue& v : *loaded) {
            if (!SimGauge::unitsFor(info).contains(v.unit)) {
                *error = QStringLiteral("%1: %2 does not measure %3").arg(paths[m], info.code, v.unit);
                return nullptr;
            }
        }
        files[m] = *loaded;
    }

    int count1 = settings.count1;
    int count2 = settings.count2;
    if (count1 < 0)
        count1 = info.memories == 0 ? 0 : (isRd || info.code == QLatin1String("FT") ? 25 : 20);
    if (count2 < 0)
        count2 = isRd ? 12 : (info.code == QLatin1String("FT") ? 96 : 0);

    SimGaugeConfig config = settings.gauge;
    if (config.switchOffAfter == -2) { // "switch-off" fault: half way through memory 1, or after 5 online values
        const int size1 = paths[0].isEmpty() ? count1 : int(files[0].size());
        config.switchOffAfter = info.memories == 0 ? 5 : std::max(1, size1 / 2);
    }
    auto gauge = std::make_unique<SimGauge>(config);
    if (info.memories >= 1) {
        if (paths[0].isEmpty())
            gauge->generateMemory(1, count1, mean, spread, unit);
        else
            gauge->setMemory(1, files[0]);
    }
    if (info.memories >= 2) {
        if (paths[1].isEmpty())
            gauge->generateMemory(2, count2, mean, spread, unit);
        else
            gauge->setMemory(2, files[1]);
    }
    return gauge;
}

SimRunner::SimRunner(SimGauge& gauge, const SimSettings& settings) : m_gauge(gauge), m_settings(settings)
{
    m_byteNs = settings.fast ? 0 : qint64(1e9 * 10.0 / settings.baud); // start bit, 8 data bits, stop bit
}

void SimRunner::log(const QString& text) const
{
    if (m_settings.quiet)
        return;
    const double seconds = double(now() - m_startNs) / 1e9;
    std::fprintf(stderr, "varnotek-sim %8.3f: %s\n", seconds, qPrintable(text));
}

qint64 SimRunner::now() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The terminal, the Ports.ini line and the stdin mode; false after a message when one cannot be set up.
bool SimRunner::setUp()
{
    QString error;
    if (!m_port.open(&error)) {
        std::fprintf(stderr, "varnotek-sim: cannot open a pseudo-terminal: %s\n", qPrintable(error));
        return false;
    }
    const QString path = m_port.devicePath();
    if (m_settings.com > 0) {
        if (!SimPortsIni::addLine(m_settings.com, path, m_settings.typeText, &error)) {
            std::fprintf(stderr, "varnotek-sim: cannot write Ports.ini: %s\n", qPrintable(error));
            return false;
        }
        m_portsLineWritten = true;
        log(QStringLiteral("COM%1 -> %2 in %3").arg(m_settings.com).arg(path, SimPortsIni::filePath()));
    }
    std::fprintf(stdout, "%s\n", qPrintable(path));
    std::fflush(stdout);

    struct stat st {
    };
    if (fstat(STDIN_FILENO, &st) == 0)
        m_stdinMode = (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) || isatty(STDIN_FILENO)) ? StdinMode::EndsProgram
                                                                                             : StdinMode::Ignored;
    log(QStringLiteral("%1 (%2) on %3, %4")
            .arg(m_gauge.info().code, m_gauge.identificationFirstLine(), path,
                 m_settings.fast ? QStringLiteral("unpaced") : QStringLiteral("%1 baud").arg(m_settings.baud)));
    return true;
}

int SimRunner::run()
{
    m_startNs = now();
    installSignalHandlers();
    if (!setUp())
        return 1;
    if (m_settings.online && m_settings.onlineNow) {
        m_onlineStarted = true;
        m_nextOnline = m_startNs + m_settings.intervalMs * Ms;
    }
    const qint64 unplugAt = m_settings.unplugAfterMs >= 0 ? m_startNs + m_settings.unplugAfterMs * Ms : -1;
    while (!m_quit) {
        const qint64 t = now();
        if (unplugAt >= 0 && t >= unplugAt) {
            unplug(QStringLiteral("unplugged after %1 ms").arg(m_settings.unplugAfterMs));
            break;
        }
        serviceOnline(t);
        const qint64 outputDue = serviceOutput(t);
        if (m_quit)
            break;
        qint64 wake = -1;
        for (const qint64 due : {outputDue, unplugAt, (m_onlineStarted && !m_settings.keypress) ? m_nextOnline : -1}) {
            if (due >= 0 && (wake < 0 || due < wake))
                wake = due;
        }
        if (!waitAndServe(wake))
            break;
    }
    cleanup();
    return 0;
}

// Waits for the line, a signal or stdin until the wake time (-1: no timer) and serves what came; false ends the run.
bool SimRunner::waitAndServe(qint64 wake)
{
    pollfd fds[3] = {
        {m_port.masterFd(), short(POLLIN | (m_blocked ? POLLOUT : 0)), 0},
        {g_signalPipe[0], POLLIN, 0},
        {m_stdinMode == StdinMode::Off ? -1 : STDIN_FILENO, POLLIN, 0},
    };
    timespec timeout{};
    if (wake >= 0) {
        const qint64 wait = std::max<qint64>(0, wake - now());
        timeout.tv_sec = wait / 1000000000;
        timeout.tv_nsec = wait % 1000000000;
    }
    const int ready = ppoll(fds, 3, wake >= 0 ? &timeout : nullptr, nullptr);
    if (ready < 0 && errno != EINTR) {
        log(QStringLiteral("poll failed"));
        return false;
    }
    if (ready <= 0)
        return true;
    if (fds[1].revents & POLLIN) {
        char sig = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &sig, 1);
        log(QStringLiteral("signal %1: ending").arg(int(sig)));
        return false;
    }
    if (fds[0].revents & POLLOUT)
        m_blocked = false;
    if (fds[0].revents & POLLIN)
        handleInput(m_port.readAll());
    if (fds[2].revents & (POLLIN | POLLHUP))
        readStdin();
    return true;
}

void SimRunner::cleanup()
{
    m_port.close();
    if (m_portsLineWritten) {
        QString error;
        if (!SimPortsIni::removeLine(m_settings.com, m_port.devicePath(), &error))
            std::fprintf(stderr, "varnotek-sim: cannot remove the Ports.ini line: %s\n", qPrintable(error));
        m_portsLineWritten = false;
    }
}

void SimRunner::unplug(const QString& why)
{
    log(why);
    m_queue.clear();
    m_quit = true;
}

void SimRunner::handleInput(const QByteArray& bytes)
{
    m_input += bytes;
    for (;;) {
        const int at = m_input.indexOf("$kova");
        if (at < 0) {
            // keep a possible beginning of a command
            const int dollar = m_input.lastIndexOf('$');
            m_input = dollar >= 0 ? m_input.mid(dollar) : QByteArray();
            return;
        }
        if (m_input.size() < at + 8)
            return;
        const QByteArray command = m_input.mid(at, 8);
        m_input.remove(0, at + 8);
        if (command.endsWith('$'))
            handleCommand(command);
        else
            log(QStringLiteral("ignored \"%1\"").arg(printable(command)));
    }
}

void SimRunner::handleCommand(const QByteArray& command)
{
    if (!m_gauge.isOn()) {
        log(QStringLiteral("%1 ignored: switched off").arg(printable(command)));
        return;
    }
    if (!m_queue.empty()) {
        log(QStringLiteral("answer cancelled by a new command"));
        m_queue.clear();
        m_headActive = false;
    }
    m_port.discardUnread();
    const QList<SimChunk> chunks = m_gauge.answer(command);
    log(QStringLiteral("%1 -> %2")
            .arg(printable(command),
                 chunks.isEmpty() ? QStringLiteral("no answer") : QStringLiteral("%1 chunk(s)").arg(chunks.size())));
    enqueue(chunks);
    // A gauge answering a command measures nothing meanwhile: online values wait until the answer is out.
    m_answering = !chunks.isEmpty();
    m_endless = m_answering && (m_gauge.config().endless || (m_gauge.config().endlessMemory && command != "$kova00$"));
    if (command == "$kova00$" && m_settings.online && !m_onlineStarted) {
        m_onlineStarted = true;
        m_nextOnline = now() + m_settings.intervalMs * Ms;
        log(m_settings.keypress ? QStringLiteral("online: one value per line on stdin")
                                : QStringLiteral("online: a value every %1 ms").arg(m_settings.intervalMs));
    }
}

void SimRunner::enqueue(const QList<SimChunk>& chunks)
{
    const qint64 t = now();
    for (SimChunk c : chunks) {
        c.queuedAt = t;
        m_queue.push_back(c);
    }
}

void SimRunner::serviceOnline(qint64 t)
{
    if (!m_onlineStarted || m_settings.keypress || m_nextOnline < 0 || t < m_nextOnline)
        return;
    m_nextOnline += m_settings.intervalMs * Ms;
    if (m_nextOnline < t)
        m_nextOnline = t + m_settings.intervalMs * Ms;
    if (!m_gauge.isOn() || m_answering)
        return;
    if (m_queue.size() > MaxQueuedChunks) {
        log(QStringLiteral("nobody reads: online value dropped"));
        return;
    }
    enqueue(m_gauge.onlineValue());
}

qint64 SimRunner::serviceOutput(qint64 t)
{
    const qint64 batch = m_byteNs > 0 ? std::max<qint64>(1, Ms / m_byteNs) : 1; // about one millisecond of line
    for (;;) {
        if (m_queue.empty() && m_endless && m_gauge.isOn())
            enqueue({SimChunk{m_gauge.endlessPiece(), 0, SimChunk::Action::None}});
        if (m_queue.empty())
            break;
        SimChunk& head = m_queue.front();
        if (!m_headActive) {
            // A chunk that was waiting follows the previous one without a gap, as a UART sends its queue; a late
            // wake-up of this loop must not stretch the line's timeline.
            m_headStart = std::max(head.queuedAt, m_lineFree) + qint64(head.pauseMs) * Ms;
            m_headSent = 0;
            m_headActive = true;
        }
        const qint64 size = head.data.size();
        if (m_headSent < size) {
            if (m_blocked)
                return -1; // poll wakes us when the terminal takes data again
            qint64 due = size - m_headSent;
            if (t < m_headStart)
                return m_headStart + std::min(batch, due) * m_byteNs;
            if (m_byteNs > 0)
                due = std::min(due, (t - m_headStart) / m_byteNs - m_headSent);
            if (due <= 0)
                return m_headStart + (m_headSent + std::min(batch, size - m_headSent)) * m_byteNs;
            const qint64 n = m_port.write(head.data.constData() + m_headSent, due);
            if (n < 0) {
                unplug(QStringLiteral("the terminal failed: ending"));
                return -1;
            }
            m_headSent += n;
            if (n < due) {
                // The client does not read. Carry on from now when it does, rather than bursting to catch up.
                m_blocked = true;
                if (m_byteNs > 0)
                    m_headStart = t - m_headSent * m_byteNs;
                return -1;
            }
            if (m_headSent < size)
                return m_headStart + (m_headSent + std::min(batch, size - m_headSent)) * m_byteNs;
        }
        m_lineFree = m_headStart + size * m_byteNs;
        const SimChunk::Action action = head.action;
        m_queue.pop_front();
        m_headActive = false;
        if (action == SimChunk::Action::SwitchOff) {
            log(QStringLiteral("EM sent: switched off"));
        } else if (action == SimChunk::Action::Unplug) {
            unplug(QStringLiteral("unplugged part way through the answer"));
            return -1;
        }
    }
    m_answering = false;
    return -1;
}

void SimRunner::readStdin()
{
    char buffer[1024];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n > 0) {
        m_stdinBuffer.append(buffer, n);
        int eol;
        while ((eol = m_stdinBuffer.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(m_stdinBuffer.left(eol)).trimmed();
            m_stdinBuffer.remove(0, eol + 1);
            handleStdinLine(line);
        }
        return;
    }
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (m_stdinMode == StdinMode::EndsProgram) {
        log(QStringLiteral("end of stdin: ending"));
        m_quit = true;
    }
    m_stdinMode = StdinMode::Off;
}

void SimRunner::handleStdinLine(const QString& line)
{
    if (line == QLatin1String("quit") || line == QLatin1String("exit")) {
        log(QStringLiteral("quit"));
        m_quit = true;
    } else if (line == QLatin1String("off")) {
        if (m_gauge.isOn()) {
            m_gauge.switchOff();
            enqueue({SimChunk{QByteArray(1, SimGauge::EM), 0, SimChunk::Action::SwitchOff}});
        }
    } else if (line == QLatin1String("on")) {
        m_gauge.switchOn();
        log(QStringLiteral("switched on"));
    } else if (line == QLatin1String("unplug")) {
        unplug(QStringLiteral("unplugged"));
    } else if (line == QLatin1String("help")) {
        std::fprintf(stderr, "commands: (empty) or a number = online value, off, on, unplug, quit\n");
    } else {
        std::optional<double> value;
        if (!line.isEmpty()) {
            bool ok = false;
            const double v = QString(line).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (!ok) {
                log(QStringLiteral("unknown command \"%1\" (try help)").arg(line));
                return;
            }
            value = v;
        }
        if (!m_settings.online) {
            log(QStringLiteral("not online (start with --online or --keypress)"));
            return;
        }
        if (!m_gauge.isOn()) {
            log(QStringLiteral("switched off: no value sent"));
            return;
        }
        enqueue(m_gauge.onlineValue(value));
    }
}
