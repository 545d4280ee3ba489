#pragma once

#include "OutputResult.h"

#include <QString>

class QTextDocument;

namespace reports {

// The text report as an OpenDocument text, the word processor's copy of the table: the whole report in the
// report font at 10 pt, not bold, one paragraph per line. Needs a QGuiApplication (the font is looked up).
class OdtDocument
{
public:
    // The report laid out as a text document (what the file holds).
    static void fill(QTextDocument& doc, const QString& reportText);

    // Writes the document to path; an existing file is replaced only when the new one is complete.
    static OutputResult write(const QString& reportText, const QString& path);
};

} // namespace reports
