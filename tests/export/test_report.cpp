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
    const QString um = "µm  ";
    const QString expected = crlf("FE-Memory") + crlf(QString()) + crlf("Statistics:") + crlf(QString()) +
                             count("Number", 2) + figure("Minimum", "10.0", um) + figure("Maximum", "12.3", um) +
                             figure("Average", "11.1", um) + figure("Std.Deviation", "1.6", um) + crlf(QString()) +
                             crlf(QString()) + crlf("01.02.2024       No.      Value") + crlf(QString()) +
                             line("10:00:00", "1", "10.0", um, " Fe") + line("10:00:00", "2", "12.3", um, " Fe");
    EXPECT_EQ(exp->BuildReport("A"), expected);
    EXPECT_EQ(exp->reportText, expected);

    // "P": project block, table name and statistics heading only.
    EXPECT_EQ(exp->BuildReport("P"), "FE-Memory\r\n\r\nStatistics:\r\n\r\n");
    EXPECT_EQ(exp->BuildReport("X"), QString());

    // The file holds the report and one more line end, in Windows-1252: "µ" is the single byte 0xB5.
    save("plain");
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
                                    shell::TextFile::encode("# Felder\r\nBaustelle;Site;\r\n#\r\n"
                                                            "Objekt;Object;\r\nPrüfer;Inspector;\r\n"));
    testsupport::Sandbox::writeFile(st->edition.AppDataPath + QStringLiteral("/Projektdaten.ini"),
                                    shell::TextFile::encode("Nord\r\n\r\nMeier\r\n\r\n\r\n\r\n"
                                                            "DT 05.03.2024;09:07\r\n"));
    exp->cmdProjekt_Click();
    st->forms[Projekt::form].setText(Projekt::txtFelder(5), " ");

    st->device.geraet = "VX5";
    st->edition.signMode = "-";
    st->absolut = true;
    st->limits = {10, 20, 15, false, "10", "20", "15"};
    const QString g = "G   ";
    add({.wert = 10.5, .einheit = g});
    add({.wert = -12.0, .einheit = g});

    const QString expected = crlf("#  05.03.2024 09:07") + crlf("#  Baustelle Nord") + crlf("#  Prüfer Meier") +
                             crlf(QString()) + crlf("FE-Speicher") + crlf(QString()) +
                             crlf("Statistik:  mit Absolutwerten") + crlf(QString()) + count("Anzahl", 2) +
                             figure("Minimum", "10,5", g) + figure("Maximum", "12,0", g) +
                             figure("Mittelwert", "11,3", g) + figure("Std.Abweichung", "1,1", g) + crlf(QString()) +
                             crlf(QStringLiteral("Min Limit   ") + blanks(5) + blanks(6) + QStringLiteral("10 G   ")) +
                             crlf(QStringLiteral("Max Limit   ") + blanks(5) + blanks(6) + QStringLiteral("20 G   ")) +
                             crlf(QStringLiteral("Sollwert    ") + blanks(5) + blanks(6) + QStringLiteral("15 G   ")) +
                             crlf(QString()) + crlf("01.02.2024       Nr.      Messwert") + crlf(QString()) +
                             line("10:00:00", "1", "10,5", g, " Fe") + line("10:00:00", "2", "-12,0", g, " Fe");
    EXPECT_EQ(exp->BuildReport("A"), expected);

    // English labels of the limits stay; the target label and the headings follow the language.
    st->texte.sprache = 1;
    table->TabelleFormatieren();
    const QString en = exp->BuildReport("A");
    EXPECT_TRUE(en.contains(QStringLiteral("\r\nMin Limit   ") + blanks(11) + QStringLiteral("10 G   \r\n")) &&
                en.contains(QStringLiteral("\r\nTarget value") + blanks(11) + QStringLiteral("15 G   \r\n")) &&
                en.contains("\r\nStatistics:  with absolute values\r\n"));

    // Only the target set: no limit lines, but the target line.
    st->limits.Emin = st->limits.Emax = 0;
    const QString onlyTarget = exp->BuildReport("A");
    EXPECT_FALSE(onlyTarget.contains("Limit"));
    EXPECT_TRUE(onlyTarget.contains("Target value"));
}

TEST_F(ReportTest, MixedUnitsWideFieldsAndEightyTwentyLine)
{
    st->texte.sprache = 1;
    table->TabelleFormatieren();
    const QString nfe = "NFe";
    add({.wert = 123456.75, .nr = 12345, .material = nfe, .zeit = "08:15:30"});
    add({.wert = 0.25, .nr = -12345, .einheit = "mVs ", .material = nfe, .zeit = "08:15:31"});
    add({.wert = 123456789012.0, .nr = 3, .einheit = "kA/m", .material = nfe, .zeit = "08:15:32"});
    const QString report = exp->BuildReport("A");
    const QString tail = QStringLiteral("Statistics:\r\n\r\n") + crlf(" Statistics not possible") +
                         crlf(" cause of different") + crlf(" measurement units") + crlf(QString()) + crlf(QString()) +
                         crlf("01.02.2024       No.      Value") + crlf(QString()) +
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
    ASSERT_TRUE(list.last().startsWith("80/20 rule ok:"));
    QString block = "Statistics:\r\n\r\n";
    for (qsizetype i = 4; i < list.size(); ++i)
        block += crlf(list.at(i));
    block += crlf(QString());
    block += crlf(QStringLiteral("Min Limit   ") + blanks(5) + blanks(6) + QStringLiteral("80 µm  "));
    block += crlf(QStringLiteral("Max Limit   ") + blanks(5) + blanks(5) + QStringLiteral("120 µm  "));
    block += crlf(QStringLiteral("Target value") + blanks(5) + blanks(5) + QStringLiteral("100 µm  "));
    EXPECT_TRUE(exp->BuildReport("A").contains(block));
}
