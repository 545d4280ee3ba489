#pragma once

#include "PtyPort.h"
#include "SimGauge.h"
#include "SimOptions.h"

#include <QByteArray>

#include <deque>
#include <memory>

// Drives a SimGauge on a pseudo-terminal: one poll loop for the line, stdin, signals and timers. Output is paced
// against absolute deadlines (byte k of a chunk is due at start + (k+1) byte times), so no drift builds up.
class SimRunner
{
public:
    // Builds the gauge with its memories from the settings; nullptr with a message for a bad memory file.
    static std::unique_ptr<SimGauge> makeGauge(const SimSettings& settings, QString* error);

    SimRunner(SimGauge& gauge, const SimSettings& settings);
    int run();

private:
    enum class StdinMode { Off, EndsProgram, Ignored };

    bool setUp();
    bool waitAndServe(qint64 wake);
    void log(const QString& text) const;
    qint64 now() const;
    void handleInput(const QByteArray& bytes);
    void handleCommand(const QByteArray& command);
    void handleStdinLine(const QString& line);
    void readStdin();
    void enqueue(const QList<SimChunk>& chunks);
    qint64 serviceOutput(qint64 t); // returns the next time output wants attention, or -1
    void serviceOnline(qint64 t);
    void unplug(const QString& why);
    void cleanup();

    SimGauge& m_gauge;
    SimSettings m_settings;
    PtyPort m_port;
    qint64 m_byteNs = 0;
    qint64 m_startNs = 0;
    std::deque<SimChunk> m_queue;
    bool m_headActive = false;
    qint64 m_headStart = 0;
    qint64 m_headSent = 0;
    qint64 m_lineFree = 0;
    bool m_blocked = false;
    bool m_onlineStarted = false;
    bool m_answering = false; // an answer to a command is still being sent
    bool m_endless = false;   // the answer being sent never ends ("endless" faults)
    qint64 m_nextOnline = -1;
    QByteArray m_input;
    QByteArray m_stdinBuffer;
    StdinMode m_stdinMode = StdinMode::Off;
    bool m_quit = false;
    bool m_portsLineWritten = false;
};
