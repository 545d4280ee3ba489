// Runs the real program on a pseudo-terminal and talks to it as the transfer program would.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Safety limit only: a broken simulator must fail the test, not hang it.
constexpr int GiveUpMs = 10000;

class Sim
{
public:
    explicit Sim(const QStringList &args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_config.path());
        process.setProcessEnvironment(env);
        process.start(VT_SIM_PROGRAM, args);
        process.waitForStarted(GiveUpMs);
        QElapsedTimer timer;
        timer.start();
        while (!process.canReadLine() && timer.elapsed() < GiveUpMs && process.state() == QProcess::Running)
            process.waitForReadyRead(100);
        path = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~Sim()
    {
        closePort();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(GiveUpMs);
        }
    }

    bool openPort()
    {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        if (m_fd < 0)
            return false;
        termios tio {};
        tcgetattr(m_fd, &tio);
        cfmakeraw(&tio);
        return tcsetattr(m_fd, TCSANOW, &tio) == 0;
    }
    void closePort()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    void send(const QByteArray &bytes) { ASSERT_EQ(::write(m_fd, bytes.constData(), bytes.size()), bytes.size()); }

    // Reads until one of the stop characters arrives, the line goes away or the safety limit passes.
    QByteArray readUntil(const QByteArray &stops, bool *lineGone = nullptr)
    {
        QByteArray out;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < GiveUpMs) {
            pollfd p {m_fd, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0) {
                if (n < 0 && errno == EINTR)
                    continue;
                if (lineGone)
                    *lineGone = true;
                break;
            }
            out.append(buffer, n);
            for (const char c : stops) {
                if (out.contains(c))
                    return out;
            }
        }
        return out;
    }

    QByteArray portsIni() const
    {
        QFile f(m_config.path() + "/Varnotek/Ports.ini");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool waitEnded(int *exitCode)
    {
        const bool ended = process.waitForFinished(GiveUpMs);
        *exitCode = process.exitCode();
        return ended && process.exitStatus() == QProcess::NormalExit;
    }

    QProcess process;
    QString path;

private:
    QTemporaryDir m_config;
    int m_fd = -1;
};

int recordCount(const QByteArray &answer)
{
    const int stx = answer.indexOf("\x02\r\n");
    if (stx < 0)
        return 0;
    int n = 0;
    for (const QByteArray &line : answer.mid(stx + 3).split('\n')) {
        if (line.endsWith('\r') && !line.startsWith("    "))
            ++n;
    }
    return n;
}

} // namespace

TEST(SimProcess, ReadsMemoriesAndManagesPortsIni)
{
    Sim sim({"--model", "RD", "--fast", "--com", "7", "--count1", "40", "--count2", "3", "--quiet"});
    ASSERT_TRUE(sim.path.startsWith("/dev/")) << qPrintable(sim.path);
    EXPECT_EQ(sim.portsIni(), "COM7;" + sim.path.toLatin1() + ";BTH simulated gauge;\r\n");

    ASSERT_TRUE(sim.openPort());
    sim.send("$kova00$\r\n");
    const QByteArray id = sim.readUntil("\x04");
    EXPECT_TRUE(id.startsWith("FN-B"));
    EXPECT_TRUE(id.contains("\r\nM1:40\r\nM2:3\r\n"));
    EXPECT_TRUE(id.endsWith("\r\n\x04"));

    sim.send("$kova10$\r\n");
    EXPECT_EQ(recordCount(sim.readUntil("\x04")), 40);

    // the device can be closed and opened again
    sim.closePort();
    ASSERT_TRUE(sim.openPort());
    sim.send("$kova11$\r\n");
    const QByteArray m2 = sim.readUntil("\x04");
    EXPECT_EQ(recordCount(m2), 3);
    EXPECT_TRUE(m2.contains("\xB5m   NFe\r\n"));

    sim.process.closeWriteChannel();   // end of stdin (a pipe) ends the simulator
    int code = -1;
    ASSERT_TRUE(sim.waitEnded(&code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(sim.portsIni().contains("COM7;"));
}

TEST(SimProcess, OnlineValueOnKeypressAndSwitchOff)
{
    Sim sim({"--model", "VX5", "--keypress", "--com", "12", "--quiet"});
    ASSERT_TRUE(sim.openPort());
    sim.send("$kova00$\r\n");
    EXPECT_TRUE(sim.readUntil("\x04").startsWith("VX-5"));
    sim.process.write("3.25\n");
    sim.process.waitForBytesWritten(GiveUpMs);
    EXPECT_EQ(sim.readUntil("\n"), QByteArray("   1        3.25 A/cm    \r\n"));
    sim.process.write("off\n");
    sim.process.waitForBytesWritten(GiveUpMs);
    EXPECT_EQ(sim.readUntil("\x19"), QByteArray("\x19"));

    sim.process.terminate();
    int code = -1;
    ASSERT_TRUE(sim.waitEnded(&code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(sim.portsIni().contains("COM12;"));
}

TEST(SimProcess, NewCommandCancelsUnfinishedAnswer)
{
    // paced: the 2000-value answer is still on its way when the client gives up and asks again
    Sim sim({"--count1", "2000", "--quiet"});
    ASSERT_TRUE(sim.openPort());
    sim.send("$kova10$\r\n");
    EXPECT_TRUE(sim.readUntil("\x02").startsWith("FN-B"));
    sim.send("$kova00$\r\n");
    // a few bytes of the old answer may still be under way; after them comes the whole identification
    const QByteArray id = sim.readUntil("\x04");
    EXPECT_TRUE(id.endsWith("FN-B SN 100234\r\nVD:2.14\r\nM1:2000\r\nM2:12\r\nAD:00:1A:7D:DA:71:13\r\nPT:F1.5\r\n"
                            "VP:1.07\r\n\x04"))
        << id.right(120).toHex(' ').constData();
}

TEST(SimProcess, UnplugPartWayEndsAndRemovesLine)
{
    Sim sim({"--fast", "--com", "9", "--count1", "20", "--fault", "unplug", "--quiet"});
    ASSERT_TRUE(sim.portsIni().contains("COM9;"));
    ASSERT_TRUE(sim.openPort());
    sim.send("$kova10$\r\n");
    bool gone = false;
    const QByteArray partial = sim.readUntil("\x04", &gone);
    EXPECT_TRUE(gone);
    EXPECT_LT(recordCount(partial), 20);
    int code = -1;
    ASSERT_TRUE(sim.waitEnded(&code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(sim.portsIni().contains("COM9;"));
}

TEST(SimProcess, BadOptionGivesUsageAndStatus2)
{
    QProcess p;
    p.start(VT_SIM_PROGRAM, {"--model", "ZZ9"});
    ASSERT_TRUE(p.waitForFinished(GiveUpMs));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("usage: varnotek-sim"));
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
}
