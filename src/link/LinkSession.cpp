#include "LinkSession.h"

#include "Identification.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/Numbers.h"
#include "shell/Settings.h"
#include "shell/Wait.h"

#include <QColor>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;

namespace instrument {

LinkSession::LinkSession(shell::AppState& st, SerialLayer& layer, QObject* parent)
    : QObject(parent), m_st(st), m_layer(layer), m_ports(st, layer, [this](const QString& text) { setStatus(text); })
{
    // Queued: the line's notifications may start waits of their own, which must not run inside the port's
    // own notification.
    connect(&m_layer, &SerialLayer::received, this, &LinkSession::textReceived, Qt::QueuedConnection);
    connect(&m_layer, &SerialLayer::specialCharacter, this, &LinkSession::specialCharacter, Qt::QueuedConnection);
    connect(&m_layer, &SerialLayer::linkError, this, &LinkSession::linkError, Qt::QueuedConnection);
    connect(&m_layer, &SerialLayer::portState, this, &LinkSession::portStateEvent, Qt::QueuedConnection);
    connect(
        &m_layer, &SerialLayer::lineTooLong, this, [this] { refuseAnswer(SerialLayer::kMaxLine); },
        Qt::QueuedConnection);
    // A gauge waited for may be back under the very name and device it had: look whenever the ports are looked at.
    connect(
        &m_layer, &SerialLayer::portsRescanned, this,
        [this] {
            if (m_waitingForPort &&
                !m_layer.portInfo(QStringLiteral("COM") + m_st.link.portNumber.trimmed()).name.isEmpty())
                emit portReturned();
        },
        Qt::QueuedConnection);
    m_silence.setSingleShot(true);
    m_silence.setTimerType(Qt::PreciseTimer); // a coarse timer may end a silence early
    connect(&m_silence, &QTimer::timeout, this, [this] {
        m_silent = true;
        shell::WaitBus::poke();
    });
}

LinkSession::~LinkSession()
{
    setHourglass(false);
}

// ---- connecting -----------------------------------------------------------------------------------------

int LinkSession::portNumber() const
{
    return m_st.link.portNumber.trimmed().toInt();
}

void LinkSession::settings(const char* aktion)
{
    m_st.aktion = QString::fromLatin1(aktion);
    shell::Settings::Voreinstellungen(m_st, m_st.aktion);
}

void LinkSession::cmdConnect_Click()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    setHourglass(true);
    const QString text = f.text(Main::ComboPort);
    if (!text.isEmpty()) {
        const QString piece = PortChoice::portNumberPiece(text);
        if (!piece.isEmpty())
            st.link.portNumber = piece;
    }
    setStatus(st.msg(shell::Msg::PleaseWait));
    st.link.CheckConnect = false;
    m_layer.close();

    probeOnOpen = true;
    m_refused = false;
    OpenComPort(portNumber());

    if (m_refused) {
        // The probe's answer was no gauge's.
        endConnect(Answer::Refused);
    } else if (st.link.CheckConnect) {
        const Answer identification = ReadGeraet();
        if (identification != Answer::Complete) {
            endConnect(identification);
            emit limitsCaptionRequested();
            setHourglass(false);
            return;
        }
        const QString kind = st.device.geraet.left(2);
        if (kind == QLatin1String("FE"))
            st.device.memoryMode = QStringLiteral("2E");
        else if (kind == QLatin1String("FN"))
            st.device.memoryMode = QStringLiteral("2N");
        emit identified();
        settings("PI");
        settings("LL");
        settings("CS");
        if (st.device.memoryMode.startsWith(QLatin1Char('X')))
            emit onlineRequested();
        else
            emit readRequested();
        // The read may have lost the gauge: then only what works without one.
        restoreCommands();
    }
    emit limitsCaptionRequested();
    setHourglass(false);
}

