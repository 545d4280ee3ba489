#include "OnlineReceiver.h"

#include "LinkSession.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/Messwert.h"
#include "shell/Wait.h"

namespace Main = ctl::frmTransfer;

namespace instrument {

namespace {

// A value line starts with its number, right-aligned: a blank or a digit. Anything else ends reception.
bool startsValue(const QString& text)
{
    if (text.isEmpty())
        return true;
    const QChar c = text.front();
    return c == QLatin1Char(' ') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

} // namespace

OnlineReceiver::OnlineReceiver(shell::AppState& st, LinkSession& link, QObject* parent)
    : QObject(parent), m_st(st), m_link(link), m_decoder(st)
{
    connect(&m_link, &LinkSession::lineBroken, this, &OnlineReceiver::lineLost);
    connect(&m_link, &LinkSession::portReturned, this, &OnlineReceiver::portReturned);
    connect(&shell::WaitBus::instance(), &shell::WaitBus::poked, this, &OnlineReceiver::checkCancel);
}

OnlineReceiver::~OnlineReceiver() = default;

bool OnlineReceiver::receiving() const
{
    return m_running && m_st.link.CheckConnect;
}

void OnlineReceiver::setRunning(bool running)
{
    m_running = running;
    m_st.link.onlineRun = running;
}

// A Bluetooth link that drops or a cable pulled out: the run is kept and waits for the same port to come back.
void OnlineReceiver::lineLost()
{
    if (!m_running || m_st.link.CheckConnect)
        return;
    m_waiting = true;
    shell::EscapeWatcher::instance().clear();
    m_link.setWaitingForPort(true);
    showWaiting();
}

void OnlineReceiver::showWaiting()
{
    m_link.setStatus(m_st.say(shell::Phrase::WaitingForGauge));
    m_st.main().setVisible(Main::txtWait, true);
    m_link.showCancel(true);
}

void OnlineReceiver::portReturned()
{
    if (!m_waiting)
        return;
    m_link.OpenComPort(m_link.portNumber());
    if (!m_st.link.CheckConnect) {
        showWaiting(); // not there yet: the next appearance tries again
        return;
    }
    stopWaiting();
    m_link.takeReceived();
    m_link.ConfigureOnline();
    shell::Commands::EnableCommands(m_st.main());
    m_st.WriteLog(QStringLiteral("COM") + m_st.link.portNumber.trimmed() +
                  m_st.say(shell::Phrase::GaugeBackOnlineGoesOn));
}

void OnlineReceiver::checkCancel()
{
    if (m_waiting && shell::EscapeWatcher::instance().pressed()) {
        stopWaiting();
        setRunning(false);
        m_link.setStatus(m_st.cap(shell::Cap::NotConnected));
    }
}

void OnlineReceiver::stopWaiting()
{
    m_waiting = false;
    m_link.setWaitingForPort(false);
    m_link.showCancel(false);
}

void OnlineReceiver::optOnline_Click()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    const bool goesOn = m_running && st.link.CheckConnect;
    if (!goesOn)
        f.setText(Main::txtSpeicher, st.msg(shell::Msg::Ready));
    for (const QString& name : {Main::cmdAbs, Main::cmdChart, Main::cmdGross, Main::txtMittelwert})
        f.setVisible(name, false);
    emit messartRequested(shell::Messart::Online);
    emit viewStarting();
    // Back from a memory view while the run went on in the background: the line is left as it is.
    if (goesOn) {
        f.setVisible(Main::cmdStop, m_lineMode);
        shell::Commands::showOutputs(f);
        shell::Commands::EnableCommands(f);
        return;
    }

