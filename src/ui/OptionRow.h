#pragma once

#include <QWidget>

namespace ui {

// Places its child buttons side by side at their natural width, the last ones cut when the row is too narrow.
// The view options' captions carry the value count and change with every online value; in a layout each change
// would lay out the whole window again. Here a caption change only moves the buttons of this row.
class OptionRow : public QWidget
{
    Q_OBJECT
public:
    explicit OptionRow(QWidget* parent, int minimumButtonWidth);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void arrange();
    QList<QWidget*> buttons() const;

    int m_minimumButtonWidth;
};

} // namespace ui
