#include "SpreadsheetExport.h"

#include "shell/Numbers.h"
#include "table/TextAlign.h"
#include "table/ValueFormat.h"

#include <QFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <locale.h>
#include <string>

namespace reports {

const QString SpreadsheetExport::kChartSheet = QStringLiteral("Chart");
const QString SpreadsheetExport::kDataSheet = QStringLiteral("ChartData");

namespace {

constexpr lxw_color_t kMeanColour = 0x0000CD;
constexpr lxw_color_t kLimitColour = 0x00B050;
constexpr lxw_color_t kTargetColour = 0xEE2C2C;
constexpr lxw_color_t kPlotColour = 0xF0F0F0;
constexpr double kChartFontSize = 15;

// libxlsxwriter prints numbers with snprintf, which follows LC_NUMERIC: under a German locale it would write
// "12,5" and the workbook would not open. The "C" numeric locale is set for this thread only, so nothing else
// in the program sees the switch.
class CNumericLocale
{
public:
    CNumericLocale()
    {
        const locale_t base = duplocale(uselocale(nullptr));
        m_c = base ? newlocale(LC_NUMERIC_MASK, "C", base) : nullptr;
        if (m_c)
            m_saved = uselocale(m_c);
        else if (base)
            freelocale(base);
    }
    ~CNumericLocale()
    {
        if (m_c) {
            uselocale(m_saved);
            freelocale(m_c);
        }
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t m_c = nullptr;
    locale_t m_saved = nullptr;
};

QString quotedSheet(QString name)
{
    return QLatin1Char('\'') + name.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

// A column range of a sheet as a chart formula: ='Sheet'!$C$10:$C$20.
std::string columnRange(const QString& sheet, int column, int firstRow, int lastRow)
{
    auto absolute = [](const QString& address) {
        qsizetype digits = 0;
        while (digits < address.size() && !address.at(digits).isDigit())
            ++digits;
        return QLatin1Char('$') + address.left(digits) + QLatin1Char('$') + address.mid(digits);
    };
    const QString formula = QLatin1Char('=') + quotedSheet(sheet) + QLatin1Char('!') +
                            absolute(SpreadsheetExport::CellAddress(firstRow, column)) + QLatin1Char(':') +
                            absolute(SpreadsheetExport::CellAddress(lastRow, column));
    return formula.toStdString();
}

// The number format of the value column by the statistics unit.
const char* valueFormat(const QString& statEinheit)
{
    if (statEinheit.startsWith(QLatin1String("Oe")) || statEinheit.startsWith(QLatin1Char('G')) ||
        statEinheit.startsWith(QStringLiteral("µm")) || statEinheit.startsWith(QLatin1String("A/cm")))
        return "###,##0.0_)";
    if (statEinheit.startsWith(QLatin1String("mVs")))
        return "###,##0.000_)";
    return "###,##0.00_)";
}

// Builds one workbook. Rows and columns are 1-based here, as the cell names are.
class Writer
{
public:
    Writer(const SpreadsheetInput& in, lxw_workbook* wb) : m_in(in), m_wb(wb) {}

    bool run();
    lxw_error error() const { return m_error; }

private:
    enum Column { A = 1, B, C, D, E };

    lxw_format* makeFormat(const char* numFormat);
    lxw_format* formatAt(int row, int col) const;
    void check(lxw_error err)
    {
        if (err != LXW_NO_ERROR && m_error == LXW_NO_ERROR)
            m_error = err;
    }
    void noteWritten(int row, int col);
    void text(int row, int col, const QString& value);
    void number(int row, int col, double value);
    void blank(int row, int col) { check(worksheet_write_blank(m_ws, row - 1, col - 1, formatAt(row, col))); }

    void heading();
    void statistics();
    void table();
    // Columns of the hidden sheet with the constant lines of the chart.
    enum DataColumn { Mean = 1, Max, Min, Target };
    void chart();
    void constantLists(lxw_worksheet* data, int n);
    void line(lxw_chart* ch, const std::string& values, lxw_color_t colour, uint8_t dash, const QString& name);
    void dress(lxw_chart* ch);

    const SpreadsheetInput& m_in;
    lxw_workbook* m_wb;
    lxw_worksheet* m_ws = nullptr;
    lxw_error m_error = LXW_NO_ERROR;
    lxw_format* m_base = nullptr;
    lxw_format* m_count = nullptr;
    lxw_format* m_figure = nullptr;
    lxw_format* m_value = nullptr;
    int m_R = 0;    // first row of the statistics block
    int m_next = 0; // row after it
    int m_H = 0;    // table heading row
    int m_n = 0;    // rows the value format covers
    bool m_figureWritten[9] = {};
    bool m_limits = false;
    bool m_target = false;
    double m_meanCell = 0, m_minLimitCell = 0, m_maxLimitCell = 0, m_targetCell = 0;
};

lxw_format* Writer::makeFormat(const char* numFormat)
{
    lxw_format* f = workbook_add_format(m_wb);
    format_set_font_name(f, "Lucida Console");
    format_set_font_size(f, 10);
    format_set_bold(f);
    if (numFormat)
        format_set_num_format(f, numFormat);
    return f;
}

// Number formats belong to cell ranges, whatever is written there later (a text keeps its text).
lxw_format* Writer::formatAt(int row, int col) const
{
    if (col == B && row == m_R)
        return m_count;
    if (col == B && row > m_R && row <= m_R + 8)
        return m_figure;
    if (col == C && m_H > 0 && row >= m_H + 2 && row <= m_H + 1 + m_n)
        return m_value;
    return m_base;
}

void Writer::noteWritten(int row, int col)
{
    if (col == B && row >= m_R && row <= m_R + 8)
        m_figureWritten[row - m_R] = true;
}

void Writer::text(int row, int col, const QString& value)
{
    if (value.isEmpty())
        return;
    noteWritten(row, col);
    check(worksheet_write_string(m_ws, row - 1, col - 1, value.toStdString().c_str(), formatAt(row, col)));
}

void Writer::number(int row, int col, double value)
{
    noteWritten(row, col);
    check(worksheet_write_number(m_ws, row - 1, col - 1, value, formatAt(row, col)));
}

bool Writer::run()
{
    m_ws = workbook_add_worksheet(m_wb, m_in.sheetName.toStdString().c_str());
    if (!m_ws)
        return false;
    m_base = makeFormat(nullptr);
    m_count = makeFormat("###0_______)");
    m_figure = makeFormat("###,##0.00_)");
    m_value = makeFormat(valueFormat(m_in.statEinheit));

    // The font of every cell, written or not, comes from the column formats.
    check(worksheet_set_column(m_ws, 0, 0, 50, m_base));
    check(worksheet_set_column(m_ws, 1, 1, LXW_DEF_COL_WIDTH, m_base));
    check(worksheet_set_column(m_ws, 2, 2, 17, m_base));
    check(worksheet_set_column(m_ws, 3, 3, 15, m_base));
    check(worksheet_set_column(m_ws, 4, LXW_COL_MAX - 1, LXW_DEF_COL_WIDTH, m_base));

    heading();
    statistics();
    table();
    if (m_in.withChart && m_in.statisticsPossible)
        chart();
    return m_error == LXW_NO_ERROR;
}

void Writer::heading()
{
    // Only text ended by CR LF is a line.
    const QStringList parts = m_in.headingReport.split(QStringLiteral("\r\n"));
    int row = 1;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i, ++row)
        text(row, A, shell::Numbers::trimBlanks(parts.at(i)));
    m_R = row;
}

void Writer::statistics()
{
    int row = m_R;
    if (!m_in.statisticsPossible) {
        for (qsizetype i = 0; i < m_in.mixedUnitLines.size() && i < 3; ++i)
            text(m_R + int(i), A, m_in.mixedUnitLines.at(i));
        m_next = m_R + 5;
    } else {
        const QString& unit = m_in.statEinheit;
        auto figure = [&](const QString& label, double value) {
            text(row, A, label);
            number(row, B, value);
            text(row, C, unit);
            ++row;
            return value;
        };
        text(row, A, m_in.countLabel);
        number(row, B, m_in.statZaehler);
        ++row;
        figure(m_in.minLabel, SpreadsheetExport::round2(m_in.absolut ? m_in.minabs : m_in.min));
        figure(m_in.maxLabel, SpreadsheetExport::round2(m_in.absolut ? m_in.maxabs : m_in.max));
        m_meanCell = figure(m_in.meanLabel, SpreadsheetExport::round2(m_in.absolut ? m_in.meanabs : m_in.mean));
        if (m_in.aktZeile > 2)
            figure(m_in.devLabel, SpreadsheetExport::round2(m_in.stdabw));
        text(row, A, m_in.rule8020Label);
        text(row, B, m_in.Text8020);
        text(row, C, m_in.ruleFigure);
        ++row;
        for (const auto& [label, value] : m_in.ruleRows) {
            text(row, A, label);
            text(row, B, value);
            ++row;
        }
        m_limits = m_in.Emin != 0 || m_in.Emax != 0;
        if (m_limits) {
            // These two labels are the same in both languages.
            m_minLimitCell = figure(QStringLiteral("Min Limit"), SpreadsheetExport::round2(m_in.Emin));
            m_maxLimitCell = figure(QStringLiteral("Max Limit"), SpreadsheetExport::round2(m_in.Emax));
        }
        m_target = m_in.Esoll != 0;
        if (m_target)
            m_targetCell = figure(m_in.targetLabel, SpreadsheetExport::round2(m_in.Esoll));
        m_next = row;
    }
    m_H = m_next + 2;
    m_n = std::max(0, m_in.aktZeile);
}

void Writer::table()
{
    const int H = m_H;
    for (int col = A; col <= D; ++col)
        text(H, col, m_in.headings[col - 1]);
    if (m_in.materialMode != QLatin1String("0"))
        text(H, E, QStringLiteral("Material"));

    int i = 1;
    for (; i <= m_n && i <= int(m_in.rows.size()); ++i) {
        const SpreadsheetInput::Row& r = m_in.rows[i - 1];
        if (r.wert == 0 && r.nr == 0)
            break;
        const int row = H + 1 + i;
        text(row, A, QLatin1Char(' ') + r.zeit);
        text(row, B, table::Ausrichten(4, QString::number(r.nr)));
        // The value as the table shows it, read back as a number in the user's format.
        const QString shown = table::WertFormatieren(m_in.absolut ? std::fabs(r.wert) : r.wert, r.einheit);
        double value = 0;
        if (shell::Numbers::parseNumber(shown, value))
            number(row, C, value);
        else
            text(row, C, shown.trimmed());
        text(row, D, r.einheit.left(10));
        text(row, E, shell::Numbers::trimBlanks(r.material.left(10)));
    }
    // Formatted cells without content keep their format, as a formatted range does.
    for (; i <= m_n; ++i)
        blank(H + 1 + i, C);
    for (int row = m_R; row <= m_R + 8; ++row)
        if (!m_figureWritten[row - m_R])
            blank(row, B);
}

void Writer::chart()
{
    const int n = std::max(1, m_n);
    lxw_chartsheet* sheet = workbook_add_chartsheet(m_wb, SpreadsheetExport::kChartSheet.toStdString().c_str());
    lxw_worksheet* data = workbook_add_worksheet(m_wb, SpreadsheetExport::kDataSheet.toStdString().c_str());
    lxw_chart* ch = workbook_add_chart(m_wb, LXW_CHART_LINE);
    if (!data || !sheet || !ch) {
        check(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return;
    }
    worksheet_hide(data);

    constantLists(data, n);
    line(ch, columnRange(m_in.sheetName, C, m_H + 2, m_H + 1 + n), LXW_COLOR_BLACK, LXW_CHART_LINE_DASH_SOLID,
         QString());
    line(ch, columnRange(SpreadsheetExport::kDataSheet, Mean, 1, n), kMeanColour, LXW_CHART_LINE_DASH_ROUND_DOT,
         m_in.meanLabel);
    if (m_limits) {
        line(ch, columnRange(SpreadsheetExport::kDataSheet, Max, 1, n), kLimitColour, LXW_CHART_LINE_DASH_DASH,
             m_in.maxLabel);
        line(ch, columnRange(SpreadsheetExport::kDataSheet, Min, 1, n), kLimitColour, LXW_CHART_LINE_DASH_DASH,
             m_in.minLabel);
    }
    // Set up as the series just added, so a target without limits gets its name and colour as well.
    if (m_target)
        line(ch, columnRange(SpreadsheetExport::kDataSheet, Target, 1, n), kTargetColour, LXW_CHART_LINE_DASH_DASH,
             m_in.targetLabel);

    dress(ch);
    check(chartsheet_set_chart(sheet, ch));
    chartsheet_activate(sheet);
}

// The constant lists, one column each: mean, maximum, minimum, target. The X list 1 .. n is the category axis a
// line chart has anyway.
void Writer::constantLists(lxw_worksheet* data, int n)
{
    for (int i = 1; i <= n; ++i) {
        check(worksheet_write_number(data, i - 1, Mean - 1, m_meanCell, nullptr));
        if (m_limits) {
            check(worksheet_write_number(data, i - 1, Max - 1, m_maxLimitCell, nullptr));
            check(worksheet_write_number(data, i - 1, Min - 1, m_minLimitCell, nullptr));
        }
        if (m_target)
            check(worksheet_write_number(data, i - 1, Target - 1, m_targetCell, nullptr));
    }
}

void Writer::line(lxw_chart* ch, const std::string& values, lxw_color_t colour, uint8_t dash, const QString& name)
{
    lxw_chart_series* s = chart_add_series(ch, nullptr, values.c_str());
    if (!s) {
        check(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return;
    }
    lxw_chart_line line{};
    line.color = colour;
    line.dash_type = dash;
    chart_series_set_line(s, &line);
    chart_series_set_marker_type(s, LXW_CHART_MARKER_NONE);
    if (name.isEmpty())
        return;
    chart_series_set_name(s, name.toStdString().c_str());
    // A constant line keeps no copy of its values in the chart part (spreadsheet programs read the cells):
    // thousands of copies of one number took as long to write as the rest of the workbook.
    s->values->ignore_cache = LXW_TRUE;
}

// Title, axis names, fonts, legend and fills.
void Writer::dress(lxw_chart* ch)
{
    // There is no chart-wide font: the size goes on every text of the chart.
    lxw_chart_font font{};
    font.size = kChartFontSize;
    font.color = LXW_COLOR_BLACK;
    lxw_chart_font bold = font;
    bold.bold = LXW_TRUE;
    const std::string title = m_in.firstStatLine.trimmed().toStdString();
    if (!title.empty())
        chart_title_set_name(ch, title.c_str());
    chart_title_set_name_font(ch, &bold);
    chart_axis_set_name(ch->y_axis, m_in.sheetName.toStdString().c_str());
    chart_axis_set_name(ch->x_axis, m_in.countLabel.toStdString().c_str());
    for (lxw_chart_axis* axis : {ch->x_axis, ch->y_axis}) {
        chart_axis_set_name_font(axis, &bold);
        chart_axis_set_num_font(axis, &font);
    }
    chart_legend_set_position(ch, LXW_CHART_LEGEND_BOTTOM);
    chart_legend_set_font(ch, &font);

    lxw_chart_fill plot{};
    plot.color = kPlotColour;
    chart_plotarea_set_fill(ch, &plot);
    lxw_chart_fill none{};
    none.none = LXW_TRUE;
    chart_chartarea_set_fill(ch, &none);
}

} // namespace

QString SpreadsheetExport::CellAddress(int row, int column)
{
    const int q = (column - 1) / 26;
    QString name(QChar(u'A' + (column - 1) % 26));
    if (q >= 1)
        name.prepend(QChar(u'A' + q - 1));
    return name + QString::number(row);
}

double SpreadsheetExport::round2(double value)
{
    const double scaled = shell::Numbers::decimal15(value * 100);
    return std::nearbyint(scaled) / 100;
}

OutputResult SpreadsheetExport::write(const SpreadsheetInput& in, const QString& path)
{
    const CNumericLocale cNumbers;
    // Written beside the target and renamed, so a failure leaves an existing file as it was.
    const QString part = path + QStringLiteral(".part");
    const QByteArray partName = QFile::encodeName(part);
    lxw_workbook* wb = workbook_new(partName.constData());
    if (!wb)
        return OutputResult::failure(QString::fromUtf8(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED)));

    QString failure;
    const lxw_error nameError = workbook_validate_sheet_name(wb, in.sheetName.toStdString().c_str());
    if (nameError != LXW_NO_ERROR) {
        failure = QString::fromUtf8(lxw_strerror(nameError));
    } else {
        Writer writer(in, wb);
        if (!writer.run())
            failure = QString::fromUtf8(lxw_strerror(writer.error()));
    }
    const lxw_error closed = workbook_close(wb);
    if (failure.isEmpty() && closed != LXW_NO_ERROR)
        failure = QString::fromUtf8(lxw_strerror(closed));
    if (!failure.isEmpty()) {
        QFile::remove(part);
        return OutputResult::failure(failure);
    }
    if (std::rename(partName.constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(part);
        return OutputResult::failure(reason);
    }
    return {};
}

} // namespace reports
