#include "ArchiveRecorder.h"

#include "export/ExportSession.h"
#include "export/MesReader.h"
#include "shell/AppState.h"
#include "shell/MemoryNames.h"
#include "shell/Settings.h"
#include "table/InspectionRules.h"
#include "table/TableSession.h"

#include <QFileInfo>

#include <cmath>

namespace Projekt = ctl::frmProjekt;

namespace session {

namespace {

using archive::Kind;

// Count, mean and verdict of a series, worked out as the table's statistics, colours and chosen rule work them out.
struct Tally {
    int n = 0;
    double sum = 0;    // of the values the statistics take (absolute, except on VX gauges)
    double sumAbs = 0; // of their absolute values
    QString unit;
    bool mixed = false;
    bool outside = false; // a value the table colours red
    shell::RuleKind rule = shell::RuleKind::Iso19840;
    bool fehler8020 = false;
    int band8020 = 0;
    double sum8020 = 0; // of the values less their roughness correction
    table::Verdict9010 v9010;
    table::VerdictPa2 pa2;

    void add(const archive::Reading& r, const archive::Settings& s, bool vx, const shell::AppState& st)
    {
        const double v = vx ? r.wert : std::fabs(r.wert);
        ++n;
        sum += v;
        sumAbs += std::fabs(v);
        if (unit.isEmpty())
            unit = r.einheit;
        else if (r.einheit != unit)
            mixed = true;
        const double shown = s.absolut ? std::fabs(r.wert) : r.wert;
        if ((s.Emin != 0 || s.Emax != 0) && ((shown != 0 && shown > s.Emax) || shown < s.Emin))
            outside = true;
        if (s.E8020)
            addToRule(v, r.einheit, s, st);
    }
    void addToRule(double v, const QString& einheit, const archive::Settings& s, const shell::AppState& st)
    {
        rule = st.rule.kind;
        switch (rule) {
        case shell::RuleKind::Iso19840: {
            const double c = v - table::roughnessCorrection(st, einheit);
            sum8020 += c;
            if ((s.Emin >= 0 && c < s.Emin) || (s.Emax >= 0 && c > s.Emax))
                fehler8020 = true;
            if (table::minimum8020(s.Esoll) <= c && c < s.Esoll)
                ++band8020;
            break;
        }
        case shell::RuleKind::ImoPspc:
            v9010.add(v, s.Esoll, s.Emax);
            break;
        case shell::RuleKind::SspcPa2:
            pa2.add(v, shell::Limits{s.Emin, s.Emax, s.Esoll, s.E8020, {}, {}, {}}, st.rule);
            break;
        }
    }
    double mean(bool absolut) const { return n == 0 ? 0 : (absolut ? sumAbs : sum) / n; }
    QString verdict(const archive::Settings& s) const
    {
        if (n == 0 || mixed || (s.E8020 && rule == shell::RuleKind::SspcPa2 && pa2.spots == 0))
            return {};
        bool fail = outside;
        if (s.E8020 && rule == shell::RuleKind::Iso19840)
            fail = fehler8020 || band8020 * 100.0 / n > 20 || sum8020 / n < s.Esoll;
        else if (s.E8020)
            fail = rule == shell::RuleKind::ImoPspc ? !v9010.ok() : !pa2.ok();
        else if (s.Emin == 0 && s.Emax == 0)
            return {};
        return fail ? QStringLiteral("fail") : QStringLiteral("ok");
    }
};

bool isVx(const shell::AppState& st)
{
    return st.device.geraet.startsWith(QLatin1String("VX"));
}

} // namespace

struct ArchiveRecorder::Running {
    archive::Series series;
    Tally tally;
    int index = 0;
};

ArchiveRecorder::ArchiveRecorder(shell::AppState& st, table::TableSession& table, reports::ExportSession& exporter,
                                 QObject* parent)
    : QObject(parent), m_st(st), m_table(table), m_export(exporter)
{
}

ArchiveRecorder::~ArchiveRecorder() = default;

void ArchiveRecorder::setEnabled(bool on)
{
    m_enabled = on;
    if (!on)
        m_archive.close();
}

qint64 ArchiveRecorder::current(int view) const
{
    return view >= 0 && view < 3 ? m_current[size_t(view)] : 0;
}

qint64 ArchiveRecorder::runningSeries() const
{
    return m_online && m_st.link.onlineRun ? m_online->series.id : 0;
}

void ArchiveRecorder::tell(Told what, const QString& text)
{
    if (m_told & unsigned(what))
        return;
    m_told |= unsigned(what);
    m_st.WriteLog(text);
    // Never a box that waits: the archive is written from inside an online run.
    m_st.notify(text, shell::Dialogs::Icon::Warning);
}

bool ArchiveRecorder::ensureOpen()
{
    if (m_archive.isOpen())
        return true;
    const QString folder = m_st.edition.MessDataPath;
    if (!m_enabled || folder.isEmpty())
        return false;
    using State = archive::Archive::State;
    const archive::Archive::Opened r = m_archive.open(folder, archive::Archive::Access::Write, m_lockWait);
    const QString file = folder + QLatin1Char('/') + archive::Archive::fileName();
    switch (r.state) {
    case State::Open:
        return true;
    case State::Damaged:
        // A new archive was begun when the damaged one could be set aside; the ids of the old one mean nothing in it.
        m_current = {};
        tell(Told::Damaged, m_st.say(shell::Phrase::ArchiveDamagedSetAside).arg(file, r.error, r.setAside));
        return m_archive.isOpen();
    case State::Busy:
        tell(Told::Busy, m_st.say(shell::Phrase::ArchiveBusy).arg(file));
        return false;
    case State::TooNew:
        tell(Told::TooNew, m_st.say(shell::Phrase::ArchiveTooNew).arg(file));
        return false;
    case State::Missing:
    case State::Unwritable:
        break;
    }
    tell(Told::Unwritable, m_st.say(shell::Phrase::ArchiveNotWritable).arg(file, r.error));
    return false;
}

// A write that failed: told once; the archive is closed, so the next series opens it again (and sets it aside if
// it turned out damaged).
void ArchiveRecorder::failed()
{
    const QString file = m_archive.path();
    tell(Told::Unwritable, m_st.say(shell::Phrase::ArchiveNotWritable).arg(file, m_archive.lastError()));
    m_archive.close();
    m_current = {};
    m_online.reset();
    m_onlineRefused = true;
}

archive::Settings ArchiveRecorder::snapshot(int view) const
{
    // The project data as the next report will read them: from their files, without any box.
    shell::AppState scratch;
    scratch.edition.AppDataPath = m_st.edition.AppDataPath;
    scratch.edition.MessDataPath = m_st.edition.MessDataPath;
    scratch.texte.sprache = m_st.texte.sprache;
    scratch.settingsReadOnly = true;
    shell::FormState& p = scratch.forms[Projekt::form];
    shell::FormState& own = m_st.forms[Projekt::form];
    for (int n = 1; n <= 6; ++n) {
        p.setText(Projekt::lblFelder(n), own.text(Projekt::lblFelder(n)));
        p.setText(Projekt::txtFelder(n), own.text(Projekt::txtFelder(n)));
    }
    p.setText(Projekt::DTPDate, own.text(Projekt::DTPDate));
    p.setText(Projekt::DTPTime, own.text(Projekt::DTPTime));
    shell::Settings::Voreinstellungen(scratch, QStringLiteral("PL"));

    archive::Settings s;
    for (int n = 1; n <= 6; ++n) {
        s.projectLabels << p.text(Projekt::lblFelder(n));
        s.projectFields << p.text(Projekt::txtFelder(n));
    }
    s.projectDate = p.text(Projekt::DTPDate);
    s.projectTime = p.text(Projekt::DTPTime);
    const shell::Limits& l = m_st.limits;
    s.Emin = l.Emin;
    s.Emax = l.Emax;
    s.Esoll = l.Esoll;
    s.E8020 = l.E8020;
    s.EminStr = l.EminStr;
    s.EmaxStr = l.EmaxStr;
    s.EsollStr = l.EsollStr;
    s.absolut = m_st.absolut;
    s.sprache = m_st.texte.sprache;
    s.memoryMode = m_st.device.memoryMode;
    s.memoryMode.remove(QChar(0));
    s.speichernr = m_st.device.speichernr;
    // The date over the columns as a report of the view would write it.
    s.tableDate = view == m_st.view() ? m_table.grid().text(0, 0) : m_table.Messdaten.at(view, 1).datum;
    return s;
}

archive::Series ArchiveRecorder::head(Kind kind, int view) const
{
    archive::Series s;
    s.kind = kind;
    s.view = view;
    s.started = s.ended = QDateTime::currentDateTime();
    s.edition = m_st.edition.pgmname + QLatin1Char(' ') + m_st.edition.versnr;
    // A file says nothing of the gauge that measured it.
    if (kind != Kind::File) {
        const shell::DeviceIdentity& d = m_st.device;
        s.model = d.geraet;
        s.port = QStringLiteral("COM") + m_st.link.portNumber.trimmed();
        s.firmware = d.geraetesoftware;
        s.probe = (d.sondentyp + QLatin1Char(' ') + d.sondenversion).trimmed();
        s.mac = d.macadr;
    }
    s.settings = snapshot(view);
    return s;
}

archive::Reading ArchiveRecorder::readingOf(int view, int row) const
{
    const table::MessRow& m = m_table.Messdaten.at(view, row);
    return {m.nr, m.wert, m.einheit, m.material, m.datum, m.zeit};
}

std::vector<archive::Reading> ArchiveRecorder::rowsOf(int view) const
{
    std::vector<archive::Reading> out;
    const int n = m_table.Messdaten.rowCount(view);
    out.reserve(size_t(n));
    for (int r = 1; r <= n; ++r)
        out.push_back(readingOf(view, r));
    return out;
}

void ArchiveRecorder::summarise(archive::Series& series, const std::vector<archive::Reading>& readings) const
{
    Tally t;
    const bool vx = series.model.startsWith(QLatin1String("VX")) || isVx(m_st);
    for (const archive::Reading& r : readings)
        t.add(r, series.settings, vx, m_st);
    series.count = t.n;
    series.mean = t.mean(series.settings.absolut);
    series.unit = t.unit;
    series.verdict = t.verdict(series.settings);
}

qint64 ArchiveRecorder::keep(archive::Series series, const std::vector<archive::Reading>& readings, int view)
{
    if (!ensureOpen())
        return 0;
    summarise(series, readings);
    qint64 id = m_archive.add(series, readings);
    if (id == 0 && reopenIfDamaged())
        id = m_archive.add(series, readings);
    if (id == 0) {
        failed();
        return 0;
    }
    m_current[size_t(view)] = id;
    if (view == 2) {
        m_online = std::make_unique<Running>();
        m_online->series = series;
        m_online->series.id = id;
        for (const archive::Reading& r : readings)
            m_online->tally.add(r, series.settings, isVx(m_st), m_st);
        m_online->index = int(readings.size());
    }
    emit listChanged();
    return id;
}

// ---- what the session hands over -------------------------------------------------------------------------------

void ArchiveRecorder::memoryTransferStarting(int view)
{
    m_memoryView = view;
}

void ArchiveRecorder::memoryDecoded()
{
    const int view = std::exchange(m_memoryView, -1);
    if (!m_enabled || view < 0 || view > 1)
        return;
    const std::vector<archive::Reading> rows = rowsOf(view);
    if (rows.empty()) {
        m_current[size_t(view)] = 0;
        return;
    }
    keep(head(view == 0 ? Kind::Memory1 : Kind::Memory2, view), rows, view);
}

void ArchiveRecorder::onlineRunStarted()
{
    // The next value begins a series of its own, even when the view still shows the last run's rows.
    m_online.reset();
    m_current[2] = 0;
    m_onlineRefused = false;
}

void ArchiveRecorder::rowAppended(int view, int row)
{
    // Memory rows are kept together when the read is decoded.
    if (!m_enabled || view != 2)
        return;
    if (!m_online) {
        // An archive that failed this run is tried again by the next series, not by every value.
        if (m_onlineRefused || !ensureOpen()) {
            m_onlineRefused = true;
            return;
        }
        auto run = std::make_unique<Running>();
        run->series = head(Kind::Online, 2);
        run->series.id = m_archive.begin(run->series);
        if (run->series.id == 0 && reopenIfDamaged())
            run->series.id = m_archive.begin(run->series);
        if (run->series.id == 0) {
            failed();
            return;
        }
        m_online = std::move(run);
        m_current[2] = m_online->series.id;
        emit listChanged();
    }
    Running& run = *m_online;
    const archive::Reading r = readingOf(2, row);
    run.tally.add(r, run.series.settings, isVx(m_st), m_st);
    archive::Series& s = run.series;
    s.ended = QDateTime::currentDateTime();
    s.count = run.tally.n;
    s.mean = run.tally.mean(s.settings.absolut);
    s.unit = run.tally.unit;
    s.verdict = run.tally.verdict(s.settings);
    if (!m_archive.append(s, run.index, r)) {
        // A page found damaged: the run so far goes whole into the new archive that takes the old one's place.
        if (reopenIfDamaged()) {
            std::vector<archive::Reading> readings;
            for (int first = row - run.index; first <= row; ++first)
                readings.push_back(readingOf(2, first));
            archive::Series again = s;
            again.id = 0;
            if (keep(again, readings, 2) != 0)
                return;
        }
        failed();
        return;
    }
    ++run.index;
    emit seriesGrew(s.id, s.count, s.mean, s.unit, s.verdict);
}

// After a write that found the file damaged, the archive is opened again: the damaged file is set aside whole and a
// new archive takes its place. False when that did not happen.
bool ArchiveRecorder::reopenIfDamaged()
{
    if (!m_archive.lastErrorDamaged())
        return false;
    m_archive.close();
    return ensureOpen();
}

void ArchiveRecorder::rowsChanged(int view)
{
    if (!m_enabled || view < 0 || view > 2)
        return;
    const qint64 earlier = m_current[size_t(view)];
    const std::vector<archive::Reading> rows = rowsOf(view);
    // A cleared table keeps nothing new: the series it showed stays as it was.
    if (rows.empty() || earlier == 0 || !ensureOpen()) {
        m_current[size_t(view)] = 0;
        if (view == 2)
            m_online.reset();
        return;
    }
    const std::optional<archive::Series> before = m_archive.series(earlier);
    if (!before) {
        m_current[size_t(view)] = 0;
        return;
    }
    // An edit is a new version; the earlier one is kept as it was.
    archive::Series next = *before;
    next.previous = earlier;
    next.version = before->version + 1;
    next.ended = QDateTime::currentDateTime();
    next.settings = snapshot(view);
    keep(next, rows, view);
}

void ArchiveRecorder::fileLoaded(int view, const QString& path)
{
    if (!m_enabled || view < 0 || view > 2)
        return;
    archive::Series s = head(Kind::File, view);
    s.source = QFileInfo(path).absoluteFilePath();
    keep(s, rowsOf(view), view);
}

void ArchiveRecorder::fileSaved(int view, const QString& path)
{
    if (!m_enabled || view < 0 || view > 2 || !ensureOpen())
        return;
    const QString file = QFileInfo(path).absoluteFilePath();
    qint64 id = m_current[size_t(view)];
    std::optional<archive::Series> kept = id != 0 ? m_archive.series(id) : std::nullopt;
    if (!kept) {
        // Rows the archive never saw (it was busy, or failed): kept now, as a file.
        archive::Series s = head(Kind::File, view);
        s.source = file;
        id = keep(s, rowsOf(view), view);
    } else if (const archive::Settings now = snapshot(view); !(now == kept->settings)) {
        // Written with other project data or limits than it was kept with: the file's version is kept as well, so
        // an export of it gives what was written.
        archive::Series next = *kept;
        next.previous = id;
        next.version = kept->version + 1;
        next.ended = QDateTime::currentDateTime();
        next.settings = now;
        id = keep(next, rowsOf(view), view);
    }
    if (id != 0 && !m_archive.addFile(id, file, QDateTime::currentDateTime()))
        failed();
}

// ---- the history ----------------------------------------------------------------------------------------------

bool ArchiveRecorder::openSeries(qint64 id)
{
    if (!ensureOpen())
        return false;
    const std::optional<archive::Series> s = m_archive.series(id);
    if (!s)
        return false;
    show(*s, m_archive.readings(id), true);
    return true;
}

void ArchiveRecorder::openSeries(const archive::Series& series, const std::vector<archive::Reading>& readings)
{
    show(series, readings, false);
}

void ArchiveRecorder::show(const archive::Series& series, const std::vector<archive::Reading>& readings, bool local)
{
    const archive::Series* s = &series;
    const qint64 id = local ? series.id : 0;
    int view = s->kind == Kind::Memory1 ? 0 : s->kind == Kind::Memory2 ? 1 : s->kind == Kind::Online ? 2 : s->view;
    // The rows of a running online run are never replaced, as with a file.
    if (view == 2 && m_st.link.onlineRun)
        view = 0;
    view = std::clamp(view, 0, 2);
    if (view < 2)
        m_table.showView(view);
    else
        m_st.messart = shell::Messart::Online;

    reports::MesReader::Result rows;
    rows.datum = s->settings.tableDate;
    rows.rows.reserve(readings.size());
    for (const archive::Reading& r : readings)
        rows.rows.push_back({r.zeit, r.nr, r.wert, r.einheit, r.material});
    const QString name = s->kind == Kind::File ? QFileInfo(s->source).fileName()
                         : local               ? m_st.say(shell::Phrase::Archive).arg(id)
                                               : m_st.say(shell::Phrase::Server).arg(series.id);
    // The heading shows the series' date while the table is rebuilt.
    const QString today = std::exchange(m_st.heuteDatum, s->settings.tableDate);
    m_export.loadRows(rows, name);
    m_st.heuteDatum = today;
    for (size_t i = 0; i < readings.size() && i < size_t(table::MessdatenStore::kRows); ++i)
        m_table.Messdaten.at(view, int(i) + 1).datum = readings[i].datum;
    m_current[size_t(view)] = id;
    if (view == 2 && local) {
        m_online = std::make_unique<Running>();
        m_online->series = *s;
        for (const archive::Reading& r : readings)
            m_online->tally.add(r, s->settings, isVx(m_st), m_st);
        m_online->index = int(readings.size());
    }
}

bool ArchiveRecorder::deleteSeries(qint64 id)
{
    if (!ensureOpen() || !m_archive.remove(id))
        return false;
    for (qint64& c : m_current)
        if (c == id)
            c = 0;
    if (m_online && m_online->series.id == id)
        m_online.reset();
    emit listChanged();
    return true;
}

QString ArchiveRecorder::kindText(int sprache, Kind kind, int version)
{
    const bool en = sprache != 0;
    QString text;
    switch (kind) {
    case Kind::Memory1:
        text = en ? QStringLiteral("Memory 1") : QStringLiteral("Speicher 1");
        break;
    case Kind::Memory2:
        text = en ? QStringLiteral("Memory 2") : QStringLiteral("Speicher 2");
        break;
    case Kind::Online:
        text = QStringLiteral("Online");
        break;
    case Kind::File:
        text = en ? QStringLiteral("File") : QStringLiteral("Datei");
        break;
    }
    return version > 1 ? text + QStringLiteral(" v%1").arg(version) : text;
}

QString ArchiveRecorder::verdictText(int sprache, const QString& verdict)
{
    if (verdict == QLatin1String("ok"))
        return sprache != 0 ? QStringLiteral("OK") : QStringLiteral("i.O.");
    if (verdict == QLatin1String("fail"))
        return sprache != 0 ? QStringLiteral("not OK") : QStringLiteral("n.i.O.");
    return QStringLiteral("-");
}

QString ArchiveRecorder::timeText(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace session
