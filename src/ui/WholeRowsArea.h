#pragma once

#include <QPointer>
#include <QWidget>

class QAbstractItemView;

namespace ui {

// Holds a table view and gives it a height of whole rows: the view then never shows a row cut in half at its top,
// also when it is scrolled to its last row. What is left over stays empty below the view.
class WholeRowsArea : public QWidget
{
    Q_OBJECT
public:
    WholeRowsArea(QAbstractItemView* view, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();
    int rowHeight() const;

    QPointer<QAbstractItemView> m_view;
    bool m_fitting = false;
};

} // namespace ui
