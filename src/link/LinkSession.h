#pragma once

#include "SerialLayer.h"

#include <QObject>
#include <QString>

#include <functional>

namespace shell {
struct AppState;
class TransferShell;
} // namespace shell

namespace instrument {

// The connection to the instrument: port list, port choice, connect sequence, opening with retries, the probe,
// commands, waits, identification and the handling of the line's events. Controls are set through the main
// window's FormState; the line is whatever SerialLayer it is given.
class LinkSession : public QObject
{
    Q_OBJECT
public:
    // Later steps that other parts of the program plug in. Unset hooks do nothing.
    struct Hooks {
        std::function<void()> updateReadButtons; // read buttons and memory names after the identification
        std::function<void()> readMemories;      // reading all memories after connecting
        std::function<void()> startOnline;       // online mode after connecting an instrument without memory
        // Reception handling after a communication event (2 = text received, 8 = EOT); the text is in
        // receiveBuffer / transferBuffer.
        std::function<void(int code)> reception;
    };

    LinkSession(shell::AppState& st, shell::TransferShell& shell, SerialLayer& layer, QObject* parent = nullptr);
    ~LinkSession() override;

    Hooks& hooks() { return m_hooks; }
    SerialLayer& layer() { return m_layer; }

    // Start-up: fills ComboPort from COM1 to COM201 while frmWait shows the progress.
    void enumeratePorts();
    void ComboPort_Change();
    void ComboPort_Click() { ComboPort_Change(); }
    void cmdConnect_Click();
    void OpenComPort(int port);
    void ProbeDevice();
    bool SendCommand();
    void ConfigureOnlineRecords();
    void ConfigureOnlineLines();
    void Delay(long nSekunden);
    void ReadGeraet();
    void closePort();

    // Waits until EOT (transferComplete), Escape or the loss of the line. False when Escape ended it.
    bool waitForTransfer(int timeoutMs = -1);

    // One ComboPort entry: the name in a field of 5, the type right-aligned in a field of 15.
    static QString portListEntry(const QString& name, const QString& type);
    // Whether a port suits the edition's interface kind ("K" cable, "B" Bluetooth).
    static bool listsPort(const QString& interfaceKind, const PortInfo& info);
    // The number piece of a port text: characters 4 to 6, 4 to 5 or 4 when numeric; empty when none is.
    static QString portNumberPiece(const QString& portText);

    // Port-state and communication events of the line.
    void portStateEvent(int kind, const QString& comName);
    void textReceived();
    void specialCharacter(QChar c);
    void linkError(const QString& description);

    // State shared with the memory read and online mode.
    QString pendingCommand;
    QString receiveBuffer;
    QString transferBuffer;
    QString currentRecord;
    int openRetries = 0;
    bool probeOnOpen = false;
    int linkErrors() const { return m_linkErrors; }
    // The line broke since the last command was sent.
    bool lineLost() const { return m_linkLost; }

private:
    void showConnected();
    void showNotConnected();
    void showUnavailable();
    void showInvalidPort();
    void setHourglass(bool on);
    void parseIdentification(const QString& buffer);
    void reportOpenFailure(OpenError error);

    shell::AppState& m_st;
    shell::TransferShell& m_shell;
    SerialLayer& m_layer;
    Hooks m_hooks;
    bool m_hourglass = false;
    bool m_linkLost = false;
    int m_linkErrors = 0;
};

} // namespace instrument
