#pragma once

#include <QString>

// Lays out a Markdown text on A4 pages and writes it as a PDF, with a footer line of title and page number.
class PdfManual
{
public:
    struct Page {
        QString footer;     // left part of the footer, "RONDO TRANSFER - Bedienungsanleitung"
        QString pageNumber; // right part, with %1 for the page and %2 for the page count
        QString pictures;   // folder the Markdown's image paths are relative to
    };

    // Returns false and sets error when the file cannot be written.
    static bool write(const QString& markdown, const QString& path, const QString& title, const Page& page,
                      QString& error);
};
