#include "OdtDocument.h"

#include "ReportFont.h"

#include <QBuffer>
#include <QSaveFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace reports {

void OdtDocument::fill(QTextDocument& doc, const QString& reportText)
{
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    const QStringList lines = ReportFont::lines(reportText);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // A plain block format each time: insertBlock() would copy the previous block's format.
        if (i > 0)
            cursor.insertBlock(QTextBlockFormat());
        cursor.insertText(lines.at(i));
    }

    // The ODF writer ignores the document's default font, so the font goes on every character and block; it
    // writes the old single family property where set, else the first of the list. The word processor gets no
    // monospace hint: a missing "Lucida Console" would become a proportional font there and the columns would
    // no longer line up, so the document names the family that stands in for it.
    const QString family = ReportFont::documentFamily();
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setProperty(QTextFormat::FontFamily, family);
    format.setFontStyleHint(QFont::Monospace);
    format.setFontFixedPitch(true);
    format.setFontPointSize(ReportFont::kPointSize);
    format.setFontWeight(QFont::Normal);
    format.setFontItalic(false);
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
    cursor.endEditBlock();
    doc.setDefaultFont(ReportFont::font());
}

OutputResult OdtDocument::write(const QString& reportText, const QString& path)
{
    QTextDocument doc;
    fill(doc, reportText);
    // The ODF writer closes its device when done, which a QSaveFile must not be: build the file in memory.
    QBuffer odf;
    odf.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&odf, QByteArrayLiteral("odf"));
    if (!writer.write(&doc))
        return OutputResult::failure(QStringLiteral("The document could not be laid out as OpenDocument text"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(odf.data()) != odf.data().size() || !file.commit())
        return OutputResult::failure(file.errorString());
    return {};
}

} // namespace reports
