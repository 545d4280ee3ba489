#include "CliSession.h"

#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "link/TransferSession.h"
#include "shell/Numbers.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {
const QString kCombo = QStringLiteral("ComboPort");
const QString kDisplay = QStringLiteral("txtSpeicher");
} // namespace

CliSession::CliSession(const CliOptions& options)
    : m_options(options), m_session(std::make_unique<instrument::TransferSession>()), m_st(m_session->state()),
      m_shell(&m_session->shell()), m_table(&m_session->table()), m_export(&m_session->exporter()),
      m_link(&m_session->link()), m_reader(&m_session->reader())
{
    m_st.appPath = QCoreApplication::applicationDirPath();
    m_st.dialogs = &m_dialogs;
    // A scripted run leaves the user's settings as they are.
    m_st.settingsReadOnly = true;
    m_timeout = std::make_unique<AnswerTimeout>(m_st, m_options.timeoutSeconds);
    wire();
}

CliSession::~CliSession()
{
    m_timeout->stop();
}

void CliSession::wire()
{
    // After connecting the program reads all memories; read stands in the button of the memories asked for,
    // identify reads none.
    instrument::MemoryReader* reader = m_reader;
    if (m_options.command != CliOptions::Command::Read) {
        m_link->hooks().readMemories = nullptr;
        return;
    }
    const CliOptions::Memory memory = m_options.memory;
    m_link->hooks().readMemories = [reader, memory, this] {
        if (m_timeout->expired())
            return;
        if (memory == CliOptions::Memory::First)
            reader->cmdLesFE_Click();
        else if (memory == CliOptions::Memory::Second)
            reader->cmdLesNFE_Click();
        else
            reader->cmdLesen_Click();
    };
}

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
    default:
        return CliExit::Usage;
    }
}

int CliSession::ports()
{
    for (const QString& entry : m_st.main().items(kCombo))
        out(entry);
    return CliExit::Ok;
}

int CliSession::connect()
{
    shell::FormState& f = m_st.main();
    // As if the port had been typed into the port box: the box checks it against the list.
    f.takeTextFromUser(kCombo, m_options.port);
    m_link->ComboPort_Change();
    if (!f.isEnabled(QStringLiteral("cmdConnect"))) {
        err(m_options.port + QStringLiteral(": ") + f.text(QStringLiteral("txtWait")));
        return CliExit::NotConnected;
    }
    m_timeout->start();
    m_link->cmdConnect_Click();
    m_timeout->stop();
    if (m_timeout->expired())
        return timedOut();
    if (!m_st.CheckConnect)
        return notConnected();
    return CliExit::Ok;
}

int CliSession::notConnected()
{
    err(m_options.port + QStringLiteral(": ") + m_st.main().text(QStringLiteral("txtWait")));
    return CliExit::NotConnected;
}

int CliSession::timedOut()
{
    err(m_options.port + QStringLiteral(": ") +
        say("keine vollständige Antwort des Geräts innerhalb von %1 s",
            "no complete answer from the device within %1 s")
            .arg(m_timeout->seconds()));
    return CliExit::Timeout;
}

int CliSession::identify()
{
    if (const int status = connect(); status != CliExit::Ok)
        return status;
    QString mode = shell::Numbers::trimBlanks(m_st.memoryMode);
    mode.remove(QChar(0)); // an unrecognised edition leaves the field unset
    const QList<std::pair<const char*, QString>> lines = {
        {"geraet", m_st.geraet},
        {"geraetesoftware", m_st.geraetesoftware},
        {"memory1Count", QString::number(m_st.memory1Count)},
        {"memory2Count", QString::number(m_st.memory2Count)},
        {"macadr", m_st.macadr},
        {"sondentyp", m_st.sondentyp},
        {"sondenversion", m_st.sondenversion},
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
            const QString shown = f.text(kDisplay);
            if (name == kDisplay && shown != m_st.msg(42) && !shown.trimmed().isEmpty())
                emptyTexts << shown;
        });
    int status = connect();
    QObject::disconnect(watch);
    if (status == CliExit::Ok && m_reader->cancelled())
        status = timedOut();
    if (status == CliExit::Timeout) {
        // A memory that came in whole before the time ran out is kept; the cancelled one holds no rows.
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
    return written ? CliExit::Ok : CliExit::WriteFailed;
}

bool CliSession::saveView(int view)
{
    if (view == 0)
        m_table->optFE_Click();
    else
        m_table->optNFE_Click();
    for (const QString& line : m_st.main().items(QStringLiteral("lstStat")))
        out(line);
    QDir().mkpath(m_options.outDir);
    const QString path = QDir(m_options.outDir).absoluteFilePath(QStringLiteral("memory%1.mes").arg(view + 1));
    return m_export->saveTo(path);
}

void CliSession::out(const QString& line) const
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

void CliSession::err(const QString& line) const
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

QString CliSession::say(const char* de, const char* en) const
{
    return QString::fromUtf8(m_st.english() ? en : de);
}
