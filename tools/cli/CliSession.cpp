#include "CliSession.h"
#include "CliExport.h"
#include "CliHistory.h"

#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "session/ArchiveRecorder.h"
#include "session/TransferSession.h"
#include "shell/Numbers.h"
#include "shell/ProgramFolder.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace Main = ctl::frmTransfer;

CliSession::CliSession(const CliOptions& options)
    : m_options(options), m_session(std::make_unique<session::TransferSession>(m_dialogs, m_desktop)),
      m_st(m_session->state()), m_shell(&m_session->shell()), m_table(&m_session->table()),
      m_export(&m_session->exporter()), m_link(&m_session->link()), m_reader(&m_session->reader())
{
    m_st.edition.appPath = shell::ProgramFolder::locate(QCoreApplication::applicationDirPath());
    // A scripted run leaves the user's settings as they are.
    m_st.settingsReadOnly = true;
    // The rule given stands in for the settings whenever the limits are read (connecting, loading a file).
    m_st.ruleStandIn =
        (m_options.command == CliOptions::Command::Export ? m_options.exported.rule : m_options.rule).standIn;
    // --timeout bounds the gauge's silence, not the length of an answer: a long memory keeps arriving.
    m_link->setSilenceLimit(m_options.timeoutSeconds * 1000);
    // --seconds counts from here: connecting and identifying are part of the run.
    if (m_options.seconds > 0) {
        m_deadline = QDeadlineTimer(qint64(m_options.seconds) * 1000);
        m_link->setDeadline(m_deadline);
    }
    // After connecting the program reads all memories; read asks for the memories chosen, identify for none.
    using After = session::TransferSession::AfterConnect;
    After after = After::Nothing;
    if (m_options.command == CliOptions::Command::Read)
        after = m_options.memory == CliOptions::Memory::First    ? After::ReadMemory1
                : m_options.memory == CliOptions::Memory::Second ? After::ReadMemory2
                                                                 : After::ReadAll;
    m_session->setAfterConnect(after);
    // read and online keep their series as the program does; the other commands only look.
    const bool measures =
        m_options.command == CliOptions::Command::Read || m_options.command == CliOptions::Command::Online;
    m_session->archive().setEnabled(measures && m_options.archive);
    m_session->archive().setLockWait(3000);
}

CliSession::~CliSession() = default;

void CliSession::startup()
{
    shell::TransferShell::StartupOptions o;
    o.singleInstance = false; // the command-line tool is not a second main window
    o.startLog = false;       // only the program's error lines go to the transfer log
    o.edition = m_options.edition;
    o.sprache = m_options.sprache;
    m_shell->startup(o);
}

int CliSession::run()
{
    startup();
    switch (m_options.command) {
    case CliOptions::Command::Ports:
        return ports();
    case CliOptions::Command::Identify:
        return identify();
    case CliOptions::Command::Read:
        return read();
    case CliOptions::Command::Online:
        return online();
    case CliOptions::Command::Export:
        return CliExport(*m_session, m_options.exported).run();
    case CliOptions::Command::History:
        return CliHistory(*m_session, m_options.history).run();
    default:
        return CliExit::Usage;
    }
}

int CliSession::ports()
{
    for (const QString& entry : m_st.main().items(Main::ComboPort))
        out(entry);
    return CliExit::Ok;
}

int CliSession::connect()
{
    shell::FormState& f = m_st.main();
    // As if the port had been typed into the port box: the box checks it against the list.
    f.takeTextFromUser(Main::ComboPort, m_options.port);
    m_link->ComboPort_Change();
    if (!f.isEnabled(Main::cmdConnect)) {
        err(m_options.port + QStringLiteral(": ") + m_link->status());
        return CliExit::NotConnected;
    }
    m_link->cmdConnect_Click();
    // A read that the connect started and the gauge cut is the read's to report.
    if (m_reader->cut())
        return CliExit::Ok;
    if (!m_st.link.CheckConnect) {
        switch (m_link->lastIdentification()) {
        case instrument::LinkSession::Answer::Silent:
            return timedOut();
        case instrument::LinkSession::Answer::Refused:
            return refused();
        default:
            return notConnected();
        }
    }
    return CliExit::Ok;
}

int CliSession::notConnected()
{
    err(m_options.port + QStringLiteral(": ") + m_link->status());
    return CliExit::NotConnected;
}

