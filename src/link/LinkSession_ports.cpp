#include "LinkSession.h"

#include "shell/AppState.h"
#include "shell/Settings.h"

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;

namespace instrument {

namespace {

bool isNumericPiece(const QString& piece)
{
    const QString t = piece.trimmed();
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    return true;
}

} // namespace

// ---- port list and choice -------------------------------------------------------------------------------

QString LinkSession::portListEntry(const QString& name, const QString& type)
{
    // Names beyond five characters (COM100 and up) stay whole so that the number read back is the right one.
    const QString field = name.size() > 5 ? name : name.leftJustified(5, QLatin1Char(' '));
    return field + type.rightJustified(15, QLatin1Char(' '));
}

bool LinkSession::listsPort(const QString& interfaceKind, const PortInfo& info)
{
    const QString t = info.type.left(3).toUpper();
    if (interfaceKind == QLatin1String("K"))
        return info.name == QLatin1String("COM1") || t == QLatin1String("VCP");
    if (interfaceKind == QLatin1String("B"))
        return t == QLatin1String("BTH");
    return false;
}

QStringList LinkSession::listedPorts()
{
    QStringList entries;
    for (int i = 0; i <= 200; ++i) {
        const PortInfo info = m_layer.portInfo(QStringLiteral("COM") + QString::number(i + 1));
        if (listsPort(m_st.edition.interfaceKind, info))
            entries << portListEntry(info.name, info.type);
    }
    return entries;
}

void LinkSession::refreshPortList()
{
    shell::FormState& f = m_st.main();
    const QStringList entries = listedPorts();
    if (entries == f.items(Main::ComboPort))
        return;
    f.setItems(Main::ComboPort, entries);
    // While connected the port box is hidden and its choice stands; otherwise the choice is checked again.
    if (!m_st.link.CheckConnect && !f.text(Main::ComboPort).isEmpty())
        ComboPort_Change();
}

void LinkSession::enumeratePorts()
{
    shell::FormState& w = m_st.forms[Wait::form];
    shell::FormState& f = m_st.main();
    QStringList entries;
    f.setItems(Main::ComboPort, entries);
    for (int i = 0; i <= 200; ++i) {
        w.setProgress(Wait::WaitBar, i);
        const PortInfo info = m_layer.portInfo(QStringLiteral("COM") + QString::number(i + 1));
        if (listsPort(m_st.edition.interfaceKind, info))
            f.addItem(Main::ComboPort, portListEntry(info.name, info.type));
        if (i == 200)
            w.setText(Wait::Waitmessage, m_st.msg(shell::Msg::Done));
    }
}

void LinkSession::showInvalidPort()
{
    shell::FormState& f = m_st.main();
    setStatus(m_st.msg(shell::Msg::InvalidPort));
    f.setVisible(Main::txtWait, true);
    f.setEnabled(Main::cmdConnect, false);
}

void LinkSession::ComboPort_Change()
{
    shell::FormState& f = m_st.main();
    const QString text = f.text(Main::ComboPort);
    if (text.isEmpty() || text == QLatin1String(" ")) {
        showInvalidPort();
        return;
    }
    const QStringList entries = f.items(Main::ComboPort);
    if (entries.isEmpty()) {
        f.setText(Main::ComboPort, QString());
        setStatus(m_st.msg(shell::Msg::NoPort));
        f.setVisible(Main::txtWait, true);
        return;
    }
    for (const QString& entry : entries) {
        if (!entry.contains(text)) {
            showInvalidPort();
            continue;
        }
        setStatus(QStringLiteral(" "));
        f.setVisible(Main::txtWait, false);
        f.setEnabled(Main::cmdConnect, true);
        return;
    }
}

QString LinkSession::portNumberPiece(const QString& portText)
{
    for (const int length : {3, 2, 1}) {
        const QString piece = portText.mid(3, length);
        if (isNumericPiece(piece))
            return piece;
    }
    return QString();
}

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
