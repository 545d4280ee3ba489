#include "CliExport.h"
#include "CliOptions.h"

#include "export/ExportSession.h"
#include "export/ExportTexte.h"
#include "export/MesFile.h"
#include "export/MesReader.h"
#include "session/TransferSession.h"
#include "shell/TextFile.h"
#include "shell/TransferShell.h"
#include "table/MessdatenStore.h"
#include "table/TableSession.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>
#include <sys/stat.h>

CliExport::CliExport(session::TransferSession& session, const ExportOptions& options)
    : m_session(session), m_options(options)
{
}

bool CliExport::isMeasurementFile(const QString& text, const QString& materialMode)
{
    if (text.contains(QChar(0)))
        return false;
    const reports::MesReader::Result r = reports::MesReader::parse(shell::TextFile::splitLines(text), materialMode);
    return r.datum.has_value() || !r.rows.empty();
}

namespace {

// The same file under two names (a link, "./x"), as the system sees it.
bool sameFile(const QString& a, const QString& b)
{
    struct stat sa {
    };
    struct stat sb {
    };
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace

int CliExport::run()
{
    if (sameFile(m_options.file, m_options.out)) {
        err(m_options.out + QStringLiteral(": ") + m_session.state().say(shell::Phrase::OutNamesTheInputFile));
        return CliExit::Usage;
    }
    if (const int status = load(); status != CliExit::Ok)
        return status;
    const reports::OutputResult written = write();
    if (!written.ok) {
        err(m_options.out + QStringLiteral(": ") + written.error);
        return CliExit::WriteFailed;
    }
    return m_dropped ? CliExit::Refused : CliExit::Ok;
}

int CliExport::load()
{
    shell::AppState& st = m_session.state();
    const QString& file = m_options.file;
    QString text;
    const reports::MesFile::Result read = reports::MesFile::read(file, text);
    if (!read.ok) {
        err(file + QStringLiteral(": ") + read.error);
        return CliExit::InputUnreadable;
    }
    if (!isMeasurementFile(text, st.edition.materialMode)) {
        err(file + QStringLiteral(": ") + st.say(shell::Phrase::NotAMeasurementFile));
        return CliExit::InputUnreadable;
    }
    const reports::MesReader::Result parsed =
        reports::MesReader::parse(shell::TextFile::splitLines(text), st.edition.materialMode);
    // Loading the file says what it did not take; the run then ends with its own status.
    m_dropped = !reports::ExportTexte::notTaken(st.sprache(), file, parsed.refused, parsed.rows.size()).isEmpty();

    // The project labels and limits, as connecting loads them; the project data are read by every report.
    m_session.shell().Voreinstellungen(QStringLiteral("PI"));
    m_session.shell().Voreinstellungen(QStringLiteral("LL"));
    const int view = m_options.viewIndex();
    if (view < 2)
        m_session.table().showView(view);
    else
        m_session.table().setMessart(shell::Messart::Online); // the online view, without starting online mode
    if (!m_session.exporter().loadFrom(QFileInfo(file).absoluteFilePath()))
        return CliExit::InputUnreadable;
    return CliExit::Ok;
}

reports::OutputResult CliExport::write()
{
    reports::ExportSession& e = m_session.exporter();
    switch (m_options.to) {
    case ExportOptions::Target::Txt:
        return save(e.BuildReport(QStringLiteral("A")).toUtf8());
    case ExportOptions::Target::Pdf: {
        // Laid out in memory first, so a failure leaves an existing file as it was.
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setCreator(QStringLiteral("varnotek-cli"));
            const reports::OutputResult printed = e.printTo(writer);
            if (!printed.ok)
                return printed;
        }
        return save(pdf.data());
    }
    case ExportOptions::Target::Odt:
        return e.writeDocument(m_options.out);
    case ExportOptions::Target::Xlsx:
        return e.writeWorkbook(m_options.out, m_options.chart);
    case ExportOptions::Target::Report:
        return e.writeInspectionReport(m_options.out);
    }
    return reports::OutputResult::failure(QStringLiteral("unknown output"));
}

reports::OutputResult CliExport::save(const QByteArray& bytes) const
{
    if (QFileInfo(m_options.out).isDir())
        return reports::OutputResult::failure(QStringLiteral("Is a directory"));
    QSaveFile f(m_options.out);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return reports::OutputResult::failure(f.errorString());
    return {};
}

void CliExport::err(const QString& line) const
{
    std::fputs((shell::TextFile::showControls(line) + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}
