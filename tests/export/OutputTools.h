#pragma once

// Reading back what the output writers produced, with the same outside programs a user's machine has.
// A tool that is missing or fails makes the test fail.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <gtest/gtest.h>

namespace outputs {

inline QByteArray run(const QString& program, const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(10000)) {
        ADD_FAILURE() << program.toStdString() << " cannot be started: " << p.errorString().toStdString();
        return {};
    }
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << args.join(QLatin1Char(' ')).toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
        p.kill();
        p.waitForFinished();
    }
    return p.readAllStandardOutput();
}

inline QString unzip(const QString& archive, const QString& entry)
{
    return QString::fromUtf8(run("unzip", {"-p", archive, entry}));
}

inline QString pdfText(const QString& pdf)
{
    return QString::fromUtf8(run("pdftotext", {"-layout", pdf, "-"}));
}

// Converts an office file to PDF with LibreOffice in its own profile (one instance per profile at a time).
inline QString sofficePdf(const QString& file, const QString& outDir)
{
    const QString profile = QStringLiteral("file:///tmp/vt-soffice-") + QUuid::createUuid().toString(QUuid::Id128);
    run("soffice",
        {"--headless", QStringLiteral("-env:UserInstallation=") + profile, "--convert-to", "pdf", "--outdir", outDir,
         file},
        180000);
    QDir(profile.mid(7)).removeRecursively();
    return outDir + QLatin1Char('/') + QFileInfo(file).completeBaseName() + QStringLiteral(".pdf");
}

// The paragraphs of an OpenDocument text's content.xml as text (runs of blanks are written as <text:s text:c="n"/>).
inline QStringList odtParagraphs(const QString& xml)
{
    QStringList out;
    static const QRegularExpression para(QStringLiteral("<text:p[^>]*?(/>|>(.*?)</text:p>)"));
    static const QRegularExpression blanks(QStringLiteral("<text:s( text:c=\"(\\d+)\")?/>"));
    for (const QRegularExpressionMatch& p : para.globalMatch(xml)) {
        QString text = p.captured(2);
        QRegularExpressionMatch b;
        while ((b = blanks.match(text)).hasMatch())
            text.replace(b.capturedStart(), b.capturedLength(), QString(qMax(1, b.captured(2).toInt()), u' '));
        text.remove(QRegularExpression("<[^>]*>"));
        out << text.replace("&amp;", "&");
    }
    return out;
}

// Lines with their blanks collapsed, empty ones left out: text extraction keeps words, not exact spacing.
inline QStringList words(const QStringList& lines)
{
    QStringList out;
    for (const QString& l : lines)
        if (!l.simplified().isEmpty())
            out << l.simplified();
    return out;
}

// A report as the program builds it: a heading, a statistics block and fixed-column data lines.
inline QString sampleReport(int rows)
{
    QString r = QStringLiteral("#  01.02.2024 10:00\r\n#  Kunde Müller & Söhne\r\n\r\nFE-Speicher\r\n\r\n"
                               "Statistik:\r\n\r\nAnzahl          %1\r\nMinimum                100,0 µm  \r\n\r\n\r\n"
                               "01.02.2024       Nr.      Messwert\r\n\r\n")
                    .arg(rows, 8);
    for (int i = 1; i <= rows; ++i)
        r += QStringLiteral("10:%1:%2      %3 %4 µm   Fe\r\n")
                 .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                 .arg(i % 60, 2, 10, QLatin1Char('0'))
                 .arg(i, 5)
                 .arg(QString::number(100 + i * 0.1, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')), 11);
    return r;
}

} // namespace outputs
