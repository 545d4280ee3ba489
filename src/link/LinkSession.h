#pragma once

#include "PortChoice.h"
#include "SerialLayer.h"

#include "shell/Messart.h"
#include <QDeadlineTimer>

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace shell {
struct AppState;
}

namespace instrument {

// The connection to the instrument: the port box (PortChoice), connect sequence, opening with retries, the probe,
// commands, waits, identification and the handling of the line's events. Controls are set through the main
// window's FormState; the line is whatever SerialLayer it is given. What follows a connection (reading the
// memories, going online) is announced by signals. Ports coming and going are in LinkSession_ports.cpp,
// the line's notifications in LinkSession_line.cpp.
class LinkSession : public QObject
{
    Q_OBJECT
public:
    // How long a gauge may stay silent in the middle of an answer before the answer counts as cut; an
    // identification must be complete within it as well.
    static constexpr int kSilenceMs = 10000;
    // Sizes no gauge's answer reaches (characters): an identification is a few lines, a memory of 9999 records
    // about 290 000 characters. Past them the device is taken for something else and its answer is refused.
    static constexpr qsizetype kMaxIdentification = 4096;
    static constexpr qsizetype kMaxMemoryAnswer = 9999 * 64 + 4096;
    // A memory of 9999 records takes about 75 s at 38400 baud; an answer still arriving after this is cut.
    static constexpr int kMemoryAnswerMs = 300000;

    // How a wait for an answer of the gauge ended. Silent: the gauge fell silent, or its answer did not end in
    // time (answerOverdue()). Refused: the answer is no gauge's (too long, or an identification that cannot be
    // read); a too long one has closed the port.
    enum class Answer { Complete, Cancelled, Silent, Lost, Refused };

    LinkSession(shell::AppState& st, SerialLayer& layer, QObject* parent = nullptr);
    ~LinkSession() override;

    SerialLayer& layer() { return m_layer; }

    // The port box (PortChoice).
    void enumeratePorts() { m_ports.enumeratePorts(); }
    void ComboPort_Change() { m_ports.ComboPort_Change(); }
    void ComboPort_Click() { m_ports.ComboPort_Change(); }
    void cmdConnect_Click();
    // Opens the port, with one retry of the whole opening after a failure unless retry is false (a line that
    // just broke is tried once).
    void OpenComPort(int port, bool retry = true);
    void ProbeDevice();
    bool SendCommand();
    void ConfigureOnline();
    // The wait cursor, where there is a screen to show it on.
    void setHourglass(bool on);
    void Delay(long nSekunden);
    // Identifies the instrument; how the answer ended.
    Answer ReadGeraet();
    Answer lastIdentification() const { return m_lastIdentification; }
    void closePort();
    // The program ends: the port is closed, waits end, and nothing opens the port or sends to the gauge again.
    void shutdown();
    bool shuttingDown() const { return m_shutdown; }

    // Waits for the end of an answer: complete() holds, the user cancels (the cancel button or Escape, shown
    // beside the status meanwhile), the gauge stays silent for the silence limit, the answer grows past maxChars
    // or is not complete after totalMs (negative: no bound), or the line is lost.
    Answer waitForAnswer(const std::function<bool()>& complete, qsizetype maxChars, int totalMs = -1);
    void setSilenceLimit(int ms) { m_silenceMs = ms; }
    int silenceLimit() const { return m_silenceMs; }
    // A bound for every wait from now on (a scripted run's time limit counts from its start).
    void setDeadline(QDeadlineTimer deadline) { m_deadline = deadline; }
    // The last Silent answer was still arriving when its time was up.
    bool answerOverdue() const { return m_overdue; }
    // Why the last refused answer was refused, in the user's language.
    const QString& refusal() const { return m_refusal; }
    // After an exchange: every command while connected, otherwise what works without a gauge.
    void restoreCommands();
    void refreshPortList() { m_ports.refreshPortList(); }
    // While set, the chosen port coming back is announced by portReturned instead of the message box.
    void setWaitingForPort(bool waiting) { m_waitingForPort = waiting; }
    // The cancel button beside the status, shown while a wait can be ended by the user.
    void showCancel(bool on);

    // Port-state and communication events of the line.
    void portStateEvent(int kind, const QString& comName);
    void textReceived();
    void specialCharacter(QChar c);
    void linkError(const QString& description);

    // The connection status shown beside the port (txtWait): what the user is told about the line.
    const QString& status() const { return m_status; }
    void setStatus(const QString& text);

    // The command the next SendCommand transmits.
    void setPendingCommand(const QString& command) { m_pendingCommand = command; }
    // Text received since the buffers were last cleared; memory answers are cut from it as it grows.
    const QString& receiveBuffer() const { return m_receiveBuffer; }
    // The received text, taken out of the buffer (online mode: one whole line per notification).
    QString takeReceived();
    void clearBuffers();

    bool probeOnOpen = false;
    int linkErrors() const { return m_linkErrors; }
    // The line broke since the last command was sent.
    bool lineLost() const { return m_linkLost; }
    // The port number of the port box as a number.
    int portNumber() const;

signals:
    // The view in use and the kind of transfer change (the table sets messart).
    void messartRequested(shell::Messart m);
    // After the identification of a connect: the read buttons and memory names follow the instrument.
    void identified();
    // The connect sequence ends with reading the memories, or with online mode for instruments without memory.
    void readRequested();
    void onlineRequested();
    // The limits button's caption is refreshed at the end of every connect attempt.
    void limitsCaptionRequested();
    // The line's communication event: 2 text received (in receiveBuffer), 8 a special character.
    void received(int code);
    // The instrument switched itself off (EM), or the line broke (the port went away).
    void switchedOff();
    void lineBroken(const QString& description);
    // The chosen port is present again (a Bluetooth link back, a cable plugged in again).
    void portReturned();
    // Not connected after an exchange: the commands that work without a gauge are enabled.
    void commandsWithoutGauge();
    // The device sent more than any gauge sends (see refusal()); the port is closed.
    void answerRefused(const QString& text);

private:
    bool openOnce(int port, OpenError& error);
    void showConnected();
    void showNotConnected();
    void showUnavailable();
    void endConnect(Answer answer);
    void announcePortChange(const QString& message);
    void settings(const char* aktion);
    void reportOpenFailure(OpenError error);
    void refuseAnswer(qsizetype maxChars);
    int boundedWait(int ms) const;

    shell::AppState& m_st;
    SerialLayer& m_layer;
    PortChoice m_ports;
    QString m_pendingCommand;
    QString m_receiveBuffer;
    QString m_status;
    QTimer m_silence;
    int m_silenceMs = kSilenceMs;
    bool m_silent = false;
    bool m_overdue = false;
    int m_boundMs = -1;                        // the whole-answer bound of the last wait
    bool m_waiting = false;                    // an answer is awaited
    qsizetype m_maxChars = kMaxIdentification; // the bound of the awaited answer
    bool m_refused = false;
    QString m_refusal;
    QDeadlineTimer m_deadline = QDeadlineTimer::Forever;
    bool m_shutdown = false;
    bool m_waitingForPort = false;
    Answer m_lastIdentification = Answer::Complete;
    bool m_hourglass = false;
    bool m_linkLost = false;
    int m_linkErrors = 0;
};

} // namespace instrument
