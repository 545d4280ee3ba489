// varnotek-manual: writes the user manuals of one edition as PDF from the Markdown texts in docs/manual.
#include "ManualEdition.h"
#include "ManualText.h"
#include "PdfManual.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

struct Language {
    const char* prefix; // of the file name
    const char* footer;
    const char* pageNumber;
};

const Language kLanguages[] = {
    {"DE", "Bedienungsanleitung", "Seite %1 von %2"},
    {"EN", "Manual", "Page %1 of %2"},
};

int fail(const QString& text)
{
    std::fprintf(stderr, "varnotek-manual: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnotek-manual"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes <out>/DE_Manual_<part>_TRANSFER.pdf and EN_Manual_<part>_TRANSFER.pdf for the edition whose "
        "Konfi.ini lies in <edition>, from the German and English Markdown texts."));
    parser.addHelpOption();
    const QCommandLineOption editionOpt(QStringLiteral("edition"), QStringLiteral("folder holding Konfi.ini"),
                                        QStringLiteral("folder"));
    const QCommandLineOption deOpt(QStringLiteral("de"), QStringLiteral("German Markdown text"),
                                   QStringLiteral("file"));
    const QCommandLineOption enOpt(QStringLiteral("en"), QStringLiteral("English Markdown text"),
                                   QStringLiteral("file"));
    const QCommandLineOption picturesOpt(QStringLiteral("pictures"), QStringLiteral("folder of the model pictures"),
                                         QStringLiteral("folder"));
    const QCommandLineOption outOpt(QStringLiteral("out"), QStringLiteral("folder of the PDF files"),
                                    QStringLiteral("folder"));
    const QCommandLineOption partOpt(QStringLiteral("expect-part"),
                                     QStringLiteral("fail unless the edition's manual part is this one"),
                                     QStringLiteral("part"));
    parser.addOptions({editionOpt, deOpt, enOpt, picturesOpt, outOpt, partOpt});
    parser.process(app);
    for (const QCommandLineOption* o : {&editionOpt, &deOpt, &enOpt, &picturesOpt, &outOpt})
        if (!parser.isSet(*o))
            return fail(QStringLiteral("--%1 is missing").arg(o->names().first()));

    ManualEdition edition;
    QString error;
    if (!ManualEdition::load(parser.value(editionOpt), edition, error))
        return fail(error);
    if (parser.isSet(partOpt) && parser.value(partOpt) != edition.part)
        return fail(QStringLiteral("%1: Help -> Manual looks for \"%2\", the build expects \"%3\"")
                        .arg(parser.value(editionOpt), edition.part, parser.value(partOpt)));
    if (!QDir().mkpath(parser.value(outOpt)))
        return fail(parser.value(outOpt) + QStringLiteral(": the folder cannot be made"));

    const QString sources[] = {parser.value(deOpt), parser.value(enOpt)};
    for (int i = 0; i < 2; ++i) {
        const Language& lang = kLanguages[i];
        QFile in(sources[i]);
        if (!in.open(QIODevice::ReadOnly))
            return fail(sources[i] + QStringLiteral(": ") + in.errorString());
        QString markdown;
        if (!ManualText::expand(QString::fromUtf8(in.readAll()), edition.values, markdown, error))
            return fail(sources[i] + QStringLiteral(": ") + error);

        const QString name = QString::fromLatin1(lang.prefix) + QStringLiteral("_Manual_") + edition.part +
                             QStringLiteral("_TRANSFER.pdf");
        PdfManual::Page page;
        page.footer = edition.title + QStringLiteral(" \u2013 ") + QString::fromUtf8(lang.footer);
        page.pageNumber = QString::fromUtf8(lang.pageNumber);
        page.pictures = parser.value(picturesOpt);
        const QString title = edition.title + QLatin1Char(' ') + QString::fromUtf8(lang.footer);
        if (!PdfManual::write(markdown, parser.value(outOpt) + QLatin1Char('/') + name, title, page, error))
            return fail(error);
    }
    return 0;
}
