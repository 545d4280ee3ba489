#include "LinkSession.h"

#include "shell/AppState.h"
#include "shell/Numbers.h"
#include "shell/TransferShell.h"
#include "shell/Wait.h"

#include <QColor>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>

#include <cmath>

namespace instrument {

namespace {

const QString kCombo = QStringLiteral("ComboPort");
const QString kConnect = QStringLiteral("cmdConnect");
const QString kWait = QStringLiteral("txtWait");
const QString kFrame = QStringLiteral("Frame2");

// A failure inside the identification, with the description the user sees.
struct Failure {
    QString description;
};

QString describe(const shell::AppState& st, const char* de, const char* en)
{
    return QString::fromUtf8(st.english() ? en : de);
}

// Text positions count from 1 here, as in the answer's description; a negative length or a start before
// the text is an invalid call.
QString mid(const shell::AppState& st, const QString& s, qsizetype start, qsizetype length)
{
    if (start < 1 || length < 0)
        throw Failure{
            describe(st, "Ungültiger Prozeduraufruf oder ungültiges Argument", "Invalid procedure call or argument")};
    return s.mid(start - 1, length);
}

QString trimBlanks(const QString& s)
{
    return shell::Numbers::trimBlanks(s);
}

// A 16-bit integer from text: blanks around it, digits with an optional sign and decimals (rounded half to even).
int toInteger(const shell::AppState& st, const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(trimBlanks(text), &ok);
    if (!ok)
        throw Failure{describe(st, "Typen unverträglich", "Type mismatch")};
    const double r = std::nearbyint(v);
    if (r < -32768 || r > 32767)
        throw Failure{describe(st, "Überlauf", "Overflow")};
    return int(r);
}

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

LinkSession::LinkSession(shell::AppState& st, shell::TransferShell& shell, SerialLayer& layer, QObject* parent)
    : QObject(parent), m_st(st), m_shell(shell), m_layer(layer)
{
    // Queued: the line's notifications may start waits of their own, which must not run inside the port's
    // own notification.
    connect(&m_layer, &SerialLayer::received, this, &LinkSession::textReceived, Qt::QueuedConnection);
    connect(&m_layer, &SerialLayer::specialCharacter, this, &LinkSession::specialCharacter, Qt::QueuedConnection);
    connect(&m_layer, &SerialLayer::linkError, this, &LinkSession::linkError, Qt::QueuedConnection);
    connect(&m_layer, &SerialLayer::portState, this, &LinkSession::portStateEvent, Qt::QueuedConnection);
}

LinkSession::~LinkSession()
{
    setHourglass(false);
}

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

void LinkSession::enumeratePorts()
{
    shell::FormState& w = m_st.forms[QStringLiteral("frmWait")];
    shell::FormState& f = m_st.main();
    QStringList entries;
    f.setItems(kCombo, entries);
    for (int i = 0; i <= 200; ++i) {
        QCoreApplication::processEvents();
        w.setProp(QStringLiteral("WaitBar"), QStringLiteral("value"), i);
        const PortInfo info = m_layer.portInfo(QStringLiteral("COM") + QString::number(i + 1));
        if (listsPort(m_st.interfaceKind, info))
            f.addItem(kCombo, portListEntry(info.name, info.type));
        if (i == 200) {
            w.setText(QStringLiteral("Waitmessage"), m_st.msg(17));
            QCoreApplication::processEvents();
        }
    }
}

void LinkSession::showInvalidPort()
{
    shell::FormState& f = m_st.main();
    f.setText(kWait, m_st.msg(5));
    f.setVisible(kWait, true);
    f.setEnabled(kConnect, false);
}

void LinkSession::ComboPort_Change()
{
    shell::FormState& f = m_st.main();
    const QString text = f.text(kCombo);
    if (text.isEmpty() || text == QLatin1String(" ")) {
        showInvalidPort();
        return;
    }
    const QStringList entries = f.items(kCombo);
    if (entries.isEmpty()) {
        f.setText(kCombo, QString());
        f.setText(kWait, m_st.msg(31));
        f.setVisible(kWait, true);
        return;
    }
    for (const QString& entry : entries) {
        if (!entry.contains(text)) {
            showInvalidPort();
            continue;
        }
        f.setText(kWait, QStringLiteral(" "));
        f.setVisible(kWait, false);
        f.setEnabled(kConnect, true);
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

// ---- connecting -----------------------------------------------------------------------------------------

void LinkSession::cmdConnect_Click()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    setHourglass(true);
    const QString text = f.text(kCombo);
    if (!text.isEmpty()) {
        const QString piece = portNumberPiece(text);
        if (!piece.isEmpty())
            st.portNumber = piece;
    }
    f.setText(kWait, st.msg(13));
    st.CheckConnect = false;
    m_layer.close();

    probeOnOpen = true;
    openRetries = 0;
    OpenComPort(st.portNumber.trimmed().toInt());

    if (st.CheckConnect) {
        ReadGeraet();
        const QString kind = st.geraet.left(2);
        if (kind == QLatin1String("FE"))
            st.memoryMode = QStringLiteral("2E");
        else if (kind == QLatin1String("FN"))
            st.memoryMode = QStringLiteral("2N");
        if (m_hooks.updateReadButtons)
            m_hooks.updateReadButtons();
        m_shell.Voreinstellungen(QStringLiteral("PI"));
        m_shell.Voreinstellungen(QStringLiteral("LL"));
        m_shell.Voreinstellungen(QStringLiteral("CS"));
        if (st.memoryMode.startsWith(QLatin1Char('X'))) {
            if (m_hooks.startOnline)
                m_hooks.startOnline();
        } else if (m_hooks.readMemories) {
            m_hooks.readMemories();
        }
        openRetries = 0;
        m_shell.EnableCommands();
    }
    if (m_shell.hooks().GrenzwerteAnzeigen)
        m_shell.hooks().GrenzwerteAnzeigen();
    setHourglass(false);
}

void LinkSession::OpenComPort(int port)
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    OpenError error = OpenError::None;
    bool failed = false;
    bool switchedOff = false;

    if (st.abgeschaltet) {
        failed = true;
        switchedOff = true;
    } else if (m_layer.isOpen()) {
        st.CheckConnect = true;
        f.setText(kWait, st.texte.cap(53));
    } else {
        for (int attempt = 0; attempt < 5 && !m_layer.isOpen(); ++attempt) {
            f.setText(kWait, st.msg(13));
            error = m_layer.open(port);
            if (error != OpenError::None) {
                failed = true;
                break;
            }
        }
        if (!failed && m_layer.isOpen()) {
            if (st.interfaceKind == QLatin1String("K") && probeOnOpen)
                ProbeDevice();
            st.CheckConnect = !st.abgeschaltet;
        }
    }

    if (!failed) {
        setHourglass(false);
        if (st.CheckConnect)
            showConnected();
        else
            showNotConnected();
        return;
    }

    bool retried = false;
    if (!switchedOff && openRetries < 1) {
        ++openRetries;
        retried = true;
        OpenComPort(port);
    }
    if (error == OpenError::Unavailable || st.abgeschaltet) {
        showUnavailable();
        st.abgeschaltet = false;
        st.CheckConnect = false;
    } else if (!retried) {
        reportOpenFailure(error);
    }
}

void LinkSession::reportOpenFailure(OpenError error)
{
    const QString where = m_layer.errorText();
    QString text;
    switch (error) {
    case OpenError::PermissionDenied:
        text = m_st.english()
                   ? QStringLiteral("Permission denied for %1. Your user must be a member of the group \"dialout\" "
                                    "(sudo usermod -aG dialout $USER); log out and in again afterwards.")
                         .arg(where)
                   : QStringLiteral("Keine Berechtigung für %1. Der Benutzer muss Mitglied der Gruppe \"dialout\" "
                                    "sein (sudo usermod -aG dialout $USER); danach ab- und wieder anmelden.")
                         .arg(where);
        break;
    case OpenError::Busy:
        text = m_st.english() ? QStringLiteral("%1 is in use by another program.").arg(where)
                              : QStringLiteral("%1 wird von einem anderen Programm benutzt.").arg(where);
        break;
    default:
        text = (m_st.english() ? QStringLiteral("Cannot open the port: ")
                               : QStringLiteral("Der Port kann nicht geöffnet werden: ")) +
               where;
        break;
    }
    m_st.WriteLog(text);
    m_st.messageBox(text, shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Warning);
}

void LinkSession::showConnected()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    f.setVisible(kCombo, false);
    f.setForeColor(kWait, QColor(0, 0, 255));
    f.setText(kFrame, QStringLiteral("Com-Port(COM") + st.portNumber.trimmed() + QLatin1Char(')'));
    f.setText(kWait, st.texte.cap(53));
    f.setVisible(kWait, true);
    f.setEnabled(QStringLiteral("optOnline"), true);
    f.setEnabled(QStringLiteral("cmdOpen"), true);
    f.setText(kConnect, QStringLiteral(" "));
    f.setVisible(kConnect, false);
    f.setVisible(QStringLiteral("txtSpeicher"), true);
    const bool bluetooth = st.interfaceKind == QLatin1String("B");
    f.setVisible(QStringLiteral("picUsb"), !bluetooth);
    f.setVisible(QStringLiteral("picBth"), bluetooth);
    if (shell::Numbers::trimBlanks(st.memoryMode) != QLatin1String("X"))
        f.setVisible(QStringLiteral("cmdLesen"), true);
}

void LinkSession::showNotConnected()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    f.setText(kConnect, st.texte.cap(50));
    f.setVisible(kCombo, true);
    f.setEnabled(QStringLiteral("cmdLesFE"), false);
    f.setEnabled(QStringLiteral("cmdLesNFE"), false);
    f.setText(kFrame, QStringLiteral("Com-Port"));
    f.setText(kWait, st.texte.cap(55));
    f.setVisible(kWait, true);
    f.setEnabled(QStringLiteral("optOnline"), false);
    f.setFocus(kConnect);
    for (const char* name : {"txtSpeicher", "picBth", "picUsb"})
        f.setVisible(QString::fromLatin1(name), false);
}

