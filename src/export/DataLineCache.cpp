#include "DataLineCache.h"

#include "ReportBuilder.h"
#include "shell/Numbers.h"

namespace reports {

namespace {

bool same(const table::MessRow& a, const table::MessRow& b)
{
    return a.nr == b.nr && a.wert == b.wert && a.zeit == b.zeit && a.einheit == b.einheit && a.material == b.material;
}

} // namespace

const QString& DataLineCache::lines(const table::MessdatenStore& store, int view)
{
    // The decimal separator is part of every line: another locale formats every row anew.
    const QChar point = shell::Numbers::userLocale().decimalPoint().front();
    if (view != m_view || point != m_decimalPoint) {
        m_view = view;
        m_decimalPoint = point;
        m_rows.clear();
        m_ends.clear();
        m_text.clear();
    }
    const int n = store.rowCount(view);
    size_t keep = 0;
    while (keep < m_rows.size() && keep < size_t(n) && same(m_rows[keep], store.at(view, int(keep) + 1)))
        ++keep;
    m_rows.resize(keep);
    m_ends.resize(keep);
    m_text.truncate(keep == 0 ? 0 : m_ends.back());
    m_text.reserve(m_text.size() + (n - qsizetype(keep)) * 50);
    for (int r = int(keep) + 1; r <= n; ++r) {
        const table::MessRow& row = store.at(view, r);
        m_text += ReportBuilder::dataLine(row);
        m_text += QLatin1String("\r\n");
        m_rows.push_back(row);
        m_ends.push_back(m_text.size());
    }
    return m_text;
}

} // namespace reports
