#include "ExportFixture.h"
#include "OutputTools.h"
#include "RecordingDesktop.h"
#include "table/ValueFormat.h"

#include <QTime>

#include <optional>

using namespace outputs;
using shell::RuleKind;

namespace {

struct Case {
    int sprache;
    int rows;
    double emin, emax, esoll;
    std::optional<RuleKind> rule;
    const char* verdict;
    const char* why; // a reason or column the page must show
    int pages;       // at most
};

} // namespace

using InspectionReportTest = ExportFixture;

// Read back as a client's PDF reader and search engine read it: every reading whole and in order, the figures of the
// statistics, the verdict with its reason, embedded fonts, and few pages.
TEST_F(InspectionReportTest, PdfReadsBackWithEveryReadingFiguresAndVerdict)
{
    const Case cases[] = {
        {0, 25, 88, 135, 0, {}, "NICHT ERFÜLLT", "Werte über dem Max Limit 135", 1},
        {1, 25, 0, 0, 0, {}, "NOT EVALUATED", "Neither limits nor an inspection rule", 1},
        {1, 5000, 80, 150, 100, RuleKind::Iso19840, "PASS", "ISO 19840 (80/20)", 30},
        {0, 24, 100, 200, 0, RuleKind::SspcPa2, "ERFÜLLT", "Spot-Ø", 1},
    };
    for (const Case& c : cases) {
        restart();
        st->texte.sprache = c.sprache;
        st->limits = {c.emin, c.emax, c.esoll, c.rule.has_value()};
        st->rule.kind = c.rule.value_or(RuleKind::Iso19840);
        table->StatistikZuruecksetzen();
        QStringList readings;
        for (int i = 1; i <= c.rows; ++i) {
            const double v = 91.4 + (i * 7919 % 487) / 10.0; // 91.4 to 140.0
            const QString zeit = QTime(8, 0).addSecs(i).toString("hh:mm:ss");
            add({.wert = v, .zeit = zeit});
            readings << QStringLiteral("%1 %2 %3 µm").arg(i).arg(zeit, table::WertFormatieren(v, "µm  ").trimmed());
        }
        const QString path = sb.root() + QStringLiteral("/r.pdf");
        int pages = 0;
        ASSERT_TRUE(exp->writeInspectionReport(path, &pages).ok);
        EXPECT_LE(pages, c.pages) << c.rows;
        const QString text = QString::fromUtf8(run("pdftotext", {path, "-"})).simplified();
        qsizetype at = 0;
        for (const QString& r : readings) {
            const qsizetype found = text.indexOf(r + QLatin1Char(' '), at);
            ASSERT_GE(found, at) << r.toStdString() << " missing or out of order";
            at = found + r.size();
        }
        const table::Statistik& s = table->statistik();
        for (const QString& figure : {s.anz_min, s.anz_max, s.anz_mean, s.anz_dev, QString::number(c.rows)})
            EXPECT_TRUE(text.contains(figure.trimmed())) << figure.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.verdict)) && text.contains(QString::fromUtf8(c.why)))
            << text.left(2000).toStdString();
        EXPECT_TRUE(
            text.contains(c.sprache ? QString("Page %1 of %1").arg(pages) : QString("Seite 1 von %1").arg(pages)));
        const QStringList fonts = QString::fromUtf8(run("pdffonts", {path})).split('\n', Qt::SkipEmptyParts).mid(2);
        EXPECT_EQ(fonts.size(), 4) << "sans and the rows' monospaced, each regular and bold";
        for (const QString& f : fonts)
            EXPECT_EQ(f.split(' ', Qt::SkipEmptyParts).value(f.split(' ', Qt::SkipEmptyParts).size() - 5), "yes")
                << "embedded";
    }
}

// The command: the file dialog suggests a name in the reports folder; the report is written there and opened.
TEST_F(InspectionReportTest, CommandSavesWhereTheUserSaysAndOpensTheReport)
{
    testsupport::RecordingDesktop desktop;
    st->desktop = &desktop;
    addAll({120, 130});
    dialogs.files << "kunde";
    exp->cmdBericht_Click();
    const QString expected = st->edition.MessDataPath + QStringLiteral("/Berichte/kunde.pdf");
    EXPECT_TRUE(dialogs.lastFolder.startsWith(st->edition.MessDataPath + "/Berichte/Prüfbericht_FE-Speicher_"));
    EXPECT_EQ(desktop.opened, QStringList{expected});
    EXPECT_TRUE(QFileInfo(expected).size() > 1000);
}
