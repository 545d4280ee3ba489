#include "ExportSession.h"

#include "DataLineCache.h"
#include "ExportTexte.h"
#include "MesFile.h"
#include "MesReader.h"
#include "ProjektDialog.h"
#include "ReportBuilder.h"
#include "TableHold.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/Settings.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"

#include <QDir>
#include <QFileInfo>

namespace Main = ctl::frmTransfer;

namespace reports {

const QString ExportSession::kFilter = QStringLiteral("Messdaten (*.mes)");

ExportSession::ExportSession(shell::AppState& st, table::TableSession* table, QObject* parent)
    : QObject(parent), m_st(st), m_table(table), m_projekt(new ProjektDialog(st, this)),
      m_lines(std::make_unique<DataLineCache[]>(table::MessdatenStore::kViews))
{
}

ExportSession::~ExportSession() = default;

const QString& ExportSession::BuildReport(const QString& kind)
{
    return BuildReport(kind, m_st.view());
}

const QString& ExportSession::BuildReport(const QString& kind, int view)
{
    reportText.clear();
    if (!m_table || view < 0 || view >= table::MessdatenStore::kViews)
        return reportText;
    // The project fields may have changed on disk since they were shown.
    shell::Settings::Voreinstellungen(m_st, QStringLiteral("PL"));
    const table::TableSession& tab = *m_table;
    ReportView of{view, {}, {}, {}};
    if (view == m_st.view()) {
        // The shown view: its statistics exactly as the list shows them.
        of.statLines = m_st.main().items(Main::lstStat);
        of.statEinheit = tab.statistik().statEinheit;
        of.datum = m_table->grid().text(0, 0);
    } else {
        of.statLines = tab.statistikZeilen(view);
        of.statEinheit = tab.statEinheitOf(view);
        of.datum = tab.Messdaten.at(view, 1).datum;
    }
    reportText = ReportBuilder::build(m_st, tab, of, kind, &m_lines[view]);
    return reportText;
}

QString ExportSession::mesFolder() const
{
    const QString folder = m_st.edition.MessDataPath + QStringLiteral("/mes");
    QDir().mkpath(folder);
    return folder;
}

QString ExportSession::documentsFolder() const
{
    return m_st.edition.MessDataPath + QLatin1Char('/') + m_st.say(shell::Phrase::Documents);
}

QString ExportSession::onlineFile() const
{
    return m_st.edition.MessDataPath + QStringLiteral("/Online.mes");
}

QString ExportSession::targetName(const QString& answer, const QString& folder)
{
    if (answer.isEmpty() || answer == QLatin1String(" "))
        return {};
    QString name = answer;
    // The dialog answers with the whole path; only the file's own name decides on the extension.
    if (!QFileInfo(name).fileName().contains(QLatin1String(".mes")))
        name += QStringLiteral(".mes");
    return QDir(folder).absoluteFilePath(name);
}

void ExportSession::cmdSave_Click()
{
    const TableHold hold(m_table);
    const QString folder = mesFolder();
    if (!m_st.onlineFileSaved) {
        m_st.onlineFileSaved = true;
        write(onlineFile(), m_st.view(), true);
        return;
    }
    if (!m_st.dialogs)
        return;
    const QString target =
        targetName(m_st.dialogs->saveFile(m_st.texte.cap(shell::Cap::Save), folder, kFilter), folder);
    if (!target.isEmpty())
        saveTo(target);
}

void ExportSession::saveOnline()
{
    const TableHold hold(m_table);
    write(onlineFile(), 2, true);
}

bool ExportSession::saveTo(const QString& path)
{
    const TableHold hold(m_table);
    const int view = m_st.view();
    if (!write(path, view, false))
        return false;
    emit fileSaved(view, path);
    return true;
}

bool ExportSession::write(const QString& path, int view, bool online)
{
    if (!m_table)
        return false;
    BuildReport(QStringLiteral("A"), view);
    const MesFile::Result r = MesFile::write(path, reportText + QStringLiteral("\r\n"));
    if (r.ok) {
        if (online)
            m_onlineFailureShown = false;
        return true;
    }
    const QString text = ExportTexte::saveFailed(m_st.sprache(), path, ExportTexte::reason(m_st.sprache(), r.error));
    if (!online) {
        reportFailure(text);
        return false;
    }
    // The online file is rewritten after every value: one box that does not hold up the values, until a rewrite
    // succeeds again.
    if (!m_onlineFailureShown) {
        m_st.notify(text, shell::Dialogs::Icon::Critical);
        m_st.WriteLog(text);
    }
    m_onlineFailureShown = true;
    return false;
}

void ExportSession::reportFailure(const QString& text)
{
    m_st.messageBox(text, shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Critical);
    m_st.WriteLog(text);
}

void ExportSession::cmdOpen_Click()
{
    const TableHold hold(m_table);
    const QString folder = mesFolder();
    if (!m_st.dialogs)
        return;
    const QString answer = m_st.dialogs->openFile(m_st.texte.cap(shell::Cap::Open), folder, kFilter);
    if (answer.isEmpty() || answer == QLatin1String(" "))
        return;
    loadFrom(QDir(folder).absoluteFilePath(answer));
}

bool ExportSession::loadFrom(const QString& path)
{
    if (!m_table)
        return false;
    const TableHold hold(m_table);
    int view = m_st.view();
    if (view < 0 || view >= table::MessdatenStore::kViews)
        return false;

    // Read first: a file that cannot be read leaves the table as it is.
    QString text;
    const MesFile::Result r = MesFile::read(path, text);
    if (!r.ok) {
        reportFailure(ExportTexte::readFailed(m_st.sprache(), path, ExportTexte::reason(m_st.sprache(), r.error)));
        return false;
    }
    // The rows of a running online run and Online.mes are never replaced: the file opens into the first memory's
    // view, and the run goes on in the background.
    if (view == 2 && m_st.link.onlineRun) {
        m_table->optFE_Click();
        view = m_st.view();
    }
    const MesReader::Result file = MesReader::parse(shell::TextFile::splitLines(text), m_st.edition.materialMode);
    loadRows(file, QFileInfo(path).fileName());
    emit fileLoaded(m_st.view(), path);
    const QString notTaken = ExportTexte::notTaken(m_st.sprache(), path, file.refused, file.rows.size());
    if (!notTaken.isEmpty()) {
        m_st.messageBox(notTaken, shell::Dialogs::Buttons::Ok, shell::Dialogs::Icon::Warning);
        m_st.WriteLog(notTaken);
    }
    return true;
}

void ExportSession::loadRows(const MesReader::Result& file, const QString& fileName)
{
    const int view = m_st.view();
    if (!m_table || view < 0 || view >= table::MessdatenStore::kViews)
        return;
    std::vector<table::TableSession::FileRow> rows;
    rows.reserve(file.rows.size());
    for (const MesReader::Row& in : file.rows)
        rows.push_back({in.zeit, in.nr, in.wert, in.einheit, in.material});
    m_table->loadFile(file.datum, rows, fileName);
    shell::FormState& f = m_st.main();
    shell::Commands::showOutputs(f);
    // A file opened before any gauge is connected is worked on as a read table would be.
    if (!m_st.link.CheckConnect)
        shell::Commands::EnableAvailable(f, false, true);
}

void ExportSession::cmdProjekt_Click()
{
    m_projekt->cmdProjekt_Click();
}

} // namespace reports
