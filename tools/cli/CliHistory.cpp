#include "CliHistory.h"
#include "CliExport.h"
#include "CliOptions.h"

#include "archive/Archive.h"
#include "archive/ServerArchive.h"
#include "export/ExportSession.h"
#include "session/ArchiveRecorder.h"
#include "session/ServerSync.h"
#include "session/TransferSession.h"
#include "shell/AppState.h"
#include "shell/Texte.h"
#include "table/ValueFormat.h"

#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace Projekt = ctl::frmProjekt;
using session::ArchiveRecorder;

bool HistoryOptions::named(int argc, char** argv)
{
    return argc > 1 && std::strcmp(argv[1], "history") == 0;
}

namespace {

QDate dateOf(const QString& text)
{
    QDate d = QDate::fromString(text, Qt::ISODate);
    return d.isValid() ? d : QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
}

} // namespace

bool HistoryOptions::parse(const QStringList& arguments, QString& edition, int& sprache, QString& error)
{
    *this = HistoryOptions();
    const QString action = arguments.value(0);
    QStringList rest = arguments.mid(1);
    server = rest.removeAll(QStringLiteral("--server")) > 0;
    if (action == QLatin1String("list")) {
        this->action = Action::List;
    } else if (action == QLatin1String("show") || action == QLatin1String("export")) {
        this->action = action == QLatin1String("show") ? Action::Show : Action::Export;
        bool ok = false;
        id = rest.value(0).toLongLong(&ok);
        if (!ok || id < 1) {
            error = QStringLiteral("history %1: a series id is missing").arg(action);
            return false;
        }
        rest.removeFirst();
    } else {
        error = QStringLiteral("history: list, show or export, got \"%1\"").arg(action);
        return false;
    }
    if (this->action == Action::Export) {
        // --to mes is the Save command's file; the other targets are those of export.
        const qsizetype to = rest.indexOf(QStringLiteral("--to"));
        if (to >= 0 && rest.value(to + 1) == QLatin1String("mes")) {
            mes = true;
            rest[to + 1] = QStringLiteral("txt");
        }
        return exported.parse(QStringList{QStringLiteral("archive")} + rest, edition, sprache, error) &&
               (!mes || !exported.chart || (error = QStringLiteral("--chart belongs to --to xlsx"), false));
    }
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QString& name = rest.at(i);
        const QString value = rest.value(i + 1);
        if (i + 1 >= rest.size()) {
            error = QStringLiteral("%1 needs a value").arg(name);
            return false;
        }
        ++i;
        if (name == QLatin1String("--since") || name == QLatin1String("--until")) {
            if (this->action != Action::List || !dateOf(value).isValid()) {
                error = QStringLiteral("%1: expected a date YYYY-MM-DD, got \"%2\"").arg(name, value);
                return false;
            }
            (name == QLatin1String("--since") ? since : until) = dateOf(value);
        } else if (name == QLatin1String("--text") && this->action == Action::List) {
            text = value;
        } else if (name == QLatin1String("--edition")) {
            edition = value.trimmed();
        } else if (name == QLatin1String("--lang") && (value == QLatin1String("de") || value == QLatin1String("en"))) {
            sprache = value == QLatin1String("de") ? 0 : 1;
        } else {
            error = QStringLiteral("%1 is not an option of history %2").arg(name, action);
            return false;
        }
    }
    return true;
}

CliHistory::CliHistory(session::TransferSession& session, const HistoryOptions& options)
    : m_session(session), m_options(options)
{
}

