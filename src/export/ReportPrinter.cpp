#include "ReportPrinter.h"

#include "ReportFont.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace reports {

OutputResult ReportPrinter::print(const QString& reportText, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return OutputResult::failure(QStringLiteral("The printer or output file cannot be written to"));
    painter.setFont(ReportFont::font());
    const QFontMetricsF metrics(painter.font(), &device);
    const qreal lineHeight = metrics.lineSpacing();
    const qreal ascent = metrics.ascent();
    // The painter's origin is the top left corner of the printable area; width and height are its size.
    const QRectF printable(0, 0, device.width(), device.height());
    painter.setClipRect(printable);

    qreal y = 0;
    for (const QString& line : ReportFont::lines(reportText)) {
        if (y > 0 && y + lineHeight > printable.height()) {
            if (!device.newPage()) {
                painter.end();
                return OutputResult::failure(QStringLiteral("The printer did not accept a new page"));
            }
            painter.setClipRect(printable);
            y = 0;
        }
        if (!line.isEmpty())
            painter.drawText(QPointF(0, y + ascent), line);
        y += lineHeight;
    }
    if (!painter.end())
        return OutputResult::failure(QStringLiteral("The print job could not be finished"));
    return {};
}

} // namespace reports
