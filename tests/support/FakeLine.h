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
    QString failureText = "COM3 (/dev/ttyUSB0)";
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
    void setDelivery(Delivery delivery) override { m_delivery = delivery; }
    void clearReceived() override
    {
        m_text.clear();
        m_lines.clear();
    }
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
    // Chunks: everything that came; lines (online mode): the oldest whole line.
    QString takeReceived() override
    {
        if (m_delivery == Delivery::Lines)
            return m_lines.isEmpty() ? QString() : m_lines.takeFirst();
        QString out;
        out.swap(m_text);
        return out;
    }

    // Text the gauge sends on its own (online values, a long answer in pieces), and its special characters.
    void push(const QString& text)
    {
        if (m_delivery == Delivery::Lines) {
            m_partial += text;
            qsizetype end;
            while ((end = m_partial.indexOf(QLatin1Char('\n'))) >= 0) {
                m_lines << m_partial.left(end + 1);
                m_partial.remove(0, end + 1);
                emit received();
            }
            return;
        }
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
    Delivery m_delivery = Delivery::Chunks;
    QString m_text;
    QString m_partial;
    QStringList m_lines;
};
