#include "LinkSession.h"

#include "shell/AppState.h"
#include "shell/Wait.h"

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;

namespace instrument {

// ---- events of the line ---------------------------------------------------------------------------------

void LinkSession::textReceived()
{
    // A memory answer is cut straight from the buffer as it grows; copying the whole buffer at every event
    // would make a long read quadratic.
    m_receiveBuffer += m_layer.takeReceived();
    if (m_receiveBuffer.size() > m_maxChars) {
        if (m_waiting) {
            refuseAnswer(m_maxChars);
            return;
        }
        // Text nobody waits for (values of a gauge measuring while no view takes them) is not kept.
        m_receiveBuffer.clear();
    }
    if (m_silence.isActive())
        m_silence.start(m_silenceMs);
    emit received(2);
    shell::WaitBus::poke();
}

void LinkSession::specialCharacter(QChar c)
{
    if (m_silence.isActive())
        m_silence.start(m_silenceMs);
    if (c == SerialLayer::EM) {
        m_linkLost = true; // the answer ends here, cut
        m_st.link.transferComplete = true;
        m_st.link.abgeschaltet = true;
        shell::WaitBus::poke();
        OpenComPort(portNumber());
        emit switchedOff();
        return;
    }
    if (c == SerialLayer::EOT) {
        m_st.link.transferComplete = true;
        shell::WaitBus::poke();
    }
    emit received(8);
}

void LinkSession::linkError(const QString& description)
{
    // What arrived before the loss is still handed on: a cut answer keeps its whole records, online its values.
    for (QString text = m_layer.takeReceived(); !text.isEmpty(); text = m_layer.takeReceived()) {
        m_receiveBuffer += text;
        emit received(2);
    }
    ++m_linkErrors;
    m_linkLost = true;
    shell::WaitBus::poke();
    m_st.WriteLog(QStringLiteral("COM") + m_st.link.portNumber.trimmed() + QStringLiteral(": ") + description);
    m_layer.close();
    shell::FormState& f = m_st.main();
    f.setEnabled(Main::cmdLesFE, false);
    f.setEnabled(Main::cmdLesNFE, false);
    f.setText(Main::Frame2, QStringLiteral("Com-Port"));
    OpenComPort(portNumber(), false);
    emit lineBroken(description);
}

} // namespace instrument