int CliHistory::run()
{
    shell::AppState& st = m_session.state();
    if (m_options.server) {
        const QString connection = session::ServerSync::connectionOf(st.edition.AppDataPath);
        if (connection.isEmpty()) {
            err(shell::phrase(shell::Phrase::ServerNoServer, st.sprache()));
            return CliExit::NotConnected;
        }
        m_server = std::make_shared<archive::ServerArchive>();
        const archive::ServerArchive::Opened r = m_server->open(connection);
        if (!r.ok()) {
            archive::ServerUploader::Outcome o;
            o.ok = false;
            o.state = r.state;
            o.error = r.error;
            o.serverVersion = r.serverVersion;
            err(session::ServerSync::describe(o, st.sprache()));
            return CliExit::NotConnected;
        }
    } else {
        const int opened = openLocal();
        if (opened != CliExit::Ok ||
            (m_options.action == HistoryOptions::Action::List && !m_session.archive().archive().isOpen()))
            return opened;
    }
    switch (m_options.action) {
    case HistoryOptions::Action::List:
        return list();
    case HistoryOptions::Action::Show:
        return show();
    case HistoryOptions::Action::Export:
        return exportSeries();
    }
    return CliExit::Usage;
}

int CliHistory::openLocal()
{
    shell::AppState& st = m_session.state();
    archive::Archive& a = m_session.archive().archive();
    using State = archive::Archive::State;
    const archive::Archive::Opened r = a.open(st.edition.MessDataPath, archive::Archive::Access::Read);
    const QString file = st.edition.MessDataPath + QLatin1Char('/') + archive::Archive::fileName();
    if (r.state == State::Missing) {
        if (m_options.action == HistoryOptions::Action::List)
            return CliExit::Ok; // nothing kept yet
        err(file + QStringLiteral(": ") + st.say(shell::Phrase::NoArchiveYet));
        return CliExit::InputUnreadable;
    }
    if (!r.ok()) {
        err(file + QStringLiteral(": ") +
            (r.state == State::Damaged  ? st.say(shell::Phrase::Damaged)
             : r.state == State::TooNew ? st.say(shell::Phrase::MadeByANewerVersion)
                                        : st.say(shell::Phrase::CannotBeRead)) +
            (r.error.isEmpty() ? QString() : QStringLiteral(" (") + r.error + QLatin1Char(')')));
        return CliExit::InputUnreadable;
    }
    return CliExit::Ok;
}

std::optional<archive::Series> CliHistory::seriesOf(qint64 id) const
{
    return m_server ? m_server->series(id) : m_session.archive().archive().series(id);
}

std::vector<archive::Reading> CliHistory::readingsOf(qint64 id) const
{
    return m_server ? m_server->readings(id) : m_session.archive().archive().readings(id);
}

int CliHistory::list()
{
    const shell::AppState& st = m_session.state();
    const archive::Filter filter{m_options.text, m_options.since, m_options.until};
    const std::vector<archive::ListEntry> entries =
        m_server ? m_server->list(filter, 2000) : m_session.archive().archive().list(filter);
    if (m_server && entries.empty() && !m_server->lastError().isEmpty()) {
        err(m_server->lastError());
        return CliExit::NotConnected;
    }
    for (const archive::ListEntry& e : entries)
        out(QStringList{QString::number(e.id), ArchiveRecorder::timeText(e.started),
                        ArchiveRecorder::kindText(st.sprache(), e.kind, e.version), e.model, QString::number(e.count),
                        e.count > 0
                            ? table::WertFormatieren(e.mean, e.unit).trimmed() + QLatin1Char(' ') + e.unit.trimmed()
                            : QString(),
                        ArchiveRecorder::verdictText(st.sprache(), e.verdict)}
                .join(QLatin1Char('\t')));
    return CliExit::Ok;
}

