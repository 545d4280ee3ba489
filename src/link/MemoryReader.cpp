#include "MemoryReader.h"
#include "shell/Controls.h"

#include "LinkSession.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/MemoryNames.h"
#include "shell/Numbers.h"
#include "shell/Wait.h"

#include <QDateTime>

namespace Main = ctl::frmTransfer;

namespace instrument {

namespace {

const QString kOptions[] = {Main::optFE, Main::optNFE, Main::optOnline};
const QString kDisplay = Main::txtSpeicher;
const QString kProgress = Main::prgLesen;

// The wait cursor for the length of a scope.
class Hourglass
{
public:
    explicit Hourglass(LinkSession& link) : m_link(link) { m_link.setHourglass(true); }
    ~Hourglass() { m_link.setHourglass(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    LinkSession& m_link;
};

} // namespace

MemoryReader::MemoryReader(shell::AppState& st, LinkSession& link, QObject* parent)
    : QObject(parent), m_st(st), m_link(link), m_decoder(st)
{
}

MemoryReader::~MemoryReader() = default;

// ---- read buttons and names -----------------------------------------------------------------------------

void MemoryReader::updateReadButtons()
{
    shell::FormState& f = m_st.main();
    const QString mode = shell::Numbers::trimBlanks(m_st.device.memoryMode);
    const QString fe = Main::cmdLesFE;
    const QString nfe = Main::cmdLesNFE;
    if (mode == QLatin1String("2N") || mode == QLatin1String("2E")) {
        const bool twoFe = mode == QLatin1String("2E");
        f.setText(fe, twoFe ? QStringLiteral("FE 1") : QStringLiteral("FE"));
        f.setText(nfe, twoFe ? QStringLiteral("FE 2") : QStringLiteral("NFE"));
        f.setVisible(fe, true);
        f.setVisible(nfe, true);
        f.setVisible(kOptions[0], true);
        f.setVisible(kOptions[1], true);
    } else if (mode == QLatin1String("1") || mode == QLatin1String("3")) {
        f.setVisible(fe, false);
        f.setVisible(nfe, false);
        f.setVisible(Main::cmdLesen, true);
        f.setVisible(kOptions[0], true);
        f.setVisible(kOptions[1], false);
    } else if (mode.startsWith(QLatin1Char('X'))) {
        for (const QString& name : {Main::cmdLesen, fe, nfe, kOptions[0], kOptions[1]})
            f.setVisible(name, false);
        return;
    } else {
        return; // "2": the identification named neither kind; everything stays as it is
    }
    // Options that have no caption yet get their memory's name.
    for (int v = 0; v < 2; ++v)
        if (f.text(kOptions[v]).isEmpty())
            resetCaption(v);
}

void MemoryReader::resetCaption(int view)
{
    if (view < 0 || view > 1)
        return;
    m_st.main().setText(kOptions[view], shell::memoryName(m_st, view) + QStringLiteral(" (0)"));
}

// ---- commands -------------------------------------------------------------------------------------------

bool MemoryReader::onlineRunMayEnd()
{
    if (!m_st.link.onlineRun)
        return true;
    const QString question = m_st.say(shell::Phrase::OnlineRunEndsForRead);
    if (m_st.messageBox(question, shell::Dialogs::Buttons::OkCancel, shell::Dialogs::Icon::Question) !=
        shell::Dialogs::Answer::Ok)
        return false;
    emit onlineEndRequested();
    return true;
}

void MemoryReader::cmdLesen_Click()
{
    if (onlineRunMayEnd())
        ReadAllMemories();
}

void MemoryReader::cmdLesFE_Click()
{
    if (!m_readingAll && !onlineRunMayEnd())
        return;
    shell::AppState& st = m_st;
    m_link.OpenComPort(m_link.portNumber());
    if (!st.link.CheckConnect)
        return;
    if (!m_readingAll) {
        m_cancelled = m_cut = m_countDiffered = false;
        m_refusedRecords = 0;
        if (m_link.ReadGeraet() != LinkSession::Answer::Complete) {
            m_cancelled = true;
            m_link.restoreCommands();
            return;
        }
    }
    emit messartRequested(shell::Messart::Speicher1);
    if (st.device.memory1Count != 0) {
        m_link.setPendingCommand(st.edition.cmdReadMemory1);
        ReadMemory();
        if (!m_readingAll && !m_cancelled && !m_cut)
            selectOptions(0);
    } else {
        emit viewCleared(0);
        resetCaption(0);
        showEmpty(1);
    }
}

void MemoryReader::cmdLesNFE_Click()
{
    if (!m_readingAll && !onlineRunMayEnd())
        return;
    shell::AppState& st = m_st;
    if (!m_readingAll) {
        m_link.OpenComPort(m_link.portNumber());
        if (!st.link.CheckConnect)
            return;
        m_cancelled = m_cut = m_countDiffered = false;
        m_refusedRecords = 0;
        if (m_link.ReadGeraet() != LinkSession::Answer::Complete) {
            m_cancelled = true;
            m_link.restoreCommands();
            return;
        }
    }
    emit messartRequested(shell::Messart::Speicher2);
    if (st.device.memory2Count != 0) {
        m_link.setPendingCommand(st.edition.cmdReadMemory2);
        ReadMemory();
        if (!m_readingAll && !m_cancelled && !m_cut)
            selectOptions(1);
    } else {
        emit viewCleared(1);
        resetCaption(1);
        showEmpty(2);
    }
    m_readingAll = false;
}

void MemoryReader::ReadAllMemories()
{
    shell::AppState& st = m_st;
    st.link.SchalterStop = true;
    m_readingAll = true;
    m_cancelled = false;
    m_refusedRecords = 0;
    m_link.OpenComPort(m_link.portNumber());
    if (!st.link.CheckConnect) {
        // The pause stays set (online mode honours it); the read itself is over.
        m_readingAll = false;
        return;
    }
    m_cut = false;
    m_countDiffered = false;
    if (m_link.ReadGeraet() != LinkSession::Answer::Complete) {
        // Without a whole identification there are no counts to read by.
        m_readingAll = false;
        m_cancelled = true;
        st.link.SchalterStop = false;
        m_link.restoreCommands();
        return;
    }
    resetCaption(0);
    cmdLesFE_Click();
    // Memory 2 is read only while the first read went through: not after Escape, a cut or losing the gauge.
    if (st.device.memoryMode.startsWith(QLatin1Char('2')) && !m_cancelled && !m_cut && st.link.CheckConnect)
        cmdLesNFE_Click();
    const int last = st.view();
    m_readingAll = false;
    if (!m_cancelled && !m_cut && st.link.CheckConnect)
        selectOptions(last);
    st.link.SchalterStop = false;
}

// ---- one memory -----------------------------------------------------------------------------------------

void MemoryReader::ReadMemory()
{
    const int view = m_st.view();
    if (!prepareView(view))
        return;
    const Hourglass hourglass(m_link);
    requestAnswer(view);
    if (m_lastAnswer == LinkSession::Answer::Cancelled)
        dropAnswer();
    else
        takeOver(view);
    finish();
}

// The view is emptied before the line is even opened: a failed read leaves no old rows to be taken for new.
bool MemoryReader::prepareView(int view)
{
    shell::AppState& st = m_st;
    m_cutter.clearRecords();
    emit transferStarting(view);
    resetCaption(view);
    st.heuteDatum = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy"));
    m_link.OpenComPort(m_link.portNumber());
    return st.link.CheckConnect;
}

// The request; the answer is cut into records as it arrives, until it ends, is cut or the user cancels.
void MemoryReader::requestAnswer(int view)
{
    shell::AppState& st = m_st;
    m_link.clearBuffers();
    st.link.transferComplete = false;
    m_cutter.reset();
    m_processed = false;
    m_cancelled = false;
    shell::Commands::DisableCommands(st.main());
    m_announced = view == 0 ? st.device.memory1Count : st.device.memory2Count;
    m_shownProgress = -1;
    setProgress(true, m_announced, 0);
    m_receiving = true;
    m_lastAnswer = LinkSession::Answer::Lost;
    if (m_link.SendCommand())
        m_lastAnswer = m_link.waitForAnswer([&] { return st.link.transferComplete; }, LinkSession::kMaxMemoryAnswer,
                                            LinkSession::kMemoryAnswerMs);
    m_receiving = false;
}

// The user's cancel keeps nothing of the answer.
void MemoryReader::dropAnswer()
{
    m_cancelled = true;
    m_cutter.clearRecords();
    m_link.setStatus(m_st.say(shell::Phrase::ReadCancelled));
    m_st.main().setVisible(Main::txtWait, true);
}

// A complete answer is decoded into the view in one batch; a cut one (switch-off, unplug, silence) keeps every
// whole record that came, and says how many.
void MemoryReader::takeOver(int view)
{
    shell::AppState& st = m_st;
    if (m_lastAnswer != LinkSession::Answer::Complete) {
        m_cut = true;
        cutLines();
        if (!m_processed)
            processTransfer();
    }
    emit decodingStarted();
    const int refusedBefore = m_decoder.refused();
    for (const QString& record : m_cutter.records()) {
        if (st.messart == shell::Messart::Online || st.messart == shell::Messart::Geraeteinfo)
            break;
        if (const auto m = m_decoder.decode(record, st.messart))
            emit messwert(*m);
    }
    emit decodingFinished();
    if (const int refused = m_decoder.refused() - refusedBefore; refused > 0) {
        // One message for the memory, not one per record; the log has each record.
        m_refusedRecords += refused;
        const QString text =
            st.say(shell::Phrase::RecordsWithoutValue).arg(shell::memoryName(st, view).trimmed()).arg(refused);
        st.WriteLog(text);
        st.messageBox(text, shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Warning);
    }
    if (m_cutter.skipped() > 0)
        st.WriteLog(st.say(shell::Phrase::MemoryReadUnreadableLinesSkipped) + QString::number(m_cutter.skipped()));
    reportCount(view);
}

void MemoryReader::finish()
{
    m_link.restoreCommands();
    m_link.clearBuffers();
    m_cutter.clearRecords();
    m_st.link.transferComplete = false;
    m_st.main().setVisible(Main::lstStat, true);
    setProgress(false, 0, 0);
}

// ---- reception ------------------------------------------------------------------------------------------

void MemoryReader::reception(int code)
{
    if (!m_receiving || (m_st.messart != shell::Messart::Speicher1 && m_st.messart != shell::Messart::Speicher2))
        return;
    Q_UNUSED(code); // text and EOT alike: the answer is cut as it comes, and handed over once complete
    cutLines();
    if (m_st.link.transferComplete && !m_processed)
        processTransfer();
}

void MemoryReader::cutLines()
{
    m_cutter.cut(m_link.receiveBuffer());
    const int count = int(m_cutter.records().size());
    if (count != m_shownProgress) {
        m_shownProgress = count;
        setProgress(true, std::max(m_announced, count), count);
    }
}

// A read that did not bring what the identification announced is reported, naming both numbers.
void MemoryReader::reportCount(int view)
{
    shell::AppState& st = m_st;
    const int received = int(m_cutter.records().size());
    const QString memory = shell::memoryName(st, view).trimmed();
    QString text;
    if (m_lastAnswer == LinkSession::Answer::Refused)
        text = st.say(shell::Phrase::MemoryAnswerTooLong);
    else if (m_cut && m_link.answerOverdue())
        text = st.say(shell::Phrase::MemoryAnswerEndless);
    else if (m_cut)
        text = st.say(shell::Phrase::MemoryAnswerCut);
    else if (received != m_announced && !m_cutter.overflow())
        text = st.say(shell::Phrase::MemoryCountDiffers);
    else
        return;
    m_countDiffered = !m_cut;
    text = text.arg(memory).arg(received).arg(m_announced);
    st.WriteLog(text);
    if (m_cut)
        m_link.setStatus(text);
    st.messageBox(text, shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Warning);
}

void MemoryReader::processTransfer()
{
    shell::AppState& st = m_st;
    m_processed = true;
    if (m_cutter.overflow())
        st.messageBox(st.msg(shell::Msg::MaxValuesExceeded) + QStringLiteral(" ") + QString::number(kMaxRecords));
    emit lastRowRequested();
    shell::Commands::showOutputs(st.main());
}

void MemoryReader::setProgress(bool visible, int max, int value)
{
    shell::FormState& f = m_st.main();
    if (!visible) {
        f.setVisible(kProgress, false);
        return;
    }
    f.setProgress(kProgress, value, std::max(max, 1));
    f.setVisible(kProgress, true);
}

// ---- empty memories and the option buttons --------------------------------------------------------------

void MemoryReader::showEmpty(int memory)
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    const QString mode = shell::Numbers::trimBlanks(st.device.memoryMode);
    if (mode != QLatin1String("1") && mode != QLatin1String("3")) {
        if (m_readingAll && st.device.memory1Count == 0 && st.device.memory2Count == 0) {
            f.setText(kDisplay, st.msg(shell::Msg::StorageEmpty));
            m_link.Delay(2);
            f.setText(kDisplay, st.msg(shell::Msg::Ready));
            shell::Commands::EnableCommands(f);
            f.setFocus(kOptions[2]);
            return;
        }
        const bool fn = mode == QLatin1String("2N");
        if (memory == 2)
            f.setText(kDisplay, st.msg(fn ? shell::Msg::NfeEmpty : shell::Msg::Memory2Empty));
        else
            f.setText(kDisplay, st.msg(fn ? shell::Msg::FeEmpty : shell::Msg::Memory1Empty));
        m_link.Delay(1);
        f.setText(kDisplay, st.msg(shell::Msg::Ready));
        shell::Commands::EnableCommands(f);
        return;
    }
    f.setText(kDisplay, st.msg(shell::Msg::MemoryEmpty));
    shell::Commands::EnableCommands(f);
    f.setFocus(kOptions[2]);
}

void MemoryReader::selectOptions(int lastMemory)
{
    shell::AppState& st = m_st;
    const QString& mode = st.device.memoryMode;
    if (mode.startsWith(QLatin1Char('X'))) {
        emit onlineRequested();
    } else if (mode.startsWith(QLatin1Char('2')) && !m_readingAll) {
        if (lastMemory == 0) {
            emit viewRequested(0);
        } else if (st.device.memory1Count < 1) {
            emit viewRequested(1);
        } else {
            emit viewRequested(0);
            if (st.device.memory2Count >= 1)
                emit viewRequested(1);
        }
    } else if (mode.startsWith(QLatin1Char('2'))) {
        if (st.device.memory1Count > 0)
            emit viewRequested(0);
        else if (st.device.memory2Count >= 1)
            emit viewRequested(1);
    } else if (st.device.memory1Count != 0) {
        emit viewRequested(0);
    } else {
        emit onlineRequested();
    }
}

} // namespace instrument
