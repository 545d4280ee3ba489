#pragma once

#include <QString>

#include <vector>

namespace instrument {

// Cuts a memory answer into records as it arrives: CR LF lines, the records start after the STX line, lines that
// begin with four blanks are headings, other lines that cannot start a record are line noise. At most
// kMaxRecords are kept; more only mark the overflow. Pure text work, so the answer may come in any pieces.
class RecordCutter
{
public:
    static constexpr int kMaxRecords = 5000;

    RecordCutter();

    // Forgets everything: a new answer follows.
    void reset();
    // Cuts the complete lines of the answer not cut yet. The answer only grows between calls; a shorter one is
    // a new answer.
    void cut(const QString& answer);

    const std::vector<QString>& records() const { return m_records; }
    void clearRecords() { m_records.clear(); }
    bool overflow() const { return m_overflow; }
    int skipped() const { return m_skipped; } // lines after the STX line that cannot be records

private:
    std::vector<QString> m_records;
    qsizetype m_scanPos = 0;
    qsizetype m_searchPos = 0; // where the search for the next line end goes on
    int m_lineNo = 0;
    int m_dataStart = 0; // line number of the first data line; 0 = no STX line yet
    bool m_overflow = false;
    int m_skipped = 0;
};

} // namespace instrument