int CliHistory::show()
{
    const shell::AppState& st = m_session.state();
    archive::Archive& a = m_session.archive().archive();
    const std::optional<archive::Series> s = seriesOf(m_options.id);
    if (!s) {
        err(st.say(shell::Phrase::NoSeriesInTheArchive).arg(m_options.id));
        return CliExit::InputUnreadable;
    }
    const archive::Settings& p = s->settings;
    QList<std::pair<QString, QString>> lines = {
        {"id", QString::number(s->id)},
        {"version",
         QString::number(s->version) + (s->previous ? QStringLiteral(" (#%1)").arg(s->previous) : QString())},
        {"kind", ArchiveRecorder::kindText(st.sprache(), s->kind, s->version)},
        {"start", s->started.toString(Qt::ISODate)},
        {"end", s->ended.toString(Qt::ISODate)},
        {"edition", s->edition},
        {"geraet", s->model},
        {"port", s->port},
        {"geraetesoftware", s->firmware},
        {"sonde", s->probe},
        {"macadr", s->mac},
        {"source", s->source},
    };
    for (int n = 0; n < p.projectFields.size(); ++n)
        if (!p.projectFields[n].trimmed().isEmpty())
            lines.append({p.projectLabels.value(n), p.projectFields[n]});
    lines.append({"Emin", p.EminStr});
    lines.append({"Emax", p.EmaxStr});
    lines.append({"Esoll", p.EsollStr});
    lines.append({"80/20", p.E8020 ? QStringLiteral("1") : QStringLiteral("0")});
    lines.append({"count", QString::number(s->count)});
    lines.append({"verdict", ArchiveRecorder::verdictText(st.sprache(), s->verdict)});
    if (!m_server)
        for (const QString& f : a.files(s->id))
            lines.append({"file", f});
    for (const auto& [name, value] : lines)
        out(name + QStringLiteral(": ") + value);
    out(QString());
    for (const archive::Reading& r : readingsOf(s->id))
        out(QStringList{QString::number(r.nr), table::WertFormatieren(r.wert, r.einheit).trimmed(), r.einheit.trimmed(),
                        r.material.trimmed(), r.datum, r.zeit}
                .join(QLatin1Char('\t')));
    return CliExit::Ok;
}

int CliHistory::exportSeries()
{
    shell::AppState& st = m_session.state();
    ArchiveRecorder& recorder = m_session.archive();
    const std::optional<archive::Series> s = seriesOf(m_options.id);
    if (!s) {
        err(st.say(shell::Phrase::NoSeriesInTheArchive).arg(m_options.id));
        return CliExit::InputUnreadable;
    }
    // The settings the series was kept with stand in for the user's: limits, statistics over absolute values, the
    // gauge that names the memories, and the project data (the report reads them from a folder of their own).
    const archive::Settings& p = s->settings;
    st.limits = {p.Emin, p.Emax, p.Esoll, p.E8020, p.EminStr, p.EmaxStr, p.EsollStr};
    st.absolut = p.absolut;
    st.device.geraet = s->model.isEmpty() ? st.device.geraet : s->model;
    if (!p.memoryMode.isEmpty())
        st.device.memoryMode = p.memoryMode;
    st.device.speichernr = p.speichernr;
    shell::FormState& f = st.forms[Projekt::form];
    for (int n = 1; n <= 6; ++n) {
        f.setText(Projekt::lblFelder(n), p.projectLabels.value(n - 1));
        f.setText(Projekt::txtFelder(n), p.projectFields.value(n - 1));
    }
    f.setText(Projekt::DTPDate, p.projectDate);
    f.setText(Projekt::DTPTime, p.projectTime);
    QTemporaryDir noProjectFile;
    st.edition.AppDataPath = noProjectFile.path();

    if (m_server)
        recorder.openSeries(*s, readingsOf(s->id));
    else if (!recorder.openSeries(m_options.id)) {
        err(st.say(shell::Phrase::SeriesCannotBeOpened).arg(m_options.id));
        return CliExit::InputUnreadable;
    }
    if (m_options.mes)
        return m_session.exporter().saveTo(m_options.exported.out) ? CliExit::Ok : CliExit::WriteFailed;
    const reports::OutputResult written = CliExport(m_session, m_options.exported).write();
    if (!written.ok) {
        err(m_options.exported.out + QStringLiteral(": ") + written.error);
        return CliExit::WriteFailed;
    }
    return CliExit::Ok;
}

void CliHistory::out(const QString& line) const
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

void CliHistory::err(const QString& line) const
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}
