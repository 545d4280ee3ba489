#include "PdfManual.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDpi = 300;
constexpr double kMarginMm = 20.0;
constexpr double kBodyPt = 10.0;

// Page geometry is in device pixels.
double mm(double v)
{
    return v / 25.4 * kDpi;
}

double devPt(double v)
{
    return v / 72.0 * kDpi;
}

// Text formats (margins, padding, borders, image sizes) are in screen pixels of 1/96 inch, which the layout
// scales to the device's resolution itself.
double pt(double v)
{
    return v * 96.0 / 72.0;
}

// The Markdown importer leaves tables bare and spacing in screen pixels; give them the look of a printed page.
void dressTables(QTextDocument& doc)
{
    QTextCursor cursor(&doc);
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat f = table->format();
        f.setBorder(pt(0.5));
        f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        f.setBorderBrush(QColor(0x9a, 0xa5, 0xae));
        f.setCellPadding(pt(3));
        f.setCellSpacing(0);
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        f.setTopMargin(pt(4));
        f.setBottomMargin(pt(8));
        f.setHeaderRowCount(1);
        table->setFormat(f);
        for (int c = 0; c < table->columns(); ++c) {
            QTextTableCell cell = table->cellAt(0, c);
            QTextCharFormat head = cell.format();
            head.setBackground(QColor(0xdf, 0xe4, 0xe8));
            cell.setFormat(head);
        }
    }
}

// Paragraph spacing in points of the page, code blocks on a grey ground, and a thematic break ("---") starts a
// new page instead of drawing a rule.
void dressBlocks(QTextDocument& doc, const QFont& mono)
{
    QTextCursor cursor(&doc);
    bool breakBefore = false;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat bf = b.blockFormat();
        const int level = bf.headingLevel();
        const bool code = bf.hasProperty(QTextFormat::BlockCodeFence);
        const bool rule = bf.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
        if (QTextCursor(b).currentTable()) {
            bf.setTopMargin(0);
            bf.setBottomMargin(0);
        } else if (rule) {
            bf.clearProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
            bf.setTopMargin(0);
            bf.setBottomMargin(0);
            breakBefore = true;
        } else if (level > 0) {
            static const double top[] = {0, 0, 16, 10, 8, 8, 8};
            static const double bottom[] = {0, 10, 5, 3, 2, 2, 2};
            bf.setTopMargin(pt(top[std::min(level, 6)]));
            bf.setBottomMargin(pt(bottom[std::min(level, 6)]));
        } else if (code) {
            // Each line of a fence is a block of its own: space only above the first and below the last.
            const auto isCode = [](const QTextBlock& x) {
                return x.isValid() && x.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
            };
            bf.setBackground(QColor(0xee, 0xf1, 0xf4));
            bf.setTopMargin(isCode(b.previous()) ? 0 : pt(2));
            bf.setBottomMargin(isCode(b.next()) ? 0 : pt(7));
            bf.setLeftMargin(pt(6));
            bf.setRightMargin(pt(6));
        } else if (!b.textList()) {
            bf.setTopMargin(pt(2));
            bf.setBottomMargin(pt(5));
        } else {
            // The last item of a list keeps a paragraph's distance to what follows.
            const bool last = !b.next().isValid() || b.next().textList() != b.textList();
            bf.setBottomMargin(pt(last ? 6 : 2));
        }
        if (!rule && breakBefore) {
            bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            bf.setTopMargin(0);
            breakBefore = false;
        }
        cursor.setPosition(b.position());
        cursor.setBlockFormat(bf);
        if (code) {
            cursor.setPosition(b.position());
            cursor.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
            QTextCharFormat cf;
            cf.setFont(mono, QTextCharFormat::FontPropertiesSpecifiedOnly);
            cf.setFontPointSize(kBodyPt - 1);
            cursor.mergeCharFormat(cf);
        }
    }
}

// Pictures keep their proportions at a printable width instead of their pixel size.
QStringList scalePictures(QTextDocument& doc, double maxWidth)
{
    QStringList missing;
    QTextCursor cursor(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            QTextImageFormat img = frag.charFormat().toImageFormat();
            if (!img.isValid())
                continue;
            const QVariant res = doc.resource(QTextDocument::ImageResource, QUrl(img.name()));
            const QImage image = res.value<QImage>();
            if (image.isNull()) {
                missing << img.name();
                continue;
            }
            const double w = std::min(maxWidth, mm(45)) * 96.0 / kDpi;
            img.setWidth(w);
            img.setHeight(w * image.height() / image.width());
            cursor.setPosition(frag.position());
            cursor.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(img);
        }
    }
    return missing;
}

