#include "PortChoice.h"

#include "shell/AppState.h"

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

PortChoice::PortChoice(shell::AppState& st, SerialLayer& layer, std::function<void(const QString&)> setStatus)
    : m_st(st), m_layer(layer), m_setStatus(std::move(setStatus))
{
}

QString PortChoice::portListEntry(const QString& name, const QString& type)
{
    // Names beyond five characters (COM100 and up) stay whole so that the number read back is the right one.
    const QString field = name.size() > 5 ? name : name.leftJustified(5, QLatin1Char(' '));
    return field + type.rightJustified(15, QLatin1Char(' '));
}

bool PortChoice::listsPort(const QString& interfaceKind, const PortInfo& info)
{
    const QString t = info.type.left(3).toUpper();
    if (interfaceKind == QLatin1String("K"))
        return info.name == QLatin1String("COM1") || t == QLatin1String("VCP");
    if (interfaceKind == QLatin1String("B"))
        return t == QLatin1String("BTH");
    return false;
}

QStringList PortChoice::listedPorts()
{
    QStringList entries;
    for (int i = 0; i <= 200; ++i) {
        const PortInfo info = m_layer.portInfo(QStringLiteral("COM") + QString::number(i + 1));
        if (listsPort(m_st.edition.interfaceKind, info))
            entries << portListEntry(info.name, info.type);
    }
    return entries;
}

void PortChoice::refreshPortList()
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

void PortChoice::enumeratePorts()
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

void PortChoice::showInvalidPort()
{
    shell::FormState& f = m_st.main();
    m_setStatus(m_st.msg(shell::Msg::InvalidPort));
    f.setVisible(Main::txtWait, true);
    f.setEnabled(Main::cmdConnect, false);
}

void PortChoice::ComboPort_Change()
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
        m_setStatus(m_st.msg(shell::Msg::NoPort));
        f.setVisible(Main::txtWait, true);
        return;
    }
    for (const QString& entry : entries) {
        if (!entry.contains(text)) {
            showInvalidPort();
            continue;
        }
        m_setStatus(QStringLiteral(" "));
        f.setVisible(Main::txtWait, false);
        f.setEnabled(Main::cmdConnect, true);
        return;
    }
}

QString PortChoice::portNumberPiece(const QString& portText)
{
    for (const int length : {3, 2, 1}) {
        const QString piece = portText.mid(3, length);
        if (isNumericPiece(piece))
            return piece;
    }
    return QString();
}

} // namespace instrument