void LinkSession::showUnavailable()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    f.setText(kWait, st.msg(29));
    f.setVisible(kWait, true);
    f.setText(kConnect, st.texte.cap(50));
    f.setVisible(kConnect, true);
    f.setVisible(kCombo, true);
    for (const char* name : {"cmdLesFE", "cmdLesNFE", "cmdLesen"})
        f.setEnabled(QString::fromLatin1(name), false);
    f.setVisible(QStringLiteral("picBth"), false);
    f.setVisible(QStringLiteral("picUsb"), false);
    f.setFocus(kConnect);
}

void LinkSession::ProbeDevice()
{
    receiveBuffer.clear();
    transferBuffer.clear();
    m_layer.clearReceived();
    m_st.transferComplete = false;
    m_shell.DisableCommands();
    m_st.main().setVisible(kWait, true);
    setHourglass(true);
    m_st.messart = 3;
    pendingCommand = m_st.cmdIdentify;
    if (!SendCommand()) {
        m_st.abgeschaltet = true;
        return;
    }
    // Elapsed time counts in whole seconds: the probe gives up when the fifth second begins.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 deadline = (now / 1000 + 5) * 1000;
    const shell::WaitEnd end = shell::waitUntil([this] { return m_st.transferComplete; }, int(deadline - now));
    m_st.abgeschaltet = end == shell::WaitEnd::Timeout;
}

