#include "ExportFixture.h"

namespace Projekt = ctl::frmProjekt;

// Expected texts are written out from the report's layout: label widths, blanks and column positions.

namespace {

// A data line: time, 6 blanks, number right in 5, blank, value right in 11, blank, unit in 4, blank, material.
QString line(const QString& zeit, const QString& nr, const QString& wert, const QString& unit, const QString& mat)
{
    return crlf(zeit + blanks(6) + blanks(5 - nr.size()) + nr + QLatin1Char(' ') + blanks(11 - wert.size()) + wert +
                QLatin1Char(' ') + unit + QLatin1Char(' ') + mat);
}

// A statistics figure line: label filled to 16, the figure right in 11, blank, unit.
QString figure(const QString& label, const QString& value, const QString& unit)
{
    return crlf(label + blanks(16 - label.size()) + blanks(11 - value.size()) + value + QLatin1Char(' ') + unit);
}

QString count(const QString& label, int n)
{
    const QString v = QString::number(n);
    return crlf(label + blanks(16 - label.size()) + blanks(8 - v.size()) + v);
}

} // namespace

using ReportTest = ExportFixture;

TEST_F(ReportTest, EnglishReportWithoutProjectOrLimits)
{
    st->texte.sprache = 1;
    table->TabelleFormatieren();
    addAll({10.0, 12.25});
    const QString um = QStringLiteral("µm  ");
    const QString expected =
        crlf(QStringLiteral("FE-Memory")) + crlf(QString()) + crlf(QStringLiteral("Statistics:")) + crlf(QString()) +
        count(QStringLiteral("Number"), 2) + figure(QStringLiteral("Minimum"), QStringLiteral("10.0"), um) +
        figure(QStringLiteral("Maximum"), QStringLiteral("12.3"), um) +
        figure(QStringLiteral("Average"), QStringLiteral("11.1"), um) +
        figure(QStringLiteral("Std.Deviation"), QStringLiteral("1.6"), um) + crlf(QString()) + crlf(QString()) +
        crlf(QStringLiteral("01.02.2024       No.      Value")) + crlf(QString()) +
        line(QStringLiteral("10:00:00"), QStringLiteral("1"), QStringLiteral("10.0"), um, QStringLiteral(" Fe")) +
        line(QStringLiteral("10:00:00"), QStringLiteral("2"), QStringLiteral("12.3"), um, QStringLiteral(" Fe"));
    EXPECT_EQ(exp->BuildReport(QStringLiteral("A")), expected);
    EXPECT_EQ(exp->reportText, expected);

    // "P": project block, table name and statistics heading only.
    EXPECT_EQ(exp->BuildReport(QStringLiteral("P")), QStringLiteral("FE-Memory\r\n\r\nStatistics:\r\n\r\n"));
    EXPECT_EQ(exp->BuildReport(QStringLiteral("X")), QString());

    // The file holds the report and one more line end, in Windows-1252: "µ" is the single byte 0xB5.
    save(QStringLiteral("plain"));
    const QByteArray bytes = mesFile("plain.mes");
    EXPECT_EQ(bytes, shell::TextFile::encode(expected + QStringLiteral("\r\n")));
    EXPECT_TRUE(bytes.contains("\xB5m    Fe\r\n"));
    EXPECT_FALSE(bytes.contains("\xC2\xB5"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

class GermanReportTest : public ExportFixture
{
protected:
    GermanReportTest() : ExportFixture("de_DE.UTF-8") {}
};

TEST_F(GermanReportTest, ProjectLimitsTargetAndAbsoluteValues)
{
    testsupport::Sandbox::writeFile(st->edition.MessDataPath + QStringLiteral("/Projekt.ini"),
                                    shell::TextFile::encode(QStringLiteral("# Felder\r\nBaustelle;Site;\r\n#\r\n"
                                                                           "Objekt;Object;\r\nPrüfer;Inspector;\r\n")));
    testsupport::Sandbox::writeFile(st->edition.AppDataPath + QStringLiteral("/Projektdaten.ini"),
                                    shell::TextFile::encode(QStringLiteral("Nord\r\n\r\nMeier\r\n\r\n\r\n\r\n"
                                                                           "DT 05.03.2024;09:07\r\n")));
    exp->cmdProjekt_Click();
    st->forms[Projekt::form].setText(Projekt::txtFelder(5), QStringLiteral(" "));

    st->device.geraet = QStringLiteral("VX5");
    st->edition.signMode = QStringLiteral("-");
    st->absolut = true;
    st->limits = {10, 20, 15, false, "10", "20", "15"};
    const QString g = QStringLiteral("G   ");
    add({.wert = 10.5, .einheit = g});
    add({.wert = -12.0, .einheit = g});

    const QString expected =
        crlf(QStringLiteral("#  05.03.2024 09:07")) + crlf(QStringLiteral("#  Baustelle Nord")) +
        crlf(QStringLiteral("#  Prüfer Meier")) + crlf(QString()) + crlf(QStringLiteral("FE-Speicher")) +
        crlf(QString()) + crlf(QStringLiteral("Statistik:  mit Absolutwerten")) + crlf(QString()) +
        count(QStringLiteral("Anzahl"), 2) + figure(QStringLiteral("Minimum"), QStringLiteral("10,5"), g) +
        figure(QStringLiteral("Maximum"), QStringLiteral("12,0"), g) +
        figure(QStringLiteral("Mittelwert"), QStringLiteral("11,3"), g) +
        figure(QStringLiteral("Std.Abweichung"), QStringLiteral("1,1"), g) + crlf(QString()) +
        crlf(QStringLiteral("Min Limit   ") + blanks(5) + blanks(6) + QStringLiteral("10 G   ")) +
        crlf(QStringLiteral("Max Limit   ") + blanks(5) + blanks(6) + QStringLiteral("20 G   ")) +
        crlf(QStringLiteral("Sollwert    ") + blanks(5) + blanks(6) + QStringLiteral("15 G   ")) + crlf(QString()) +
        crlf(QStringLiteral("01.02.2024       Nr.      Messwert")) + crlf(QString()) +
        line(QStringLiteral("10:00:00"), QStringLiteral("1"), QStringLiteral("10,5"), g, QStringLiteral(" Fe")) +
        line(QStringLiteral("10:00:00"), QStringLiteral("2"), QStringLiteral("-12,0"), g, QStringLiteral(" Fe"));
    EXPECT_EQ(exp->BuildReport(QStringLiteral("A")), expected);

    // English labels of the limits stay; the target label and the headings follow the language.
    st->texte.sprache = 1;
    table->TabelleFormatieren();
    const QString en = exp->BuildReport(QStringLiteral("A"));
    EXPECT_TRUE(en.contains(QStringLiteral("\r\nMin Limit   ") + blanks(11) + QStringLiteral("10 G   \r\n")) &&
                en.contains(QStringLiteral("\r\nTarget value") + blanks(11) + QStringLiteral("15 G   \r\n")) &&
                en.contains(QStringLiteral("\r\nStatistics:  with absolute values\r\n")));

    // Only the target set: no limit lines, but the target line.
    st->limits.Emin = st->limits.Emax = 0;
    const QString onlyTarget = exp->BuildReport(QStringLiteral("A"));
    EXPECT_FALSE(onlyTarget.contains(QStringLiteral("Limit")));
    EXPECT_TRUE(onlyTarget.contains(QStringLiteral("Target value")));
}

TEST_F(ReportTest, MixedUnitsWideFieldsAndEightyTwentyLine)
{
    st->texte.sprache = 1;
    table->TabelleFormatieren();
    const QString nfe = QStringLiteral("NFe");
    add({.wert = 123456.75, .nr = 12345, .material = nfe, .zeit = QStringLiteral("08:15:30")});
    add({.wert = 0.25,
         .nr = -12345,
         .einheit = QStringLiteral("mVs "),
         .material = nfe,
         .zeit = QStringLiteral("08:15:31")});
    add({.wert = 123456789012.0,
         .nr = 3,
         .einheit = QStringLiteral("kA/m"),
         .material = nfe,
         .zeit = QStringLiteral("08:15:32")});
    const QString report = exp->BuildReport(QStringLiteral("A"));
    const QString tail = QStringLiteral("Statistics:\r\n\r\n") + crlf(QStringLiteral(" Statistics not possible")) +
                         crlf(QStringLiteral(" cause of different")) + crlf(QStringLiteral(" measurement units")) +
                         crlf(QString()) + crlf(QString()) + crlf(QStringLiteral("01.02.2024       No.      Value")) +
                         crlf(QString()) +
                         crlf(QStringLiteral("08:15:30") + blanks(6) + QStringLiteral("12345") + blanks(4) +
                              QStringLiteral("123456.8 µm   NFe")) +
                         // A number of six characters and a value of more than 11 push the later columns right.
                         crlf(QStringLiteral("08:15:31") + blanks(6) + QStringLiteral("-12345") + blanks(7) +
                              QStringLiteral("0.250 mVs  NFe")) +
                         crlf(QStringLiteral("08:15:32") + blanks(6) + blanks(4) + QStringLiteral("3 ") +
                              QStringLiteral("123456789012.00 kA/m NFe"));
    EXPECT_TRUE(report.endsWith(tail)) << report.toStdString();

    // 80/20 rule on: the statistics block is the list from its fifth line on, the 80/20 line included.
    table->MessdatenLoeschen();
    table->StatistikZuruecksetzen();
    st->limits = {80, 120, 100, true, "80", "120", "100"};
    addAll({85, 110});
    const QStringList list = st->main().items(Main::lstStat);
    ASSERT_GT(list.size(), 5);
    ASSERT_TRUE(list.last().startsWith(QStringLiteral("80/20 rule ok:")));
    QString block = QStringLiteral("Statistics:\r\n\r\n");
    for (qsizetype i = 4; i < list.size(); ++i)
        block += crlf(list.at(i));
    block += crlf(QString());
    block += crlf(QStringLiteral("Min Limit   ") + blanks(5) + blanks(6) + QStringLiteral("80 µm  "));
    block += crlf(QStringLiteral("Max Limit   ") + blanks(5) + blanks(5) + QStringLiteral("120 µm  "));
    block += crlf(QStringLiteral("Target value") + blanks(5) + blanks(5) + QStringLiteral("100 µm  "));
    EXPECT_TRUE(exp->BuildReport(QStringLiteral("A")).contains(block));
}
