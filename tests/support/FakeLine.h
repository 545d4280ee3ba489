#pragma once

#include "link/SerialLayer.h"

#include <QMap>
#include <QStringList>

// A scripted serial line: ports and their information by name, answers by command, open results on demand.
class FakeLine : public instrument::SerialLayer
{
public:
    QMap<QString, instrument::PortInfo> ports;
    QMap<QString, QString> answers; // command (without CR LF) -> answer text; EOT/EM in it become notifications
    instrument::OpenError openResult = instrument::OpenError::None;
    QString failureText = QStringLiteral("COM3 (/dev/ttyUSB0)");
    QStringList sent;
    int opens = 0;

    instrument::PortInfo portInfo(const QString& comName) override { return ports.value(comName); }
    instrument::OpenError open(int) override
    {
        ++opens;
        m_open = openResult == instrument::OpenError::None;
        return openResult;
    }
    QString errorText() const override { return failureText; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void setDelivery(Delivery) override {}
    void clearReceived() override { m_text.clear(); }
    bool transmit(const QString& text) override
    {
        if (!m_open)
            return false;
        sent << text;
        const QString answer = answers.value(text.trimmed());
        QString chunk;
        for (const QChar c : answer) {
            if (c == EOT || c == EM) {
                flush(chunk);
                emit specialCharacter(c);
            } else {
                chunk += c;
            }
        }
        flush(chunk);
        return true;
    }
    QString takeReceived() override
    {
        QString out;
        out.swap(m_text);
        return out;
    }

    // Text the gauge sends on its own (online values, a long answer in pieces), and its special characters.
    void push(const QString& text)
    {
        m_text += text;
        emit received();
    }
    void special(QChar c) { emit specialCharacter(c); }

private:
    void flush(QString& chunk)
    {
        if (chunk.isEmpty())
            return;
        m_text += chunk;
        chunk.clear();
        emit received();
    }
    bool m_open = false;
    QString m_text;
};
