#include "CliSession.h"

#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "link/QtSerialLayer.h"
#include "shell/Numbers.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {
const QString kCombo = QStringLiteral("ComboPort");
const QString kDisplay = QStringLiteral("txtSpeicher");
} // namespace

CliSession::CliSession(const CliOptions& options) : m_options(options)
{
    m_st.appPath = QCoreApplication::applicationDirPath();
    m_st.dialogs = &m_dialogs;
    // A scripted run leaves the user's settings as they are.
    m_st.settingsReadOnly = true;
    m_shell = std::make_unique<shell::TransferShell>(m_st);
    m_owner = std::make_unique<QObject>();
    m_timeout = std::make_unique<AnswerTimeout>(m_st, m_options.timeoutSeconds);
    wire();
}

CliSession::~CliSession()
{
    m_timeout->stop();
    if (m_link)
        m_link->closePort();
}

void CliSession::wire()
{
    // The same hooks as the main window sets for its table, export and link parts.
    m_table = new table::TableSession(m_st, m_owner.get());
    table::TableSession* t = m_table;
    shell::ShellHooks& h = m_shell->hooks();
    h.TabelleFormatieren = [t] { t->TabelleFormatieren(); };
    h.StatistikZuruecksetzen = [t] { t->StatistikZuruecksetzen(); };
    h.GrenzwerteAnzeigen = [t] { t->GrenzwerteAnzeigen(); };
    h.AnsichtAktualisieren = [t] { t->AnsichtAktualisieren(); };
    h.relabelMemoryOptions = [t] { t->relabelOptions(); };
    t->hooks().EnableCommands = [this] { m_shell->EnableCommands(); };

    m_export = new reports::ExportSession(m_st, m_table, m_owner.get());

    m_layer = new instrument::QtSerialLayer;
    m_link = new instrument::LinkSession(m_st, *m_shell, *m_layer, m_owner.get());
    m_layer->setParent(m_link);
    instrument::LinkSession* link = m_link;
    h.enumeratePorts = [link] { link->enumeratePorts(); };
    h.closePort = [link] { link->closePort(); };

    m_reader = new instrument::MemoryReader(m_st, *m_shell, *link, *m_table, link);
    instrument::MemoryReader* reader = m_reader;
    link->hooks().updateReadButtons = [reader] { reader->updateReadButtons(); };
    link->hooks().reception = [reader](int code) { reader->reception(code); };
    // After connecting the program reads all memories; read stands in the button of the memories asked for,
    // identify reads none.
    if (m_options.command == CliOptions::Command::Read) {
        const CliOptions::Memory memory = m_options.memory;
        link->hooks().readMemories = [reader, memory, this] {
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
        QObject::connect(&f, &shell::FormState::changed, m_owner.get(), [&](const QString& name) {
            const QString shown = f.text(kDisplay);
            if (name == kDisplay && shown != m_st.msg(42) && !shown.trimmed().isEmpty())
                emptyTexts << shown;
        });
    const int status = connect();
    QObject::disconnect(watch);
    if (status != CliExit::Ok)
        return status;
    if (m_reader->cancelled())
        return timedOut();

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