int CliSession::timedOut()
{
    // --seconds may have been the shorter bound.
    const bool runOver =
        m_options.seconds > 0 && m_deadline.hasExpired() && m_options.seconds < m_options.timeoutSeconds;
    err(m_options.port + QStringLiteral(": ") +
        say(shell::Phrase::NoCompleteAnswerFromThe).arg(runOver ? m_options.seconds : m_options.timeoutSeconds));
    return CliExit::Timeout;
}

int CliSession::refused()
{
    // The box on standard error has named what was wrong.
    err(m_options.port + QStringLiteral(": ") + say(shell::Phrase::NoValidAnswerOfA));
    return CliExit::Refused;
}

int CliSession::identify()
{
    if (const int status = connect(); status != CliExit::Ok)
        return status;
    QString mode = shell::Numbers::trimBlanks(m_st.device.memoryMode);
    mode.remove(QChar(0)); // an unrecognised edition leaves the field unset
    const QList<std::pair<const char*, QString>> lines = {
        {"geraet", m_st.device.geraet},
        {"geraetesoftware", m_st.device.geraetesoftware},
        {"memory1Count", QString::number(m_st.device.memory1Count)},
        {"memory2Count", QString::number(m_st.device.memory2Count)},
        {"macadr", m_st.device.macadr},
        {"sondentyp", m_st.device.sondentyp},
        {"sondenversion", m_st.device.sondenversion},
        {"memoryMode", mode},
    };
    for (const auto& [name, value] : lines)
        out(QString::fromLatin1(name) + QStringLiteral(": ") + value);
    return CliExit::Ok;
}

int CliSession::read()
{
    // The memory display shows the empty-memory messages between its "READY" texts.
    QStringList emptyTexts;
    shell::FormState& f = m_st.main();
    const QMetaObject::Connection watch =
        QObject::connect(&f, &shell::FormState::changed, m_session.get(), [&](const QString& name) {
            const QString shown = f.text(Main::txtSpeicher);
            if (name == Main::txtSpeicher && shown != m_st.msg(shell::Msg::Ready) && !shown.trimmed().isEmpty())
                emptyTexts << shown;
        });
    int status = connect();
    QObject::disconnect(watch);
    if (status == CliExit::Ok && m_reader->cut()) {
        // A cut read keeps its whole records: the memories read before it and the cut one are written.
        const instrument::LinkSession::Answer answer = m_reader->lastAnswer();
        // The box on standard error has said how many values came, and why no more.
        status = answer == instrument::LinkSession::Answer::Silent    ? timedOut()
                 : answer == instrument::LinkSession::Answer::Refused ? CliExit::Refused
                                                                      : CliExit::LineLost;
        for (int view = 0; view < 2; ++view)
            if (m_table->Messdaten.rowCount(view) > 0)
                saveView(view);
    }
    if (status != CliExit::Ok)
        return status;

    // Memory 1 comes before memory 2; a memory without rows is the next empty-memory message.
    bool written = true;
    bool first = true;
    for (int view = 0; view < 2; ++view) {
        const bool held = m_table->Messdaten.rowCount(view) > 0;
        if (!held && emptyTexts.isEmpty())
            continue;
        if (!first)
            out(QString());
        first = false;
        if (held)
            written = saveView(view) && written;
        else
            out(emptyTexts.takeFirst());
    }
    if (!written)
        return CliExit::WriteFailed;
    // Records that were refused have had their message.
    if (m_reader->refusedRecords() > 0)
        return CliExit::Refused;
    return m_reader->countDiffered() ? CliExit::CountDiffered : CliExit::Ok;
}

bool CliSession::saveView(int view)
{
    if (view == 0)
        m_table->optFE_Click();
    else
        m_table->optNFE_Click();
    for (const QString& line : m_table->statistikZeilen(view))
        out(line);
    QDir().mkpath(m_options.outDir);
    const QString path = QDir(m_options.outDir).absoluteFilePath(QStringLiteral("memory%1.mes").arg(view + 1));
    return m_export->saveTo(path);
}

// Lines may carry text of the gauge or a file: its control characters are shown, never sent to the terminal.
void CliSession::out(const QString& line) const
{
    std::fputs((shell::TextFile::showControls(line) + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

void CliSession::err(const QString& line) const
{
    std::fputs((shell::TextFile::showControls(line) + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

QString CliSession::say(shell::Phrase phrase) const
{
    return m_st.say(phrase);
}
