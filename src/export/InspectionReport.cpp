#include "InspectionReport.h"

#include "chart/ChartPainter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace reports {

namespace {

using Content = InspectionReport::Content;

// DejaVu Sans comes with every Debian desktop (fonts-dejavu-core) and has every character a report needs (µ, Ø,
// umlauts); the PDF embeds the glyphs used.
QFont reportFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The readings' rows: DejaVu Sans Mono, so a row's cells line up as one line of text.
QFont monoFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

const QColor kGrey(90, 90, 90);
const QColor kRule(160, 160, 160);

// Lays the report out page by page. Run twice: without a painter to count the pages, then to paint them.
class Layout
{
public:
    Layout(const Content& c, QPagedPaintDevice& device, QPainter* painter, int pages)
        : m_c(c), m_device(device), m_p(painter), m_pages(pages), u(device.logicalDpiY() / 72.0),
          m_area(0, 0, device.width(), device.height()), m_body(reportFont(8.5)), m_bold(reportFont(8.5, true)),
          m_small(reportFont(7)), m_rows(monoFont(7)), m_rowsBold(monoFont(7, true)), m_heading(reportFont(10, true)),
          m_title(reportFont(15, true)), m_verdict(reportFont(20, true))
    {
    }

    bool run()
    {
        startPage();
        head();
        infoBlocks();
        evaluation();
        charts();
        readings();
        return !m_failed;
    }
    int pages() const { return m_page; }

private:
    double pt(double points) const { return points * u; }
    QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, &m_device); }
    double bottom() const { return m_area.bottom() - pt(16); }

    void text(const QFont& f, double x, double baseline, const QString& t, const QColor& colour = Qt::black)
    {
        if (!m_p || t.isEmpty())
            return;
        m_p->setFont(f);
        m_p->setPen(colour);
        m_p->drawText(QPointF(x, baseline), t);
    }
    void rightText(const QFont& f, double right, double baseline, const QString& t)
    {
        text(f, right - metrics(f).horizontalAdvance(t), baseline, t);
    }
    // Word-wrapped text in a column; returns its height.
    double wrapped(const QFont& f, const QRectF& r, const QString& t, bool paint, int flags = 0)
    {
        const QRectF need =
            metrics(f).boundingRect(QRectF(r.left(), r.top(), r.width(), 1e9), Qt::TextWordWrap | flags, t);
        if (paint && m_p && !t.isEmpty()) {
            m_p->setFont(f);
            m_p->setPen(Qt::black);
            m_p->drawText(QRectF(r.left(), r.top(), r.width(), need.height()), Qt::TextWordWrap | flags, t);
        }
        return need.height();
    }
    void hline(double y, const QColor& colour = kRule)
    {
        if (m_p) {
            m_p->setPen(QPen(colour, pt(0.5)));
            m_p->drawLine(QPointF(m_area.left(), y), QPointF(m_area.right(), y));
        }
    }

    void startPage()
    {
        m_y = m_area.top();
        if (m_page > 1) {
            // A running head: the report and the table, so a loose page is still known.
            const QFontMetricsF fm = metrics(m_small);
            text(m_small, m_area.left(), m_y + fm.ascent(), m_c.title + QStringLiteral(" – ") + m_c.edition, kGrey);
            m_y += fm.lineSpacing() + pt(2);
            hline(m_y);
            m_y += pt(6);
        }
        const QFontMetricsF fm = metrics(m_small);
        const double base = m_area.bottom() - fm.descent();
        hline(base - fm.ascent() - pt(3));
        text(m_small, m_area.left(), base, m_c.footer, kGrey);
        const QString page = QString(m_c.pageText).arg(m_page).arg(std::max(m_pages, m_page));
        if (m_p) {
            m_p->setFont(m_small);
            m_p->setPen(kGrey);
            m_p->drawText(QPointF(m_area.right() - fm.horizontalAdvance(page), base), page);
        }
    }
    void newPage()
    {
        if (m_p && !m_device.newPage())
            m_failed = true;
        ++m_page;
        startPage();
    }
    void ensure(double height)
    {
        if (m_y + height > bottom())
            newPage();
    }

    void head()
    {
        // The title's line lies below the two date lines at the right, so a long title does not run into them.
        const double height = pt(40);
        double x = m_area.left();
        QImage logo;
        if (!m_c.logoPath.isEmpty() && logo.load(m_c.logoPath) && !logo.isNull()) {
            const double w = pt(34) * logo.width() / logo.height();
            if (m_p)
                m_p->drawImage(QRectF(x, m_y + pt(3), w, pt(34)), logo);
            x += w + pt(10);
        }
        const QFontMetricsF small = metrics(m_body);
        text(m_bold, x, m_y + small.ascent(), m_c.edition, kGrey);
        text(m_title, x, m_y + height - metrics(m_title).descent(), m_c.title);
        rightText(m_body, m_area.right(), m_y + small.ascent(),
                  m_c.measuredLabel + QStringLiteral(": ") + m_c.measured);
        rightText(m_body, m_area.right(), m_y + small.ascent() + small.lineSpacing(),
                  m_c.createdLabel + QStringLiteral(": ") + m_c.created);
        m_y += height + pt(5);
        hline(m_y, Qt::black);
        m_y += pt(8);
    }

    // A heading and label: value lines in a column; returns the height used.
    double lines(const QString& heading, const QList<InspectionReport::Line>& list, const QRectF& column, bool paint)
    {
        const QFontMetricsF hm = metrics(m_heading);
        double y = column.top();
        if (!heading.isEmpty()) {
            if (paint)
                text(m_heading, column.left(), y + hm.ascent(), heading);
            y += hm.lineSpacing() + pt(2);
        }
        double labelWidth = 0;
        for (const auto& l : list)
            labelWidth = std::max(labelWidth, metrics(m_bold).horizontalAdvance(l.first + QLatin1Char(':')) + 1);
        labelWidth = std::min(labelWidth, column.width() * 0.62);
        for (const auto& l : list) {
            const double gap = pt(6);
            const QRectF value(column.left() + labelWidth + gap, y, column.width() - labelWidth - gap, 0);
            const double h = std::max(wrapped(m_body, value, l.second, paint),
                                      wrapped(m_bold, QRectF(column.left(), y, labelWidth, 0),
                                              l.first.isEmpty() ? l.first : l.first + QLatin1Char(':'), paint));
            y += h + pt(1);
        }
        return y - column.top();
    }

    void infoBlocks()
    {
        const double gap = pt(16);
        const double w = (m_area.width() - gap) / 2;
        const QRectF left(m_area.left(), m_y, w, 0);
        const QRectF right(m_area.left() + w + gap, m_y, w, 0);
        const double h = std::max(lines(m_c.projectHeading, m_c.project, left, false),
                                  lines(m_c.gaugeHeading, m_c.gauge, right, false));
        ensure(h);
        lines(m_c.projectHeading, m_c.project, QRectF(left.left(), m_y, w, 0), true);
        lines(m_c.gaugeHeading, m_c.gauge, QRectF(right.left(), m_y, w, 0), true);
        m_y += h + pt(8);
    }

    void evaluation()
    {
        const QFontMetricsF hm = metrics(m_heading);
        const double gap = pt(12);
        const double boxWidth = m_area.width() * 0.28;
        const double w = m_area.width() - boxWidth - 2 * gap;
        const QRectF criteria(m_area.left(), 0, w * 0.54, 0);
        const QRectF figures(m_area.left() + w * 0.54 + gap, 0, w * 0.46, 0);
        const QRectF box(m_area.right() - boxWidth, 0, boxWidth, 0);
        const double top = hm.lineSpacing() + pt(2);
        const double h = std::max({lines(QString(), m_c.criteria, criteria, false),
                                   lines(QString(), m_c.figures, figures, false), verdict(box, false)});
        ensure(top + h);
        text(m_heading, m_area.left(), m_y + hm.ascent(), m_c.evaluationHeading);
        m_y += top;
        lines(QString(), m_c.criteria, criteria.translated(0, m_y), true);
        lines(QString(), m_c.figures, figures.translated(0, m_y), true);
        verdict(box.translated(0, m_y), true);
        m_y += h + pt(8);
    }

    // The verdict in a box of its colour, the reasons under it.
    double verdict(const QRectF& r, bool paint)
    {
        const QFontMetricsF vm = metrics(m_verdict);
        const double boxHeight = vm.height() + pt(10);
        double y = r.top() + boxHeight + pt(4);
        for (const QString& t : m_c.reasons + m_c.notes)
            y += wrapped(m_body, QRectF(r.left(), y, r.width(), 0), t, paint) + pt(1);
        if (!paint || !m_p)
            return y - r.top();
        QColor ink(kGrey);
        QColor fill(235, 235, 235);
        if (m_c.verdict == InspectionReport::Verdict::Pass)
            ink = QColor(0, 120, 0), fill = QColor(218, 244, 216);
        else if (m_c.verdict == InspectionReport::Verdict::Fail)
            ink = QColor(190, 0, 0), fill = QColor(252, 222, 222);
        const QRectF frame(r.left(), r.top(), r.width(), boxHeight);
        m_p->setPen(QPen(ink, pt(1.5)));
        m_p->setBrush(fill);
        m_p->drawRoundedRect(frame, pt(4), pt(4));
        m_p->setBrush(Qt::NoBrush);
        QFont f = m_verdict;
        // A long verdict ("NICHT ERFÜLLT") still fits its box.
        const double need = vm.horizontalAdvance(m_c.verdictText);
        if (need > r.width() - pt(10))
            f.setPointSizeF(f.pointSizeF() * (r.width() - pt(10)) / need);
        m_p->setFont(f);
        m_p->setPen(ink);
        m_p->drawText(frame, Qt::AlignCenter, m_c.verdictText);
        return y - r.top();
    }

    void charts()
    {
        if (!m_c.charts)
            return;
        const QFontMetricsF hm = metrics(m_bold);
        const double height = pt(170);
        ensure(height + hm.lineSpacing());
        const double gap = pt(14);
        const double w = (m_area.width() - gap) / 2;
        const QFont font = reportFont(6.5);
        const struct {
            const QString& title;
            const chart::ChartDescription& d;
            double x;
        } both[] = {{m_c.lineChartTitle, m_c.lineChart, m_area.left()},
                    {m_c.histogramTitle, m_c.histogram, m_area.left() + w + gap}};
        for (const auto& c : both) {
            text(m_bold, c.x, m_y + hm.ascent(), c.title);
            if (m_p)
                chart::ChartPainter::paint(*m_p, QRectF(c.x, m_y + hm.lineSpacing(), w, height), c.d, font, pt(0.03));
        }
        m_y += hm.lineSpacing() + height + pt(8);
    }

    // One line of the readings: the cells padded to their columns' widths in characters.
    static QString rowText(const QStringList& cells, const QList<int>& widths)
    {
        static const bool right[] = {true, false, true, false, false, true};
        QString line;
        for (int c = 0; c < widths.size(); ++c) {
            if (c > 0)
                line += QLatin1Char(' ');
            const QString& t = cells.value(c);
            line += right[c] ? t.rightJustified(widths[c]) : t.leftJustified(widths[c]);
        }
        return line;
    }

    // The readings' cells, and in widths each column's width in characters: its widest cell or its heading.
    static QList<QStringList> rowCells(const Content& c, QList<int>& widths)
    {
        const int ncols = int(c.columns.size());
        widths = QList<int>(ncols, 0);
        for (int col = 0; col < ncols; ++col)
            widths[col] = int(c.columns.at(col).size());
        QList<QStringList> cells;
        cells.reserve(c.rows.size());
        for (const InspectionReport::Row& r : c.rows) {
            cells.append({r.nr, r.zeit, r.wert, r.einheit, r.material, r.spotMean});
            for (int col = 0; col < ncols; ++col)
                widths[col] = std::max(widths[col], int(cells.last().at(col).size()));
        }
        return cells;
    }

    // Every reading, in as many columns of rows as fit across the page, one after the other. A row is one line of a
    // monospaced font, so its cells line up and text extraction reads it as the row it is.
    void readings()
    {
        const QFontMetricsF hm = metrics(m_heading);
        const QFontMetricsF fm = metrics(m_rows);
        QList<int> widths;
        const QList<QStringList> cells = rowCells(m_c, widths);
        const double pad = pt(2);
        const double group = fm.horizontalAdvance(rowText(m_c.columns, widths)) + 2 * pad;
        const double gap = pt(10);
        const int groups = std::max(1, int((m_area.width() + gap) / (group + gap)));
        const double rowHeight = fm.lineSpacing() * 1.12;
        const double inset = fm.ascent() + (rowHeight - fm.height()) / 2;

        ensure(hm.lineSpacing() + pt(2) + rowHeight * 4);
        text(m_heading, m_area.left(), m_y + hm.ascent(), m_c.readingsHeading);
        m_y += hm.lineSpacing() + pt(2);
        const QString heading = rowText(m_c.columns, widths);
        qsizetype next = 0;
        while (next < m_c.rows.size()) {
            int perColumn = int((bottom() - m_y) / rowHeight) - 1;
            if (perColumn < 3) {
                newPage();
                continue;
            }
            // The last page's rows are shared out evenly over its columns.
            const qsizetype left = m_c.rows.size() - next;
            if (left < qsizetype(perColumn) * groups)
                perColumn = int((left + groups - 1) / groups);
            for (int g = 0; g < groups && next < m_c.rows.size(); ++g) {
                const double x0 = m_area.left() + g * (group + gap);
                text(m_rowsBold, x0 + pad, m_y + inset, heading);
                if (m_p) {
                    m_p->setPen(QPen(Qt::black, pt(0.4)));
                    m_p->drawLine(QPointF(x0, m_y + rowHeight), QPointF(x0 + group, m_y + rowHeight));
                    m_p->setFont(m_rows);
                }
                for (int i = 0; i < perColumn && next < m_c.rows.size(); ++i, ++next) {
                    if (!m_p)
                        continue;
                    const double y = m_y + (i + 1) * rowHeight;
                    const QColor& colour = m_c.rows.at(next).colour;
                    if (colour.isValid())
                        m_p->fillRect(QRectF(x0, y, group, rowHeight), colour);
                    m_p->setPen(Qt::black);
                    m_p->drawText(QPointF(x0 + pad, y + inset), rowText(cells.at(next), widths));
                }
            }
            m_y += rowHeight * (perColumn + 1) + pt(6);
        }
    }

    const Content& m_c;
    QPagedPaintDevice& m_device;
    QPainter* m_p;
    int m_pages;
    double u;
    QRectF m_area;
    QFont m_body, m_bold, m_small, m_rows, m_rowsBold, m_heading, m_title, m_verdict;
    double m_y = 0;
    int m_page = 1;
    bool m_failed = false;
};

} // namespace

OutputResult InspectionReport::print(const Content& content, QPagedPaintDevice& device, int* pages)
{
    // The pages are counted first, so that each can say "of n".
    Layout count(content, device, nullptr, 0);
    count.run();
    QPainter painter;
    if (!painter.begin(&device))
        return OutputResult::failure(QStringLiteral("The printer or output file cannot be written to"));
    Layout layout(content, device, &painter, count.pages());
    const bool ok = layout.run();
    if (pages)
        *pages = layout.pages();
    if (!painter.end() || !ok)
        return OutputResult::failure(QStringLiteral("The report could not be finished"));
    return {};
}

} // namespace reports
