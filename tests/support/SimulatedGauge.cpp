#include "SimulatedGauge.h"

#include <QFileInfo>

SimulatedGauge::~SimulatedGauge()
{
    stop();
}

QString SimulatedGauge::program()
{
    return QStringLiteral(VT_SIM_PATH);
}

bool SimulatedGauge::start(const QStringList& options)
{
    if (!QFileInfo(program()).isExecutable()) {
        m_error = "simulator not built";
        return false;
    }
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(program(), options + QStringList{"--quiet"});
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(5000)) {
            m_error = QStringLiteral("no terminal path: ") + QString::fromLocal8Bit(m_process.readAllStandardError());
            return false;
        }
    }
    m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    return !m_device.isEmpty();
}

void SimulatedGauge::command(const QByteArray& line)
{
    m_process.write(line + '\n');
    m_process.waitForBytesWritten(1000);
}

void SimulatedGauge::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.write("quit\n");
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}
