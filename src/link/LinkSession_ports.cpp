#include "LinkSession.h"

#include "shell/AppState.h"
#include "shell/Settings.h"

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;

namespace instrument {

// ---- ports coming and going ----------------------------------------------------------------------------

void LinkSession::portStateEvent(int kind, const QString& comName)
{
    QString message;
    switch (kind) {
    case SerialLayer::PluggedIn:
        message = comName + QStringLiteral(" plugged in\r\n");
        break;
    case SerialLayer::Unplugged:
        message = comName + QStringLiteral(" Unplugged\r\n");
        break;
    case SerialLayer::Ready:
        message = comName + QStringLiteral(" ready\r\n");
        break;
    default:
        return;
    }
    // A run that waits for its gauge takes the port back without the message: the user is waiting for it.
    // The port may come back under a new device (a new pseudo-terminal, another USB path): that is "ready".
    if (m_waitingForPort && (kind == SerialLayer::PluggedIn || kind == SerialLayer::Ready) &&
        comName == QStringLiteral("COM") + m_st.link.portNumber.trimmed()) {
        refreshPortList();
        emit portReturned();
        return;
    }
    shell::FormState& f = m_st.main();
    if (f.text(Main::ComboPort) == comName)
        announcePortChange(message);
    // The list follows the ports that come and go.
    if (kind == SerialLayer::PluggedIn || kind == SerialLayer::Unplugged)
        refreshPortList();
}

void LinkSession::announcePortChange(const QString& message)
{
    shell::FormState& f = m_st.main();
    m_st.messageBox(QStringLiteral("Verbindungsabbruch wegen ") + message);
    f.setText(Main::cmdConnect, m_st.texte.cap(shell::Cap::Connect));
    f.setVisible(Main::cmdConnect, true);
    setStatus(QString());
    f.setVisible(Main::picBth, false);
    f.setVisible(Main::picUsb, false);
    f.setVisible(Main::ComboPort, true);
    for (const QString& name : {Main::cmdLesFE, Main::cmdLesNFE, Main::cmdLesen})
        f.setEnabled(name, false);
}

} // namespace instrument
