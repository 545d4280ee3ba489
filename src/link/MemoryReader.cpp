#include "MemoryReader.h"

#include "LinkSession.h"
#include "shell/AppState.h"
#include "shell/Numbers.h"
#include "shell/TransferShell.h"
#include "shell/Wait.h"
#include "table/TableSession.h"

#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>

namespace instrument {

namespace {

const QString kOptions[] = {QStringLiteral("optFE"), QStringLiteral("optNFE"), QStringLiteral("optOnline")};
const QString kDisplay = QStringLiteral("txtSpeicher");
const QString kProgress = QStringLiteral("prgLesen");
const QString kWait = QStringLiteral("txtWait");

// The wait cursor for the length of a scope, where there is a screen to show it on.
class Hourglass
{
public:
    Hourglass() : m_on(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (m_on)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~Hourglass()
    {
        if (m_on)
            QGuiApplication::restoreOverrideCursor();
    }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    bool m_on;
};

bool startsRecord(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

} // namespace

MemoryReader::MemoryReader(shell::AppState& st, shell::TransferShell& shell, LinkSession& link,
                           table::TableSession& table, QObject* parent)
    : QObject(parent), m_st(st), m_shell(shell), m_link(link), m_table(table), m_decoder(st, table)
{
    m_records.reserve(kMaxRecords);
}

MemoryReader::~MemoryReader() = default;

QString MemoryReader::now(const char* format) const
{
    return QDateTime::currentDateTime().toString(QString::fromLatin1(format));
}

// ---- read buttons and names -----------------------------------------------------------------------------

QString MemoryReader::memoryName(int view) const
{
    return m_table.memoryName(view);
}

void MemoryReader::updateReadButtons()
{
    shell::FormState& f = m_st.main();
    const QString mode = shell::Numbers::trimBlanks(m_st.memoryMode);
    const QString fe = QStringLiteral("cmdLesFE");
    const QString nfe = QStringLiteral("cmdLesNFE");
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
        f.setVisible(QStringLiteral("cmdLesen"), true);
        f.setVisible(kOptions[0], true);
        f.setVisible(kOptions[1], false);
    } else if (mode.startsWith(QLatin1Char('X'))) {
        for (const QString& name : {QStringLiteral("cmdLesen"), fe, nfe, kOptions[0], kOptions[1]})
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
    m_st.main().setText(kOptions[view], memoryName(view) + QStringLiteral(" (0)"));
}

// ---- commands -------------------------------------------------------------------------------------------

void MemoryReader::cmdLesFE_Click()
{
    shell::AppState& st = m_st;
    m_link.openRetries = 0;
    m_link.OpenComPort(st.portNumber.trimmed().toInt());
    if (!st.CheckConnect)
        return;
    if (!m_readingAll)
        m_link.ReadGeraet();
    st.messart = 0;
    if (st.memory1Count != 0) {
        m_link.pendingCommand = st.cmdReadMemory1;
        ReadMemory();
        if (!m_readingAll && !m_cancelled)
            selectOptions(0);
    } else {
        m_table.MessdatenLoeschen();
        resetCaption(0);
        showEmpty(1);
    }
}

void MemoryReader::cmdLesNFE_Click()
{
    shell::AppState& st = m_st;
    if (!m_readingAll) {
        m_link.openRetries = 0;
        m_link.OpenComPort(st.portNumber.trimmed().toInt());
        if (!st.CheckConnect)
            return;
        m_link.ReadGeraet();
    }
    st.messart = 1;
    if (st.memory2Count != 0) {
        m_link.pendingCommand = st.cmdReadMemory2;
        ReadMemory();
        if (!m_readingAll && !m_cancelled)
            selectOptions(1);
    } else {
        m_table.MessdatenLoeschen();
        resetCaption(1);
        showEmpty(2);
    }
    m_readingAll = false;
}

void MemoryReader::ReadAllMemories()
{
    shell::AppState& st = m_st;
    st.SchalterStop = true;
    m_readingAll = true;
    m_cancelled = false;
    m_link.openRetries = 0;
    m_link.OpenComPort(st.portNumber.trimmed().toInt());
    if (!st.CheckConnect) {
        // The pause stays set (online mode honours it); the read itself is over.
        m_readingAll = false;
        return;
    }
    m_link.ReadGeraet();
    resetCaption(0);
    cmdLesFE_Click();
    // Memory 2 is read only while the first read went through: not after Escape or losing the gauge.
    if (st.memoryMode.startsWith(QLatin1Char('2')) && !m_cancelled && st.CheckConnect)
        cmdLesNFE_Click();
    const int last = st.messart;
    m_readingAll = false;
    if (!m_cancelled && st.CheckConnect)
        selectOptions(last);
    st.SchalterStop = false;
}

// ---- one memory -----------------------------------------------------------------------------------------

void MemoryReader::ReadMemory()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    table::TableSession& t = m_table;
    const int view = st.messart;