// A connect whose identification did not come back whole goes no further: no memory read, no online mode.
void LinkSession::endConnect(Answer answer)
{
    shell::AppState& st = m_st;
    if (answer == Answer::Lost) {
        // Switch-off and line loss have shown the unavailable look already.
        restoreCommands();
        return;
    }
    m_layer.close();
    st.link.CheckConnect = false;
    showNotConnected();
    if (answer == Answer::Refused) {
        st.link.abgeschaltet = false;
        // An identification that cannot be read has had its box already.
        const QString text = !m_refusal.isEmpty() ? m_refusal : st.say(shell::Phrase::IdentificationUnreadable);
        setStatus(text);
        if (!m_refusal.isEmpty())
            st.messageBox(text, shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Warning);
    } else if (answer == Answer::Silent) {
        const QString text = (m_overdue ? st.say(shell::Phrase::AnswerNotFinished) : st.say(shell::Phrase::GaugeSilent))
                                 .arg(m_overdue ? (m_boundMs + 999) / 1000 : m_silenceMs / 1000);
        setStatus(text);
        st.WriteLog(QStringLiteral("COM") + st.link.portNumber.trimmed() + QStringLiteral(": ") + text);
        st.messageBox(text, shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Warning);
    } else {
        setStatus(st.say(shell::Phrase::ConnectingCancelled));
    }
    restoreCommands();
}

void LinkSession::restoreCommands()
{
    if (m_st.link.CheckConnect)
        shell::Commands::EnableCommands(m_st.main());
    else
        emit commandsWithoutGauge();
}

void LinkSession::OpenComPort(int port, bool retry)
{
    shell::AppState& st = m_st;
    OpenError error = OpenError::None;
    if (m_shutdown)
        return;
    // One retry of the whole opening after a failure, unless the instrument switched itself off. The outcome
    // is that of the last attempt.
    for (int attempt = retry ? 0 : 1;; ++attempt) {
        if (openOnce(port, error))
            return;
        if (st.link.abgeschaltet || attempt >= 1)
            break;
    }
    if (error == OpenError::Unavailable || st.link.abgeschaltet) {
        showUnavailable();
        st.link.abgeschaltet = false;
        st.link.CheckConnect = false;
    } else {
        reportOpenFailure(error);
    }
}

// One opening: up to five attempts, the cable probe, then the connected or not connected look. False when it
// failed (the port could not be opened, or the instrument had switched itself off).
bool LinkSession::openOnce(int port, OpenError& error)
{
    shell::AppState& st = m_st;
    error = OpenError::None;
    if (st.link.abgeschaltet)
        return false;
    if (m_layer.isOpen()) {
        st.link.CheckConnect = true;
        setStatus(st.cap(shell::Cap::Connected));
    } else {
        for (int attempt = 0; attempt < 5 && !m_layer.isOpen(); ++attempt) {
            setStatus(st.msg(shell::Msg::PleaseWait));
            error = m_layer.open(port);
            if (error != OpenError::None)
                return false;
        }
        if (m_layer.isOpen()) {
            if (st.edition.interfaceKind == QLatin1String("K") && probeOnOpen)
                ProbeDevice();
            st.link.CheckConnect = !st.link.abgeschaltet;
        }
    }
    setHourglass(false);
    if (st.link.CheckConnect)
        showConnected();
    else
        showNotConnected();
    return true;
}

void LinkSession::reportOpenFailure(OpenError error)
{
    const QString where = m_layer.errorText();
    QString text;
    switch (error) {
    case OpenError::PermissionDenied:
        text = m_st.say(shell::Phrase::PortPermissionDenied).arg(where);
        break;
    case OpenError::Busy:
        text = m_st.say(shell::Phrase::PortInUse).arg(where);
        break;
    default:
        text = m_st.say(shell::Phrase::PortCannotBeOpened) + where;
        break;
    }
    m_st.WriteLog(text);
    m_st.messageBox(text, shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Warning);
}

