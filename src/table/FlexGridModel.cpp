#include "FlexGridModel.h"

#include <algorithm>

namespace table {

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_rows.resize(1);
    setCols(4);
}

void FlexGridModel::setRows(int rows)
{
    rows = std::max(rows, 1);
    const int old = Rows();
    if (rows == old)
        return;
    if (rows > old) {
        if (!quiet())
            beginInsertRows({}, old - 1, rows - 2);
        m_rows.resize(rows);
        for (int r = old; r < rows; ++r)
            m_rows[r].cells.resize(m_cols);
        if (!quiet())
            endInsertRows();
    } else {
        if (!quiet())
            beginRemoveRows({}, rows - 1, old - 2);
        m_rows.resize(rows);
        if (!quiet())
            endRemoveRows();
    }
}

void FlexGridModel::setCols(int cols)
{
    cols = std::max(cols, 1);
    if (!quiet())
        beginResetModel();
    m_cols = cols;
    for (Row& r : m_rows)
        r.cells.resize(cols);
    m_colAlign.resize(cols, Qt::AlignLeft);
    m_colWidth.resize(cols, 1000);
    if (!quiet())
        endResetModel();
}

const FlexGridModel::Cell& FlexGridModel::cell(int row, int col) const
{
    static const Cell none;
    if (row < 0 || row >= Rows() || col < 0 || col >= m_cols)
        return none;
    return m_rows[row].cells[col];
}

FlexGridModel::Cell* FlexGridModel::cellPtr(int row, int col)
{
    if (row < 0 || row >= Rows() || col < 0 || col >= m_cols)
        return nullptr;
    return &m_rows[row].cells[col];
}

Qt::Alignment FlexGridModel::alignment(int row, int col) const
{
    const Cell& c = cell(row, col);
    return c.align ? c.align : colAlignment(col);
}

void FlexGridModel::cellChanged(int row, int col)
{
    if (quiet())
        return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex i = index(row - 1, col);
        emit dataChanged(i, i);
    }
}

void FlexGridModel::setText(int row, int col, const QString& text)
{
    if (Cell* c = cellPtr(row, col); c && c->text != text) {
        c->text = text;
        cellChanged(row, col);
    }
}

void FlexGridModel::setBack(int row, int col, const QColor& color)
{
    if (Cell* c = cellPtr(row, col); c && c->back != color) {
        c->back = color;
        cellChanged(row, col);
    }
}

void FlexGridModel::setCellAlignment(int row, int col, Qt::Alignment align)
{
    if (Cell* c = cellPtr(row, col); c && c->align != align) {
        c->align = align;
        cellChanged(row, col);
    }
}

int FlexGridModel::tag(int row) const
{
    return row >= 0 && row < Rows() ? m_rows[row].tag : 0;
}

void FlexGridModel::setTag(int row, int storeRow)
{
    if (row >= 0 && row < Rows())
        m_rows[row].tag = storeRow;
}

Qt::Alignment FlexGridModel::colAlignment(int col) const
{
    return col >= 0 && col < m_cols ? m_colAlign[col] : Qt::AlignLeft;
}

void FlexGridModel::setColAlignment(int col, Qt::Alignment align)
{
    if (col < 0 || col >= m_cols || m_colAlign[col] == align)
        return;
    m_colAlign[col] = align;
    if (!quiet()) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        if (Rows() > 1)
            emit dataChanged(index(0, col), index(Rows() - 2, col), {Qt::TextAlignmentRole});
    }
}

int FlexGridModel::colWidth(int col) const
{
    return col >= 0 && col < m_cols ? m_colWidth[col] : 0;
}

void FlexGridModel::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols || m_colWidth[col] == twips)
        return;
    m_colWidth[col] = twips;
    emit layoutInvalidated();
}

void FlexGridModel::setFontName(const QString& name)
{
    if (m_fontName == name)
        return;
    m_fontName = name;
    emit layoutInvalidated();
}

void FlexGridModel::clear()
{
    if (!quiet())
        beginResetModel();
    for (Row& r : m_rows) {
        r.tag = 0;
        for (Cell& c : r.cells)
            c = Cell{};
    }
    if (!quiet())
        endResetModel();
}

bool FlexGridModel::genericLess(const QString& a, const QString& b)
{
    bool okA = false, okB = false;
    const double va = a.trimmed().toDouble(&okA);
    const double vb = b.trimmed().toDouble(&okB);
    if (okA && okB)
        return va < vb;
    if (okA != okB)
        return okA; // numbers first
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

void FlexGridModel::sortByColumn(int col, bool ascending)
{
    if (col < 0 || col >= m_cols || Rows() < 3)
        return;
    if (!quiet())
        emit layoutAboutToBeChanged();
    std::stable_sort(m_rows.begin() + 1, m_rows.end(), [col, ascending](const Row& x, const Row& y) {
        return ascending ? genericLess(x.cells[col].text, y.cells[col].text)
                         : genericLess(y.cells[col].text, x.cells[col].text);
    });
    if (!quiet()) {
        emit layoutChanged();
        emit dataChanged(index(0, 0), index(Rows() - 2, m_cols - 1));
    }
}

void FlexGridModel::setTopRow(int row)
{
    m_topRow = row;
    if (!quiet())
        emit topRowChanged(row);
}

void FlexGridModel::beginBatch()
{
    if (m_batch++ == 0)
        beginResetModel();
}

void FlexGridModel::endBatch()
{
    if (m_batch > 0 && --m_batch == 0) {
        endResetModel();
        emit topRowChanged(m_topRow);
    }
}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Rows() - 1;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant FlexGridModel::cellData(const Cell& c, int col, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return c.text;
    case Qt::TextAlignmentRole:
        return static_cast<int>((c.align ? c.align : colAlignment(col)) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() + 1 >= Rows() || index.column() >= m_cols)
        return {};
    const Cell& c = m_rows[index.row() + 1].cells[index.column()];
    if (role == Qt::BackgroundRole)
        return c.back.isValid() ? QVariant(c.back) : QVariant();
    return cellData(c, index.column(), role);
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
        return {};
    if (role == Qt::BackgroundRole)
        return m_headingBack;
    return cellData(m_rows[0].cells[section], section, role);
}

} // namespace table