    // 1
    m_records.clear();
    f.setItems(QStringLiteral("lstStat"), {});
    t.grid().clear();
    t.grid().setRows(1);
    t.StatistikZuruecksetzen();
    t.TabelleFormatieren();
    t.MessdatenLoeschen();
    f.setVisible(QStringLiteral("lstStat"), true);
    resetCaption(view);
    // 2
    t.jetztZeit = now("hh:mm:ss");
    st.heuteDatum = now("dd.MM.yyyy");
    // 3
    m_link.openRetries = 0;
    m_link.OpenComPort(st.portNumber.trimmed().toInt());
    if (!st.CheckConnect)
        return;
    Hourglass hourglass;
    // 4
    m_link.receiveBuffer.clear();
    m_link.transferBuffer.clear();
    m_link.currentRecord.clear();
    m_link.layer().clearReceived();
    st.transferComplete = false;
    m_scanPos = 0;
    m_searchPos = 0;
    m_lineNo = 0;
    m_dataStart = 0;
    m_overflow = false;
    m_processed = false;
    m_skipped = 0;
    m_cancelled = false;
    t.aktZeile = 1;
    m_shell.DisableCommands();
    m_announced = view == 0 ? st.memory1Count : st.memory2Count;
    m_shownProgress = -1;
    setProgress(true, m_announced, 0);
    m_receiving = true;
    const bool sent = m_link.SendCommand();
    // 5: no time limit; Escape, the end of the answer or the loss of the gauge end it.
    shell::WaitEnd end = shell::WaitEnd::Done;
    if (sent)
        end = shell::waitUntil([&] { return st.transferComplete || m_link.lineLost() || !st.CheckConnect; });
    m_receiving = false;
    // 6
    if (end == shell::WaitEnd::Escape) {
        m_cancelled = true;
        m_records.clear();
        f.setText(kWait, st.english() ? QStringLiteral("Reading cancelled, no values taken over")
                                      : QStringLiteral("Einlesen abgebrochen, keine Werte übernommen"));
        f.setVisible(kWait, true);
    } else if (m_processed) {
        t.grid().beginBatch();
        for (const QString& record : m_records) {
            if (st.messart >= 2)
                break;
            m_link.currentRecord = record;
            m_decoder.FillMessdaten(m_link.currentRecord);
        }
        t.grid().endBatch();
        if (m_skipped > 0)
            st.WriteLog((st.english() ? QStringLiteral("Memory read: unreadable lines skipped: ")
                                      : QStringLiteral("Speicher lesen: unlesbare Zeilen übergangen: ")) +
                        QString::number(m_skipped));
    }
    m_shell.EnableCommands();
    // 7
    m_link.receiveBuffer.clear();
    m_link.transferBuffer.clear();
    m_link.currentRecord.clear();
    m_records.clear();
    st.transferComplete = false;
    f.setVisible(QStringLiteral("lstStat"), true);
    setProgress(false, 0, 0);
}

// ---- reception ------------------------------------------------------------------------------------------

void MemoryReader::reception(int code)
{
    if (!m_receiving || (m_st.messart != 0 && m_st.messart != 1))
        return;
    Q_UNUSED(code); // text and EOT alike: the answer is cut as it comes, and handed over once complete
    cutLines();
    if (m_st.transferComplete && !m_processed)
        processTransfer();
}

void MemoryReader::cutLines()
{
    const QString& buf = m_link.receiveBuffer;
    if (m_scanPos > buf.size() || m_searchPos > buf.size())
        m_scanPos = m_searchPos = 0;
    const QLatin1String crlf("\r\n");
    const QLatin1String fourBlanks("    ");
    qsizetype end;
    // Text already searched holds no line end (but a CR at its end may meet the next chunk's LF).
    while ((end = buf.indexOf(crlf, std::max(m_scanPos, m_searchPos))) >= 0) {
        const QStringView line = QStringView(buf).mid(m_scanPos, end - m_scanPos);
        m_scanPos = end + 2;
        ++m_lineNo;
        if (m_overflow)
            continue;
        if (line.size() == 1 && line.front() == QChar(2)) {
            m_dataStart = m_lineNo + 1;
            continue;
        }
        if (m_dataStart == 0 || m_lineNo < m_dataStart || line.startsWith(fourBlanks))
            continue;
        // A record starts with its number, right-aligned in four places: other lines are line noise.
        if (line.isEmpty() || !startsRecord(line.front())) {
            ++m_skipped;
            continue;
        }
        if (int(m_records.size()) >= kMaxRecords) {
            m_overflow = true;
            continue;
        }
        m_records.push_back(line.toString());
    }
    m_searchPos = std::max(m_scanPos, buf.size() - 1);
    const int count = int(m_records.size());
    if (count != m_shownProgress) {
        m_shownProgress = count;
        setProgress(true, std::max(m_announced, count), count);
    }
}

void MemoryReader::processTransfer()
{
    shell::AppState& st = m_st;
    m_processed = true;
    m_link.transferBuffer = m_link.receiveBuffer;
    if (m_overflow)
        st.messageBox(st.msg(53) + QStringLiteral(" ") + QString::number(kMaxRecords));
    m_table.LetzteZeileZeigen();
    for (const char* name : {"cmdprint", "cmdWord", "cmdClipboard", "cmdExcel"})
        st.main().setVisible(QString::fromLatin1(name), true);
}

void MemoryReader::setProgress(bool visible, int max, int value)
{
    shell::FormState& f = m_st.main();
    if (!visible) {
        f.setVisible(kProgress, false);
        return;
    }
    f.setProp(kProgress, QStringLiteral("max"), std::max(max, 1));
    f.setProp(kProgress, QStringLiteral("value"), value);
    f.setVisible(kProgress, true);
}

// ---- empty memories and the option buttons --------------------------------------------------------------

void MemoryReader::showEmpty(int memory)
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    if (f.prop(kDisplay, QStringLiteral("width")).toInt() <= 1125)
        f.setProp(kDisplay, QStringLiteral("width"), 1400);
    const QString mode = shell::Numbers::trimBlanks(st.memoryMode);
    if (mode != QLatin1String("1") && mode != QLatin1String("3")) {
        if (m_readingAll && st.memory1Count == 0 && st.memory2Count == 0) {
            f.setText(kDisplay, st.msg(47));
            m_link.Delay(2);
            f.setText(kDisplay, st.msg(42));
            m_shell.EnableCommands();
            f.setFocus(kOptions[2]);
            return;
        }
        const bool fn = mode == QLatin1String("2N");
        if (memory == 2)
            f.setText(kDisplay, st.msg(fn ? 19 : 28));
        else
            f.setText(kDisplay, st.msg(fn ? 18 : 27));
        m_link.Delay(1);
        f.setText(kDisplay, st.msg(42));
        m_shell.EnableCommands();
        return;
    }
    f.setText(kDisplay, st.msg(33));
    m_shell.EnableCommands();
    f.setFocus(kOptions[2]);
}

void MemoryReader::selectOptions(int lastMemory)
{
    shell::AppState& st = m_st;
    const auto online = [this] {
        if (m_hooks.optOnline_Click)
            m_hooks.optOnline_Click();
        else
            m_st.main().setFocus(kOptions[2]);
    };
    const QString& mode = st.memoryMode;
    if (mode.startsWith(QLatin1Char('X'))) {
        online();
    } else if (mode.startsWith(QLatin1Char('2')) && !m_readingAll) {
        if (lastMemory == 0) {
            m_table.optFE_Click();
        } else if (st.memory1Count < 1) {
            m_table.optNFE_Click();
        } else {
            m_table.optFE_Click();
            if (st.memory2Count >= 1)
                m_table.optNFE_Click();
        }
    } else if (mode.startsWith(QLatin1Char('2'))) {
        if (st.memory1Count > 0)
            m_table.optFE_Click();
        else if (st.memory2Count >= 1)
            m_table.optNFE_Click();
    } else if (st.memory1Count != 0) {
        m_table.optFE_Click();
    } else {
        online();
    }
}

} // namespace instrument
