// Runs the simulator on a pseudo-terminal and talks to it as the transfer program would, without the program's code.
#include "Sandbox.h"
#include "SimulatedGauge.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Safety limit only: a broken simulator must fail the test, not hang it.
constexpr int GiveUpMs = 10000;

// The gauge's terminal, opened raw.
class Terminal
{
public:
    // An unopened terminal fails the first send.
    explicit Terminal(const QString& path) : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY))
    {
        termios tio{};
        tcgetattr(m_fd, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~Terminal()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    void send(const QByteArray& bytes) { ASSERT_EQ(::write(m_fd, bytes.constData(), bytes.size()), bytes.size()); }

    // Reads until one of the stop characters arrives, the line goes away or the safety limit passes.
    QByteArray readUntil(const QByteArray& stops, bool* lineGone = nullptr)
    {
        QByteArray out;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < GiveUpMs) {
            pollfd p{m_fd, POLLIN, 0};
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

private:
    int m_fd;
};

QByteArray portsIni(const testsupport::Sandbox& sb)
{
    return testsupport::Sandbox::readFile(sb.config() + "/Varnotek/Ports.ini");
}

// The exit status once the simulator has ended by itself, -1 when it did not end normally.
int ended(QProcess& process)
{
    return process.waitForFinished(GiveUpMs) && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int recordCount(const QByteArray& answer)
{
    const int stx = answer.indexOf("\x02\r\n");
    int n = 0;
    for (const QByteArray& line : answer.mid(stx + 3).split('\n'))
        n += stx >= 0 && line.endsWith('\r') && !line.startsWith("    ");
    return n;
}

} // namespace

TEST(SimProcess, OnlineValueOnKeypressAndSwitchOff)
{
    testsupport::Sandbox sb;
    SimulatedGauge sim;
    ASSERT_TRUE(sim.start({"--model", "VX5", "--keypress", "--com", "12"})) << sim.error().toStdString();
    Terminal line(sim.device());
    line.send("$kova00$\r\n");
    EXPECT_TRUE(line.readUntil("\x04").startsWith("VX-5"));
    sim.command("3.25");
    EXPECT_EQ(line.readUntil("\n"), QByteArray("   1        3.25 A/cm    \r\n"));
    sim.command("off");
    EXPECT_EQ(line.readUntil("\x19"), QByteArray("\x19"));

    sim.process().terminate();
    EXPECT_EQ(ended(sim.process()), 0);
    EXPECT_FALSE(portsIni(sb).contains("COM12;"));
}

TEST(SimProcess, NewCommandCancelsUnfinishedAnswer)
{
    // paced: the 2000-value answer is still on its way when the client gives up and asks again
    testsupport::Sandbox sb;
    SimulatedGauge sim;
    ASSERT_TRUE(sim.start({"--count1", "2000"})) << sim.error().toStdString();
    Terminal line(sim.device());
    line.send("$kova10$\r\n");
    EXPECT_TRUE(line.readUntil("\x02").startsWith("FN-B"));
    line.send("$kova00$\r\n");
    // a few bytes of the old answer may still be under way; after them comes the whole identification
    const QByteArray id = line.readUntil("\x04");
    EXPECT_TRUE(id.endsWith("FN-B SN 100234\r\nVD:2.14\r\nM1:2000\r\nM2:12\r\nAD:00:1A:7D:DA:71:13\r\nPT:F1.5\r\n"
                            "VP:1.07\r\n\x04"))
        << id.right(120).toHex(' ').constData();
}

TEST(SimProcess, UnplugPartWayEndsAndRemovesLine)
{
    testsupport::Sandbox sb;
    SimulatedGauge sim;
    ASSERT_TRUE(sim.start({"--fast", "--com", "9", "--count1", "20", "--fault", "unplug"}))
        << sim.error().toStdString();
    ASSERT_TRUE(portsIni(sb).contains("COM9;"));
    Terminal line(sim.device());
    line.send("$kova10$\r\n");
    bool gone = false;
    EXPECT_LT(recordCount(line.readUntil("\x04", &gone)), 20);
    EXPECT_TRUE(gone);
    EXPECT_EQ(ended(sim.process()), 0);
    EXPECT_FALSE(portsIni(sb).contains("COM9;"));
}

TEST(SimProcess, BadOptionGivesUsageAndStatus2)
{
    QProcess p;
    p.start(SimulatedGauge::program(), {"--model", "ZZ9"});
    EXPECT_EQ(ended(p), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("usage: varnotek-sim"));
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
}
