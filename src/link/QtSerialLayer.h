#pragma once

#include "SerialLayer.h"

#include <QSerialPort>
#include <QStringDecoder>
#include <QStringList>

namespace instrument {

class PortWatcher;

// The serial layer over QSerialPort, with COM names mapped by PortTable and presence from PortWatcher.
class QtSerialLayer : public SerialLayer
{
    Q_OBJECT
public:
    explicit QtSerialLayer(QObject* parent = nullptr);
    ~QtSerialLayer() override;

    PortInfo portInfo(const QString& comName) override;
    OpenError open(int portNumber) override;
    QString errorText() const override { return m_errorText; }
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    void setDelivery(Delivery delivery) override;
    void clearReceived() override;
    bool transmit(const QString& text) override;
    QString takeReceived() override;

    PortWatcher& watcher() { return *m_watcher; }

private:
    void readPort();
    void portError(QSerialPort::SerialPortError error);
    void deliver(const QString& text);

    QSerialPort m_port;
    PortWatcher* m_watcher = nullptr;
    QStringDecoder m_decoder{"windows-1252"};
    Delivery m_delivery = Delivery::Chunks;
    QString m_text;        // Chunks: not yet taken
    QString m_partialLine; // Lines: the line still arriving
    QStringList m_lines;   // Lines: complete, not yet taken
    QString m_errorText;
    bool m_lost = false; // a link error is already being handled
};

} // namespace instrument
