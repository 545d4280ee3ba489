#include "ServerSync.h"
#include "ArchiveRecorder.h"

#include "shell/AppState.h"
#include "shell/TextFile.h"
#include "shell/Texte.h"

namespace session {

using archive::ServerArchive;

ServerSync::ServerSync(shell::AppState& st, ArchiveRecorder& recorder, QObject* parent)
    : QObject(parent), m_st(st), m_recorder(recorder), m_uploader(this)
{
    connect(&m_timer, &QTimer::timeout, this, &ServerSync::uploadNow);
}

QString ServerSync::connectionOf(const QString& appDataPath, int* minutes)
{
    QStringList lines;
    if (minutes)
        *minutes = kDefaultMinutes;
    if (appDataPath.isEmpty() || !shell::TextFile::readLines(appDataPath + QLatin1Char('/') + fileName(), lines).ok ||
        lines.isEmpty())
        return {};
    const QStringList fields = lines.first().split(QLatin1Char(';'));
    bool ok = false;
    const int m = fields.value(1).trimmed().toInt(&ok);
    if (minutes && ok && m >= 1 && m <= 24 * 60)
        *minutes = m;
    return fields.value(0).trimmed();
}

void ServerSync::start()
{
    int minutes = kDefaultMinutes;
    m_uploader.setPlaces(m_st.edition.MessDataPath, connectionOf(m_st.edition.AppDataPath, &minutes));
    if (!configured())
        return;
    m_timer.start(minutes * 60 * 1000);
    uploadNow();
}

void ServerSync::uploadNow()
{
    if (!configured() || !m_recorder.enabled() || !m_recorder.ensureOpen())
        return;
    // Series made after this moment may still be growing: they wait for the next pass.
    m_uploader.uploadPending(m_recorder.archive().lastId(), m_recorder.runningSeries());
}

void ServerSync::markUploaded(const QList<qint64>& ids)
{
    if (m_recorder.ensureOpen())
        m_recorder.archive().markUploaded(ids);
}

void ServerSync::passFinished(const archive::ServerUploader::Outcome& outcome)
{
    m_waiting = outcome.waiting;
    if (!outcome.ok) {
        m_failure = outcome;
        m_failedAt = QDateTime::currentDateTime();
        const QString text = describe(outcome, m_st.texte.sprache);
        // An unreachable server is everyday life for a laptop: logged once. Anything an administrator must mend
        // is shown once a run.
        const unsigned kind = 1u << unsigned(outcome.state);
        if (!(m_told & kind)) {
            m_told |= kind;
            m_st.WriteLog(text);
            if (outcome.state != ServerArchive::State::Unreachable && outcome.state != ServerArchive::State::Open)
                m_st.notify(text, shell::Dialogs::Icon::Warning);
        }
    }
    emit statusChanged();
}

QString ServerSync::statusText() const
{
    if (!configured())
        return {};
    const int lang = m_st.texte.sprache;
    QString text = m_waiting > 0 ? shell::phrase(shell::Phrase::ServerWaiting, lang).arg(m_waiting)
                                 : shell::phrase(shell::Phrase::ServerAllUploaded, lang);
    if (m_failedAt.isValid())
        text += QLatin1Char(' ') + shell::phrase(shell::Phrase::ServerLastFailure, lang)
                                       .arg(m_failedAt.toString(QStringLiteral("HH:mm ")) + describe(m_failure, lang));
    return text;
}

QString ServerSync::describe(const archive::ServerUploader::Outcome& o, int sprache)
{
    const QString why = o.error.simplified();
    switch (o.state) {
    case ServerArchive::State::Open:
        return shell::phrase(o.local ? shell::Phrase::ServerLocalUnreadable : shell::Phrase::ServerUploadFailed,
                             sprache)
            .arg(why);
    case ServerArchive::State::NoDriver:
        return shell::phrase(shell::Phrase::ServerNoDriver, sprache);
    case ServerArchive::State::Unreachable:
        return shell::phrase(shell::Phrase::ServerUnreachable, sprache).arg(why);
    case ServerArchive::State::Refused:
        return shell::phrase(shell::Phrase::ServerRefused, sprache).arg(why);
    case ServerArchive::State::WrongSchema:
        return o.serverVersion == 0 ? shell::phrase(shell::Phrase::ServerNoArchive, sprache)
                                    : shell::phrase(shell::Phrase::ServerOtherSchema, sprache)
                                          .arg(o.serverVersion)
                                          .arg(ServerArchive::kSchemaVersion);
    }
    return why;
}

} // namespace session
