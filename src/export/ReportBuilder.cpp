#include "ReportBuilder.h"

#include "DataLineCache.h"

#include "shell/AppState.h"
#include "shell/MemoryNames.h"
#include "shell/Numbers.h"
#include "table/TableSession.h"
#include "table/TextAlign.h"
#include "table/ValueFormat.h"

#include <QDate>
#include <QTime>

namespace Projekt = ctl::frmProjekt;

namespace reports {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool hasText(const QString& s)
{
    return !s.isEmpty() && s != QLatin1String(" ");
}

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

// "Min Limit   " and the other 12-character labels, then the value right-aligned from column 18.
QString limitLine(const QString& label, const QString& value, const QString& unit)
{
    return label + blanks(5) + table::Ausrichten(8, value) + QLatin1Char(' ') + unit + kCrLf;
}

} // namespace

QString ReportBuilder::projectBlock(shell::AppState& st)
{
    shell::FormState& p = st.forms[Projekt::form];
    QString fields[6];
    bool any = false;
    for (int n = 1; n <= 6; ++n) {
        fields[n - 1] = p.text(Projekt::txtFelder(n));
        any = any || hasText(fields[n - 1]);
    }
    if (!any)
        return {};
    const QString dateText = p.text(Projekt::DTPDate);
    const QDate date = QDate::fromString(dateText, QStringLiteral("dd.MM.yyyy"));
    const QTime time = QTime::fromString(p.text(Projekt::DTPTime), QStringLiteral("hh:mm"));
    QString out = QStringLiteral("#  ");
    out += date.isValid() ? shell::Numbers::shortDate(date) : dateText;
    out += QLatin1Char(' ') + (time.isValid() ? time : QTime(0, 0)).toString(QStringLiteral("HH:mm")) + kCrLf;
    for (int n = 1; n <= 6; ++n)
        if (hasText(fields[n - 1]))
            out += QStringLiteral("#  ") + p.text(Projekt::lblFelder(n)) + QLatin1Char(' ') + fields[n - 1] + kCrLf;
    out += kCrLf;
    return out;
}

QString ReportBuilder::valueText(const table::MessRow& row)
{
    // A row numbered 0 whose value shows as 0 would read back as the empty row that ends the table, and every
    // later row would be lost: its value is written in full instead.
    if (row.nr == 0 && row.wert != 0 && table::shownValue(row.wert, table::decimalsForUnit(row.einheit)) == 0)
        return table::Ausrichten(11, table::formatExact(row.wert));
    return table::WertFormatieren(row.wert, row.einheit);
}

QString ReportBuilder::dataLine(const table::MessRow& row)
{
    QString line = row.zeit.leftJustified(8, QLatin1Char(' '), true);
    line.reserve(48);
    line += blanks(6);
    line += table::Ausrichten(5, QString::number(row.nr));
    line += QLatin1Char(' ');
    line += valueText(row);
    line += QLatin1Char(' ');
    // The unit as stored, leading blanks included: they decide the decimals (" mVs" has two), so the unit that
    // comes back must be the same.
    line += row.einheit.leftJustified(4, QLatin1Char(' '), true);
    line += QLatin1Char(' ');
    line += row.material;
    return line;
}

QString ReportBuilder::build(shell::AppState& st, const table::TableSession& tab, const ReportView& of,
                             const QString& kind, DataLineCache* cache)
{
    const bool full = kind == QLatin1String("A");
    if (!full && kind != QLatin1String("P"))
        return {};

    // 1. Project block.
    QString out = projectBlock(st);

    // 2. Table name; 3. statistics heading.
    const int view = of.view;
    out += shell::memoryName(st, view) + kCrLf;
    out += kCrLf + st.texte.stat(shell::Stat::Heading);
    if (st.edition.signMode == QLatin1String("-") && st.absolut)
        out += st.texte.stat(shell::Stat::WithAbsolute);
    out += kCrLf + kCrLf;
    if (!full)
        return out;

    // 4. Statistics lines from the fifth on.
    const QStringList& stat = of.statLines;
    for (qsizetype i = 4; i < stat.size(); ++i)
        out += stat.at(i) + kCrLf;
    out += kCrLf;

    // 5. Limits (labels are the same in both languages); 6. target.
    if (st.limits.Emin != 0 || st.limits.Emax != 0) {
        out += limitLine(QStringLiteral("Min Limit   "), st.limits.EminStr, of.statEinheit);
        out += limitLine(QStringLiteral("Max Limit   "), st.limits.EmaxStr, of.statEinheit);
    }
    if (st.limits.Esoll != 0)
        out += limitLine(st.texte.stat(shell::Stat::Target), st.limits.EsollStr, of.statEinheit);

    // 7. Column heading.
    out += kCrLf + of.datum + blanks(7) + st.msg(shell::Msg::NrHeading) + blanks(6) + st.msg(shell::Msg::ValueHeading) +
           kCrLf + kCrLf;

    // 8. Data lines up to the first empty row.
    if (cache && view >= 0 && view < table::MessdatenStore::kViews) {
        out += cache->lines(tab.Messdaten, view);
    } else if (view >= 0 && view < table::MessdatenStore::kViews) {
        const int n = tab.Messdaten.rowCount(view);
        out.reserve(out.size() + n * 50);
        for (int r = 1; r <= n; ++r)
            out += dataLine(tab.Messdaten.at(view, r)) + kCrLf;
    }
    return out;
}

} // namespace reports