bool LinkSession::SendCommand()
{
    m_layer.setDelivery(SerialLayer::Delivery::Chunks);
    m_linkLost = false;
    return m_layer.transmit(pendingCommand);
}

void LinkSession::ConfigureOnlineRecords()
{
    m_layer.setDelivery(SerialLayer::Delivery::Lines);
}

void LinkSession::ConfigureOnlineLines()
{
    m_layer.setDelivery(SerialLayer::Delivery::Lines);
}

void LinkSession::Delay(long nSekunden)
{
    const double start = double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    const double end = std::nearbyint(start + double(nSekunden)); // ties to even
    // Stops as soon as the clock in seconds is past end.
    const qint64 ms = qint64(std::floor((end - start) * 1000.0)) + 1;
    if (ms > 0)
        shell::waitUntil([] { return false; }, int(ms));
}

bool LinkSession::waitForTransfer(int timeoutMs)
{
    const shell::WaitEnd end = shell::waitUntil([this] { return m_st.transferComplete || m_linkLost; }, timeoutMs);
    return end != shell::WaitEnd::Escape;
}

void LinkSession::closePort()
{
    m_layer.close();
}

// ---- identification -------------------------------------------------------------------------------------

void LinkSession::ReadGeraet()
{
    shell::AppState& st = m_st;
    try {
        receiveBuffer.clear();
        transferBuffer.clear();
        currentRecord.clear();
        m_layer.clearReceived();
        st.transferComplete = false;
        m_shell.DisableCommands();
        st.main().setVisible(kWait, true);
        setHourglass(true);

        st.messart = 3;
        pendingCommand = st.cmdIdentify;
        if (!SendCommand())
            throw Failure{describe(st, "Der Port ist nicht geöffnet", "The port is not open")};
        waitForTransfer();

        transferBuffer = receiveBuffer;
        parseIdentification(transferBuffer);

        transferBuffer.clear();
        st.programTitle = st.pgmname + QLatin1Char(' ') + st.versnr;
        st.main().setCaption(st.programTitle);
        setHourglass(false);
    } catch (const Failure& failure) {
        setHourglass(false);
        const QString text = QStringLiteral("ReadGeraet: ") + st.Errortext + failure.description;
        st.messageBox(text);
        st.WriteLog(text);
    }
}

