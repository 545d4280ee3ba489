#include "RecordCutter.h"

#include <algorithm>

namespace instrument {

namespace {

bool startsRecord(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

} // namespace

RecordCutter::RecordCutter()
{
    m_records.reserve(kMaxRecords);
}

void RecordCutter::reset()
{
    m_records.clear();
    m_scanPos = 0;
    m_searchPos = 0;
    m_lineNo = 0;
    m_dataStart = 0;
    m_overflow = false;
    m_skipped = 0;
}

void RecordCutter::cut(const QString& buf)
{
    if (m_scanPos > buf.size() || m_searchPos > buf.size())
        m_scanPos = m_searchPos = 0;
    const QLatin1String crlf("\r\n");
    const QLatin1String fourBlanks("    ");
    qsizetype end;
    // Text already searched holds no line end (but a CR at its end may meet the next chunk's LF).
    while ((end = buf.indexOf(crlf, std::max(m_scanPos, m_searchPos))) >= 0) {
        const QStringView line = QStringView(buf).mid(m_scanPos, end - m_scanPos);
        m_scanPos = end + 2;
        ++m_lineNo;
        if (m_overflow)
            continue;
        if (line.size() == 1 && line.front() == QChar(2)) {
            m_dataStart = m_lineNo + 1;
            continue;
        }
        if (m_dataStart == 0 || m_lineNo < m_dataStart || line.startsWith(fourBlanks))
            continue;
        // A record starts with its number, right-aligned in four places: other lines are line noise.
        if (line.isEmpty() || !startsRecord(line.front())) {
            ++m_skipped;
            continue;
        }
        if (int(m_records.size()) >= kMaxRecords) {
            m_overflow = true;
            continue;
        }
        m_records.push_back(line.toString());
    }
    m_searchPos = std::max(m_scanPos, buf.size() - 1);
}

} // namespace instrument
