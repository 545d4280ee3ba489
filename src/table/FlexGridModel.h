#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <vector>

namespace table {

// The grid MSFlex: grid row 0 is the fixed heading row, rows 1.. the data rows. Every cell keeps
// its text, alignment and background. Views see the heading row as the horizontal header and data
// row r as model row r - 1, so the heading stays in place while the rows scroll.
// Each data row also carries the store row it shows (tag), so rows can be reordered and deleted
// without reading values back from their text.
class FlexGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Cell {
        QString text;
        Qt::Alignment align = {}; // none: the column's alignment
        QColor back;              // invalid: the grid's background (white)
    };

    explicit FlexGridModel(QObject* parent = nullptr);

    // Grid API, in grid rows (0 = heading).
    int Rows() const { return static_cast<int>(m_rows.size()); }
    void setRows(int rows);
    int Cols() const { return m_cols; }
    void setCols(int cols);

    const Cell& cell(int row, int col) const;
    QString text(int row, int col) const { return cell(row, col).text; }
    QColor back(int row, int col) const { return cell(row, col).back; }
    Qt::Alignment alignment(int row, int col) const;
    void setText(int row, int col, const QString& text);
    void setBack(int row, int col, const QColor& color);
    void setCellAlignment(int row, int col, Qt::Alignment align);

    int tag(int row) const;
    void setTag(int row, int storeRow);

    Qt::Alignment colAlignment(int col) const;
    void setColAlignment(int col, Qt::Alignment align);
    int colWidth(int col) const; // twips
    void setColWidth(int col, int twips);

    // The grid's font by name; the view picks a fixed-pitch face for it.
    QString fontName() const { return m_fontName; }
    void setFontName(const QString& name);
    QColor headingBack() const { return m_headingBack; }
    void setHeadingBack(const QColor& color) { m_headingBack = color; }

    // Texts, colours and cell alignments of every cell; the row count stays.
    void clear();
    // Generic sort of the data rows by a column: numbers by value before other texts, texts alphabetically;
    // equal keys keep their order. Whole rows move, colours and tags included.
    void sortByColumn(int col, bool ascending);
    static bool genericLess(const QString& a, const QString& b);

    int topRow() const { return m_topRow; }
    void setTopRow(int row);

    // Many changes in a row: views hear one reset at the end instead of a signal per cell.
    void beginBatch();
    void endBatch();

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void topRowChanged(int row);
    void layoutInvalidated(); // column widths or font changed

private:
    struct Row {
        std::vector<Cell> cells;
        int tag = 0;
    };
    Cell* cellPtr(int row, int col);
    QVariant cellData(const Cell& c, int col, int role) const;
    void cellChanged(int row, int col);
    bool quiet() const { return m_batch > 0; }

    std::vector<Row> m_rows;
    int m_cols = 4;
    std::vector<Qt::Alignment> m_colAlign;
    std::vector<int> m_colWidth;
    QString m_fontName;
    QColor m_headingBack{240, 240, 240};
    int m_topRow = 1;
    int m_batch = 0;
};

} // namespace table
