#pragma once

#include "OutputResult.h"

#include <QString>

class QPagedPaintDevice;

namespace reports {

// Prints the text report on any paged device: a QPrinter chosen by the user, or a QPdfWriter.
// The report font from the top left corner of the printable area, one line below the other; a new page starts
// only when the page is full. No page numbers, no headers. A line wider than the page is cut at the right edge
// of the printable area, as a printer does with text it is given without wrapping; it never runs into the
// next line.
class ReportPrinter
{
public:
    // Fails when the device cannot be painted on (a printer that is gone, a PDF file that cannot be created)
    // or refuses a new page.
    static OutputResult print(const QString& reportText, QPagedPaintDevice& device);
};

} // namespace reports