void LinkSession::showConnected()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    f.setVisible(Main::ComboPort, false);
    f.setForeColor(Main::txtWait, QColor(0, 0, 255));
    f.setText(Main::Frame2, QStringLiteral("Com-Port(COM") + st.link.portNumber.trimmed() + QLatin1Char(')'));
    setStatus(st.texte.cap(shell::Cap::Connected));
    f.setVisible(Main::txtWait, true);
    f.setEnabled(Main::optOnline, true);
    f.setEnabled(Main::cmdOpen, true);
    f.setText(Main::cmdConnect, QStringLiteral(" "));
    f.setVisible(Main::cmdConnect, false);
    f.setVisible(Main::txtSpeicher, true);
    const bool bluetooth = st.edition.interfaceKind == QLatin1String("B");
    f.setVisible(Main::picUsb, !bluetooth);
    f.setVisible(Main::picBth, bluetooth);
    if (shell::Numbers::trimBlanks(st.device.memoryMode) != QLatin1String("X"))
        f.setVisible(Main::cmdLesen, true);
}

void LinkSession::showNotConnected()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    f.setText(Main::cmdConnect, st.texte.cap(shell::Cap::Connect));
    f.setVisible(Main::ComboPort, true);
    f.setEnabled(Main::cmdLesFE, false);
    f.setEnabled(Main::cmdLesNFE, false);
    f.setText(Main::Frame2, QStringLiteral("Com-Port"));
    setStatus(st.texte.cap(shell::Cap::NotConnected));
    f.setVisible(Main::txtWait, true);
    f.setEnabled(Main::optOnline, false);
    f.setFocus(Main::cmdConnect);
    for (const QString& name : {Main::txtSpeicher, Main::picBth, Main::picUsb})
        f.setVisible(name, false);
}

void LinkSession::showUnavailable()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    setStatus(st.msg(shell::Msg::DeviceUnavailable));
    f.setVisible(Main::txtWait, true);
    f.setText(Main::cmdConnect, st.texte.cap(shell::Cap::Connect));
    f.setVisible(Main::cmdConnect, true);
    f.setVisible(Main::ComboPort, true);
    for (const QString& name : {Main::cmdLesFE, Main::cmdLesNFE, Main::cmdLesen})
        f.setEnabled(name, false);
    f.setVisible(Main::picBth, false);
    f.setVisible(Main::picUsb, false);
    f.setFocus(Main::cmdConnect);
}

void LinkSession::ProbeDevice()
{
    clearBuffers();
    m_st.link.transferComplete = false;
    shell::Commands::DisableCommands(m_st.main());
    m_st.main().setVisible(Main::txtWait, true);
    setHourglass(true);
    emit messartRequested(shell::Messart::Geraeteinfo);
    m_pendingCommand = m_st.edition.cmdIdentify;
    if (!SendCommand()) {
        m_st.link.abgeschaltet = true;
        return;
    }
    // Elapsed time counts in whole seconds: the probe gives up when the fifth second begins. Escape (or the
    // cancel button) ends it with the gauge counted as present.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 deadline = (now / 1000 + 5) * 1000;
    showCancel(true);
    m_waiting = true;
    m_maxChars = kMaxIdentification;
    const shell::WaitEnd end = shell::waitUntil(
        [this] { return m_st.link.transferComplete || m_shutdown || m_refused; }, boundedWait(int(deadline - now)));
    m_waiting = false;
    showCancel(false);
    m_st.link.abgeschaltet = end == shell::WaitEnd::Timeout || m_refused;
}

bool LinkSession::SendCommand()
{
    m_layer.setDelivery(SerialLayer::Delivery::Chunks);
    m_linkLost = false;
    m_refused = false;
    m_refusal.clear();
    return m_layer.transmit(m_pendingCommand);
}