void LinkSession::parseIdentification(const QString& buffer)
{
    shell::AppState& st = m_st;
    const QString mode = shell::Numbers::trimBlanks(st.memoryMode);
    QString buf = buffer;
    int n = 1;
    qsizetype p0;
    while ((p0 = buf.indexOf(QLatin1String("\r\n"))) >= 0) {
        // Positions from 1; c is 0 when the rest of the answer has no ":".
        const qsizetype p = p0 + 1;
        const qsizetype c = buf.indexOf(QLatin1Char(':')) + 1;
        const auto value = [&] { return trimBlanks(mid(st, buf, c + 1, p - c - 1)); };
        if (n == 1) {
            st.geraet = buf.left(p - 1);
            const qsizetype d = st.geraet.indexOf(QLatin1Char('-')) + 1;
            if (d < 1)
                throw Failure{describe(st, "Ungültiger Prozeduraufruf oder ungültiges Argument",
                                       "Invalid procedure call or argument")};
            st.geraet = st.geraet.left(d - 1) + st.geraet.mid(d, 1);
        } else if (buf.startsWith(QLatin1String("VD"))) {
            st.geraetesoftware = value();
        } else if (buf.startsWith(QLatin1Char('M'))) {
            st.speichernr = toInteger(st, mid(st, buf, 2, c - 2));
            if (st.speichernr == 1 || mode == QLatin1String("1") || mode == QLatin1String("3"))
                st.memory1Count = toInteger(st, mid(st, buf, c + 1, p - c - 1));
            if (st.speichernr == 2 && mode.startsWith(QLatin1Char('2')))
                st.memory2Count = toInteger(st, mid(st, buf, c + 1, p - c - 1));
        } else if (buf.startsWith(QLatin1String("AD"))) {
            st.macadr = value();
        } else if (buf.startsWith(QLatin1String("PT"))) {
            st.sondentyp = value();
        } else if (buf.startsWith(QLatin1String("VP"))) {
            st.sondenversion = value();
        }
        buf.remove(0, p0 + 2);
        ++n;
    }
}

// ---- events of the line ---------------------------------------------------------------------------------

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
    shell::FormState& f = m_st.main();
    if (f.text(kCombo) != comName)
        return;
    m_st.messageBox(QStringLiteral("Verbindungsabbruch wegen ") + message);
    f.setText(kConnect, m_st.texte.cap(50));
    f.setVisible(kConnect, true);
    f.setText(kWait, QString());
    f.setVisible(QStringLiteral("picBth"), false);
    f.setVisible(QStringLiteral("picUsb"), false);
    f.setVisible(kCombo, true);
    for (const char* name : {"cmdLesFE", "cmdLesNFE", "cmdLesen"})
        f.setEnabled(QString::fromLatin1(name), false);
}

void LinkSession::textReceived()
{
    receiveBuffer += m_layer.takeReceived();
    // A memory answer (messart 0, 1) is cut straight from receiveBuffer as it grows; copying the whole buffer
    // at every event would make a long read quadratic. The reader hands it to transferBuffer once complete.
    if (m_st.messart != 0 && m_st.messart != 1)
        transferBuffer = receiveBuffer;
    if (m_hooks.reception)
        m_hooks.reception(2);
    shell::WaitBus::poke();
}

void LinkSession::specialCharacter(QChar c)
{
    if (c == SerialLayer::EM) {
        m_st.transferComplete = true;
        m_st.abgeschaltet = true;
        shell::WaitBus::poke();
        openRetries = 0;
        OpenComPort(m_st.portNumber.trimmed().toInt());
        return;
    }
    if (c == SerialLayer::EOT) {
        m_st.transferComplete = true;
        shell::WaitBus::poke();
    }
    if (m_hooks.reception)
        m_hooks.reception(8);
}

void LinkSession::linkError(const QString& description)
{
    ++m_linkErrors;
    m_linkLost = true;
    shell::WaitBus::poke();
    m_st.WriteLog(QStringLiteral("COM") + m_st.portNumber.trimmed() + QStringLiteral(": ") + description);
    m_layer.close();
    shell::FormState& f = m_st.main();
    f.setEnabled(QStringLiteral("cmdLesFE"), false);
    f.setEnabled(QStringLiteral("cmdLesNFE"), false);
    f.setText(kFrame, QStringLiteral("Com-Port"));
    openRetries = 1;
    OpenComPort(m_st.portNumber.trimmed().toInt());
}

// ---- helpers --------------------------------------------------------------------------------------------

void LinkSession::setHourglass(bool on)
{
    if (on == m_hourglass || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    m_hourglass = on;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace instrument