// A heading never ends a page: one with less than `room` below it starts the next page instead, unless it is at
// the top of a page already.
void keepHeadingsWithText(QTextDocument& doc, double pageHeight, double room)
{
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (int pass = 0; pass < 200; ++pass) {
        bool moved = false;
        for (QTextBlock b = doc.begin(); b.isValid() && !moved; b = b.next()) {
            QTextBlockFormat bf = b.blockFormat();
            if (bf.headingLevel() == 0)
                continue;
            const QRectF r = layout->blockBoundingRect(b);
            const double page = std::floor(r.top() / pageHeight);
            const bool atTop = r.top() - page * pageHeight < room / 2;
            if (atTop || (page + 1) * pageHeight - r.bottom() >= room)
                continue;
            // A chapter heading directly above a section heading goes along with it.
            QTextBlock first = b;
            while (first.previous().isValid() && first.previous().blockFormat().headingLevel() > 0)
                first = first.previous();
            bf = first.blockFormat();
            bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(first).setBlockFormat(bf);
            b = first;
            // The layout only redoes the changed block; tables below would keep their old places.
            doc.markContentsDirty(b.position(), doc.characterCount() - b.position());
            moved = true; // everything below has moved: look again from the start
        }
        if (!moved)
            return;
    }
}

// Each page of the laid-out text, clipped to its body, and the footer line with the page number.
bool paintPages(QPdfWriter& writer, QTextDocument& doc, const QRectF& body, double footerHeight, const QFont& small,
                const PdfManual::Page& page)
{
    const int pages = doc.pageCount();
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * body.height());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = QRectF(QPointF(0, i * body.height()), body.size());
        // Without a clip on the painter the layout draws whole paragraphs, lines of the next page included.
        painter.setClipRect(ctx.clip);
        doc.documentLayout()->draw(&painter, ctx);
        painter.restore();

        const double y = body.height() + footerHeight * 0.35;
        painter.setPen(QPen(QColor(0x9a, 0xa5, 0xae), devPt(0.5)));
        painter.drawLine(QPointF(0, y), QPointF(body.width(), y));
        painter.setPen(QColor(0x2f, 0x3b, 0x45));
        painter.setFont(small);
        const QRectF line(0, y + devPt(3), body.width(), footerHeight * 0.6);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, page.footer);
        painter.drawText(line, Qt::AlignRight | Qt::AlignTop, page.pageNumber.arg(i + 1).arg(pages));
    }
    return painter.end();
}

} // namespace

bool PdfManual::write(const QString& markdown, const QString& path, const QString& title, const Page& page,
                      QString& error)
{
    // QPdfWriter reports no open failure of its own.
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            error = path + QStringLiteral(": ") + probe.errorString();
            return false;
        }
    }

    QPdfWriter writer(path);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("varnotek-manual"));

    QFont body(QStringLiteral("DejaVu Sans"));
    body.setStyleHint(QFont::SansSerif);
    body.setPointSizeF(kBodyPt);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    mono.setFixedPitch(true);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDefaultFont(body);
    doc.setDocumentMargin(0);
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(page.pictures).absoluteFilePath() + QLatin1Char('/')));
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    dressBlocks(doc, mono);
    dressTables(doc);

    const QRectF area = writer.pageLayout().paintRectPixels(kDpi);
    const double footerHeight = devPt(kBodyPt * 2.2);
    const QSizeF bodySize(area.width(), area.height() - footerHeight);
    const QStringList missing = scalePictures(doc, bodySize.width());
    if (!missing.isEmpty()) {
        error = QStringLiteral("picture not found: ") + missing.join(QStringLiteral(", "));
        return false;
    }
    doc.setPageSize(bodySize);
    // A little room at the top and bottom of every page, so accents of a first line stay on their own page.
    QTextFrameFormat root = doc.rootFrame()->frameFormat();
    root.setTopMargin(pt(4));
    root.setBottomMargin(pt(4));
    doc.rootFrame()->setFrameFormat(root);
    keepHeadingsWithText(doc, bodySize.height(), devPt(kBodyPt * 1.3 * 4));

    QFont small = body;
    small.setPointSizeF(kBodyPt - 2);
    if (!paintPages(writer, doc, QRectF(QPointF(), bodySize), footerHeight, small, page) && error.isEmpty())
        error = path + QStringLiteral(": the PDF cannot be written");
    return error.isEmpty();
}
