#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The instrument simulator as a child process: started with options, its terminal path read from its first
// output line (by then its Ports.ini line is written); commands go to its standard input.
class SimulatedGauge
{
public:
    ~SimulatedGauge();

    // False (with the reason in error()) when the program is missing or did not print its terminal.
    bool start(const QStringList& options);
    void command(const QByteArray& line);
    void stop();

    QString device() const { return m_device; }
    QString error() const { return m_error; }
    QProcess& process() { return m_process; }
    static QString program();

private:
    QProcess m_process;
    QString m_device;
    QString m_error;
};

// Starts `gauge` with the given options; a simulator that cannot run here fails the test.
#define START_SIM(gauge, ...)                                                                                          \
    do {                                                                                                               \
        ASSERT_TRUE((gauge).start(QStringList{__VA_ARGS__})) << (gauge).error().toStdString();                         \
    } while (false)
