#include "ExportSession.h"

#include "DataLineCache.h"
#include "ExportTexte.h"
#include "MesFile.h"
#include "MesReader.h"
#include "ProjektDialog.h"
#include "ReportBuilder.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"

#include <QDir>
#include <QFileInfo>

namespace Main = ctl::frmTransfer;

namespace reports {

const QString ExportSession::kFilter = QStringLiteral("Messdaten (*.mes)");

ExportSession::ExportSession(shell::AppState& st, table::TableSession* table, QObject* parent)
    : QObject(parent), m_st(st), m_table(table), m_projekt(new ProjektDialog(st, this)),
      m_lines(std::make_unique<DataLineCache>())
{
}

ExportSession::~ExportSession() = default;

const QString& ExportSession::BuildReport(const QString& kind)
{
    reportText.clear();
    if (m_table)
        reportText = ReportBuilder::build(m_st, *m_table, kind, m_lines.get());
    return reportText;
}

QString ExportSession::mesFolder() const
{
    const QString folder = m_st.edition.MessDataPath + QStringLiteral("/mes");
    QDir().mkpath(folder);
    return folder;
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
    const QString folder = mesFolder();
    if (!m_st.onlineFileSaved) {
        m_st.onlineFileSaved = true;
        saveTo(onlineFile(), true);
        return;
    }
    if (!m_st.dialogs)
        return;
    const QString target =
        targetName(m_st.dialogs->saveFile(m_st.texte.cap(shell::Cap::Save), folder, kFilter), folder);
    if (!target.isEmpty())
        saveTo(target);
}

bool ExportSession::saveTo(const QString& path, bool online)
{
    if (!m_table)
        return false;
    BuildReport(QStringLiteral("A"));
    const MesFile::Result r = MesFile::write(path, reportText + QStringLiteral("\r\n"));
    if (r.ok) {
        if (online)
            m_onlineFailureShown = false;
        return true;
    }
    // The online file is rewritten after every value: one message until a rewrite succeeds again.
    if (!online || !m_onlineFailureShown)
        reportFailure(ExportTexte::saveFailed(m_st.sprache(), path, ExportTexte::reason(m_st.sprache(), r.error)));
    if (online)
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
    const int view = m_st.view();
    if (view < 0 || view >= table::MessdatenStore::kViews)
        return false;

    // Read first: a file that cannot be read leaves the table as it is.
    QString text;
    const MesFile::Result r = MesFile::read(path, text);
    if (!r.ok) {
        reportFailure(ExportTexte::readFailed(m_st.sprache(), path, ExportTexte::reason(m_st.sprache(), r.error)));
        return false;
    }
    loadRows(MesReader::parse(shell::TextFile::splitLines(text), m_st.edition.materialMode),
             QFileInfo(path).fileName());
    return true;
}

void ExportSession::loadRows(const MesReader::Result& file, const QString& fileName)
{
    const int view = m_st.view();
    if (!m_table || view < 0 || view >= table::MessdatenStore::kViews)
        return;
    table::TableSession& tab = *m_table;
    tab.MessdatenLoeschen();
    tab.grid().clear();
    tab.StatistikZuruecksetzen();
    if (file.datum)
        tab.Messdaten.at(view, tab.aktZeile).datum = *file.datum;
    const int stored = std::min<int>(static_cast<int>(file.rows.size()), table::MessdatenStore::kRows);
    for (int i = 0; i < stored; ++i) {
        const MesReader::Row& in = file.rows[static_cast<size_t>(i)];
        table::MessRow& row = tab.Messdaten.at(view, i + 1);
        row.zeit = in.zeit;
        row.nr = in.nr;
        row.wert = in.wert;
        row.einheit = in.einheit;
        if (in.material)
            row.material = *in.material;
    }

    shell::FormState& f = m_st.main();
    const QString options[] = {Main::optFE, Main::optNFE};
    if (view < 2)
        f.setText(options[view], fileName + QStringLiteral(" (%1)").arg(file.rows.size()));
    tab.mesLaden = true;
    tab.TabelleAufbauen();
    tab.mesLaden = false;
    // The next online value follows the last row shown.
    if (view == 2)
        tab.onlineNr = tab.Messdaten.rowCount(view) + 1;
    for (const QString& name : {Main::cmdprint, Main::cmdWord, Main::cmdClipboard, Main::cmdExcel})
        f.setVisible(name, true);
    // A file opened before any gauge is connected is worked on as a read table would be.
    if (!m_st.link.CheckConnect)
        shell::Commands::EnableAvailable(f, false, true);
}

void ExportSession::cmdProjekt_Click()
{
    m_projekt->cmdProjekt_Click();
}

} // namespace reports