void LinkSession::ConfigureOnline()
{
    // "E" records and "V" lines both come one CR LF-terminated line per notification.
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

LinkSession::Answer LinkSession::waitForAnswer(const std::function<bool()>& complete, qsizetype maxChars, int totalMs)
{
    m_silent = m_overdue = false;
    m_waiting = true;
    m_maxChars = maxChars;
    m_silence.start(m_silenceMs);
    showCancel(true);
    // Switch-off and line loss set m_linkLost (and end the connection); a refused answer has closed the port.
    m_boundMs = boundedWait(totalMs);
    const shell::WaitEnd end =
        shell::waitUntil([&] { return m_linkLost || m_shutdown || m_silent || m_refused || complete(); }, m_boundMs);
    m_silence.stop();
    m_waiting = false;
    showCancel(false);
    if (end == shell::WaitEnd::Escape)
        return Answer::Cancelled;
    if (m_refused)
        return Answer::Refused;
    if (m_linkLost || m_shutdown)
        return Answer::Lost;
    if (complete())
        return Answer::Complete;
    m_overdue = end == shell::WaitEnd::Timeout && !m_silent;
    return m_silent || m_overdue ? Answer::Silent : Answer::Lost;
}

int LinkSession::boundedWait(int ms) const
{
    if (m_deadline.isForever())
        return ms;
    const int left = int(std::max<qint64>(0, m_deadline.remainingTime()));
    return ms < 0 ? left : std::min(ms, left);
}

// More than any gauge sends: the device is no gauge (or not one this program knows), and the line is let go
// before it fills the memory. What came up to the bound stays for the cut.
void LinkSession::refuseAnswer(qsizetype maxChars)
{
    if (m_refused || !m_layer.isOpen())
        return;
    m_refused = true;
    m_receiveBuffer.truncate(std::min(m_receiveBuffer.size(), maxChars));
    m_layer.close();
    m_st.link.CheckConnect = false;
    m_refusal = m_st.say(shell::Phrase::NotAGaugeEndless).arg(maxChars);
    m_st.WriteLog(QStringLiteral("COM") + m_st.link.portNumber.trimmed() + QStringLiteral(": ") + m_refusal);
    shell::WaitBus::poke();
    if (!m_waiting) {
        // Online or idle: nobody waits to report it.
        showNotConnected();
        setStatus(m_refusal);
        restoreCommands();
    }
    emit answerRefused(m_refusal);
}

void LinkSession::showCancel(bool on)
{
    m_st.main().setVisible(Main::cmdCancel, on);
}

void LinkSession::closePort()
{
    m_layer.close();
}

void LinkSession::shutdown()
{
    m_shutdown = true;
    m_layer.close();
    shell::WaitBus::poke();
}

void LinkSession::setStatus(const QString& text)
{
    m_status = text;
    m_st.main().setText(Main::txtWait, text);
}

QString LinkSession::takeReceived()
{
    QString out;
    out.swap(m_receiveBuffer);
    return out;
}

void LinkSession::clearBuffers()
{
    m_receiveBuffer.clear();
    m_layer.clearReceived();
}

// ---- identification -------------------------------------------------------------------------------------

LinkSession::Answer LinkSession::ReadGeraet()
{
    shell::AppState& st = m_st;
    clearBuffers();
    st.link.transferComplete = false;
    shell::Commands::DisableCommands(st.main());
    st.main().setVisible(Main::txtWait, true);
    setHourglass(true);
    emit messartRequested(shell::Messart::Geraeteinfo);
    m_pendingCommand = st.edition.cmdIdentify;
    Answer answer = Answer::Lost;
    QString failure;
    if (!SendCommand()) {
        failure = st.say(shell::Phrase::PortNotOpen);
    } else {
        answer = waitForAnswer([this] { return m_st.link.transferComplete; }, kMaxIdentification, m_silenceMs);
        // Whole lines of a cut answer are taken as well; values missing from it keep what they were. A connect
        // goes no further after a cut identification all the same. A flood is no identification at all.
        try {
            if (answer != Answer::Refused)
                Identification::parse(m_receiveBuffer, st.device, st.english());
        } catch (const Identification::Failure& f) {
            failure = f.description;
        }
    }
    setHourglass(false);
    if (failure.isEmpty()) {
        st.main().setCaption(st.edition.programTitle);
    } else {
        // Counts that were not read must not be read by: nothing follows this identification.
        if (answer == Answer::Complete)
            answer = Answer::Refused;
        const QString text = QStringLiteral("ReadGeraet: ") + st.Errortext + failure;
        st.messageBox(text);
        st.WriteLog(text);
    }
    m_lastIdentification = answer;
    return answer;
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