    setRunning(false);
    stopWaiting();
    m_link.OpenComPort(m_link.portNumber());
    if (!st.link.CheckConnect)
        return;
    m_link.takeReceived();
    m_lines.clear();
    m_received = 0;
    m_fullReported = false;
    m_taken = 0;
    // No command is sent: the instrument sends on its own. A pause set earlier stays in force.
    m_lineMode = st.edition.deviceLine == QLatin1String("V");
    if (m_lineMode)
        f.setVisible(Main::cmdStop, true);
    m_link.ConfigureOnline();
    setRunning(true);
    emit runStarted();
    shell::Commands::showOutputs(f);
    shell::Commands::EnableCommands(f);
}

void OnlineReceiver::cmdStop_Click()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    if (st.link.SchalterStop) {
        f.setText(Main::cmdStop, st.msg(shell::Msg::Stop));
        f.setBackColor(Main::cmdStop, QColor(255, 128, 128));
        st.link.SchalterStop = false;
    } else {
        f.setText(Main::cmdStop, st.msg(shell::Msg::Continue));
        f.setBackColor(Main::cmdStop, QColor(128, 255, 128));
        st.link.SchalterStop = true;
    }
}

void OnlineReceiver::endByUser()
{
    if (!m_running)
        return;
    setRunning(false);
    m_lines.clear();
    m_st.WriteLog(m_st.say(shell::Phrase::OnlineEnded) + QString::number(m_taken) + m_st.say(shell::Phrase::Values));
}

void OnlineReceiver::reception(int code)
{
    // While the online view is shown the line's text is online text, taken (and dropped after the run ended) here;
    // while another view is shown, only a run that goes on takes it.
    if (code != 2 || (!m_running && m_st.messart != shell::Messart::Online))
        return;
    // Each notification of the line in online mode is one whole line.
    const QString text = m_link.takeReceived();
    if (!receiving())
        return;
    if (m_lineMode)
        receiveLine(text);
    else
        receiveRecord(text);
}

void OnlineReceiver::receiveRecord(const QString& text)
{
    shell::AppState& st = m_st;
    if (!startsValue(text)) {
        endReception();
        return;
    }
    if (st.edition.deviceLine == QLatin1String("E") && !text.isEmpty())
        decodeAndHandOver(text);
    const QString shown = showValue(QString(text).replace(QLatin1String("ym"), QStringLiteral("µm")));
    if (st.messart == shell::Messart::Online) {
        shell::Commands::showOutputs(st.main());
        shell::Commands::EnableCommands(st.main());
    }
    emit valueShown(shown);
}

void OnlineReceiver::receiveLine(const QString& text)
{
    shell::AppState& st = m_st;
    if (st.link.SchalterStop || text.isEmpty())
        return; // paused: the line is dropped, never stored later
    // The store holds one run's worth of values; beyond it lines are dropped, and what is stored stays.
    if (m_received >= kMaxLines) {
        if (!m_fullReported) {
            m_fullReported = true;
            st.notify(st.msg(shell::Msg::MaxValuesExceeded) + QLatin1Char(' ') + QString::number(kMaxLines));
        }
        return;
    }
    ++m_received;
    m_lines.push_back(text);
    processLines();
}

void OnlineReceiver::processLines()
{
    while (!m_lines.empty() && receiving()) {
        const QString record = m_lines.front();
        if (!startsValue(record)) {
            endReception();
            return;
        }
        m_lines.pop_front();
        decodeAndHandOver(record);
        const QString shown = showValue(QString(record).replace(QLatin1String("Oe"), QStringLiteral("G ")));
        emit valueShown(shown);
    }
}

void OnlineReceiver::decodeAndHandOver(const QString& record)
{
    if (const auto m = m_decoder.decode(record, shell::Messart::Online)) {
        ++m_taken;
        emit messwert(*m);
    }
}

void OnlineReceiver::endReception()
{
    setRunning(false);
    m_lines.clear();
    m_st.main().setEnabled(Main::optOnline, false);
    emit receptionEnded();
}

QString OnlineReceiver::showValue(const QString& text)
{
    // Characters 7 to 21: the value and its unit.
    const QString shown = text.mid(6, 15);
    shell::FormState& f = m_st.main();
    f.setVisible(Main::txtSpeicher, true);
    f.setText(Main::txtSpeicher, shown);
    return shown;
}

} // namespace instrument
