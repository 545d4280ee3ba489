#pragma once

#include "SerialLayer.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace shell {
struct AppState;
}

namespace instrument {

// The port box of the main window: the list of the ports that suit the edition, and whether the port chosen in
// it can be connected. Owned by the LinkSession, which owns the status text this writes through setStatus.
class PortChoice
{
public:
    PortChoice(shell::AppState& st, SerialLayer& layer, std::function<void(const QString&)> setStatus);

    // Start-up: fills ComboPort from COM1 to COM201 while frmWait shows the progress.
    void enumeratePorts();
    // Ports appeared or vanished: the list is built again; the box keeps its text.
    void refreshPortList();
    // The chosen text is checked against the list: the connect button follows.
    void ComboPort_Change();

    // One ComboPort entry: the name in a field of 5, the type right-aligned in a field of 15.
    static QString portListEntry(const QString& name, const QString& type);
    // Whether a port suits the edition's interface kind ("K" cable, "B" Bluetooth).
    static bool listsPort(const QString& interfaceKind, const PortInfo& info);
    // The number piece of a port text: characters 4 to 6, 4 to 5 or 4 when numeric; empty when none is.
    static QString portNumberPiece(const QString& portText);

private:
    QStringList listedPorts();
    void showInvalidPort();

    shell::AppState& m_st;
    SerialLayer& m_layer;
    std::function<void(const QString&)> m_setStatus;
};

} // namespace instrument
