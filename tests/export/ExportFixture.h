#pragma once

#include "TableFixture.h"
#include "export/ExportSession.h"

#include <QFile>

// The export session over the table fixture.
class ExportFixture : public TableFixture
{
protected:
    explicit ExportFixture(const QByteArray& locale = "en_US.UTF-8") : TableFixture(locale) { startExport(); }

    // A new program run on the same folders: fresh state, table (laid out) and export session.
    void restart()
    {
        exp.reset();
        TableFixture::restart();
        startExport();
    }
    void startExport()
    {
        table->TabelleFormatieren();
        exp = std::make_unique<reports::ExportSession>(*st, table.get());
    }

    QString mesFolder() const { return st->edition.MessDataPath + QStringLiteral("/mes"); }
    QByteArray mesFile(const QString& name) const { return testsupport::Sandbox::readFile(mesFolder() + "/" + name); }
    // Save and Open with the file dialog answered.
    void save(const QString& answer)
    {
        dialogs.files << answer;
        exp->cmdSave_Click();
    }
    void open(const QString& answer)
    {
        dialogs.files << answer;
        exp->cmdOpen_Click();
    }

    std::unique_ptr<reports::ExportSession> exp;
};

inline QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

inline QString crlf(const QString& line)
{
    return line + QStringLiteral("\r\n");
}
