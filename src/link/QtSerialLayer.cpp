#include "QtSerialLayer.h"

#include "PortTable.h"
#include "PortWatcher.h"
#include "shell/TextFile.h"

#include <QFileInfo>
#include <QTimer>

#include <unistd.h>

namespace instrument {

QtSerialLayer::QtSerialLayer(QObject* parent) : SerialLayer(parent), m_watcher(new PortWatcher(this))
{
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialLayer::readPort);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLayer::portError);
    connect(m_watcher, &PortWatcher::portState, this, &SerialLayer::portState);
    connect(m_watcher, &PortWatcher::rescanned, this, &SerialLayer::portsRescanned);
}

QtSerialLayer::~QtSerialLayer()
{
    m_port.close();
}

PortInfo QtSerialLayer::portInfo(const QString& comName)
{
    return PortTable::info(comName);
}

OpenError QtSerialLayer::open(int portNumber)
{
    m_errorText.clear();
    if (m_port.isOpen())
        return OpenError::None;
    const PortTable::Entry e = PortTable::resolve(portNumber);
    const QString com = QStringLiteral("COM") + QString::number(portNumber);
    if (e.device.isEmpty() || !QFileInfo::exists(e.device)) {
        m_errorText = e.device.isEmpty() ? com + QStringLiteral(": no device for this port")
                                         : com + QStringLiteral(": ") + e.device + QStringLiteral(" does not exist");
        return OpenError::Unavailable;
    }
    m_port.clearError();
    m_port.setPortName(e.device);
    m_port.setBaudRate(QSerialPort::Baud38400);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // DTR and RTS stay as the system leaves them: pseudo-terminals refuse both.
    if (m_port.open(QIODevice::ReadWrite)) {
        m_lost = false;
        m_text.clear();
        m_partialLine.clear();
        m_lines.clear();
        return OpenError::None;
    }
    const QSerialPort::SerialPortError error = m_port.error();
    const QString system = m_port.errorString();
    m_port.clearError();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        m_errorText = com + QStringLiteral(" (") + e.device + QStringLiteral("): ") + system;
        return OpenError::Unavailable;
    case QSerialPort::PermissionError: {
        // Busy ports report a permission error too; only the file's access rights tell them apart.
        const QByteArray path = QFile::encodeName(e.device);
        m_errorText = com + QStringLiteral(" (") + e.device + QLatin1Char(')');
        return ::access(path.constData(), R_OK | W_OK) != 0 ? OpenError::PermissionDenied : OpenError::Busy;
    }
    default:
        m_errorText = com + QStringLiteral(" (") + e.device + QStringLiteral("): ") + system;
        return OpenError::Other;
    }
}

void QtSerialLayer::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_text.clear();
    m_partialLine.clear();
    m_lines.clear();
}

void QtSerialLayer::setDelivery(Delivery delivery)
{
    if (delivery == m_delivery)
        return;
    m_delivery = delivery;
    // Text already waiting moves over so nothing is lost.
    if (delivery == Delivery::Lines) {
        const QString pending = m_text;
        m_text.clear();
        if (!pending.isEmpty())
            deliver(pending);
    } else {
        m_text = m_lines.join(QString()) + m_partialLine + m_text;
        m_lines.clear();
        m_partialLine.clear();
    }
}

void QtSerialLayer::clearReceived()
{
    m_text.clear();
    m_partialLine.clear();
    m_lines.clear();
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}

bool QtSerialLayer::transmit(const QString& text)
{
    if (!m_port.isOpen())
        return false;
    const QByteArray bytes = shell::TextFile::encode(text);
    return m_port.write(bytes) == bytes.size();
}

QString QtSerialLayer::takeReceived()
{
    if (m_delivery == Delivery::Lines)
        return m_lines.isEmpty() ? QString() : m_lines.takeFirst();
    QString out;
    out.swap(m_text);
    return out;
}

void QtSerialLayer::readPort()
{
    const QString text = m_decoder.decode(m_port.readAll());
    QString segment;
    for (const QChar c : text) {
        if (c == EOT || c == EM) {
            if (!segment.isEmpty())
                deliver(segment);
            segment.clear();
            emit specialCharacter(c);
        } else {
            segment += c;
        }
    }
    if (!segment.isEmpty())
        deliver(segment);
}

void QtSerialLayer::deliver(const QString& text)
{
    if (m_delivery == Delivery::Chunks) {
        m_text += text;
        emit received();
        return;
    }
    // Only the new text can end the unfinished line: noise without line ends is not rescanned.
    qsizetype from = m_partialLine.size();
    m_partialLine += text;
    qsizetype end;
    while ((end = m_partialLine.indexOf(QLatin1Char('\n'), from)) >= 0) {
        m_lines.append(m_partialLine.left(end + 1));
        m_partialLine.remove(0, end + 1);
        from = 0;
        emit received();
    }
    if (m_partialLine.size() > kMaxLine) {
        m_partialLine.clear();
        emit lineTooLong();
    }
}

void QtSerialLayer::portError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError && error != QSerialPort::WriteError)
        return;
    // The port keeps reporting the same loss in a tight loop while it stays open: close it once, report once.
    if (m_lost || !m_port.isOpen())
        return;
    m_lost = true;
    const QString description = m_port.errorString();
    QTimer::singleShot(0, this, [this, description] {
        // Bytes that came before the loss stay to be taken; only the port goes.
        if (m_port.bytesAvailable() > 0)
            readPort();
        m_port.close();
        emit linkError(description);
    });
}

} // namespace instrument
