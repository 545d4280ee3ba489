#include "frmTransfer.h"
#include "shell/Controls.h"

#include "GridCellDelegate.h"
#include "frmWerte.h"
#include "table/TableSession.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

namespace Main = ctl::frmTransfer;

namespace ui {

void frmTransfer::wireTable()
{
    table::TableSession* t = m_table;
    table::FlexGridModel* model = &t->grid();

    auto* grid = findChild<QTableView*>(Main::MSFlex);
    grid->setModel(model);
    // The heading row is the horizontal header, so it stays in place while the rows scroll.
    grid->horizontalHeader()->show();
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    model->setHeadingBack(palette().button().color());
    auto applyWidths = [this, grid, model] {
        const double pxPerTwip = logicalDpiX() / 1440.0;
        for (int c = 0; c < model->Cols(); ++c)
            grid->setColumnWidth(c, qRound(model->colWidth(c) * pxPerTwip));
    };
    connect(model, &table::FlexGridModel::layoutInvalidated, grid, applyWidths);
    connect(model, &QAbstractItemModel::modelReset, grid, applyWidths);
    grid->setItemDelegate(new GridCellDelegate(grid));
    // Scrolling lays out the rows at once; during an online run several values can arrive in one turn of the event
    // loop, so the grid scrolls once, to the last top row asked for, when the turn ends.
    auto* scroll = new QTimer(grid);
    scroll->setSingleShot(true);
    scroll->setInterval(0);
    connect(scroll, &QTimer::timeout, grid, [grid, model] {
        const int row = model->topRow();
        if (row >= 1 && row < model->Rows())
            grid->scrollTo(model->index(row - 1, 0), QAbstractItemView::PositionAtTop);
    });
    connect(model, &table::FlexGridModel::topRowChanged, scroll, qOverload<>(&QTimer::start));
    connect(grid, &QTableView::clicked, this, [t](const QModelIndex& index) { t->MSFlex_Click(index.row() + 1); });

    auto btn = [this](const QString& name) { return findChild<QAbstractButton*>(name); };
    connect(btn(Main::cmdSort), &QAbstractButton::clicked, this, [t] { t->cmdSort_Click(); });
    connect(btn(Main::cmdAbs), &QAbstractButton::clicked, this, [t] { t->cmdAbs_Click(); });
    connect(btn(Main::cmdFlexZeileLoeschen), &QAbstractButton::clicked, this, [t] { t->cmdFlexZeileLoeschen_Click(); });
    connect(btn(Main::cmdFlexTabelleloeschen), &QAbstractButton::clicked, this,
            [t] { t->cmdFlexTabelleloeschen_Click(); });
    connect(btn(Main::optFE), &QAbstractButton::clicked, this, [t] { t->optFE_Click(); });
    connect(btn(Main::optNFE), &QAbstractButton::clicked, this, [t] { t->optNFE_Click(); });

    auto* werte = new frmWerte(m_st, t->werte(), this);
    connect(btn(Main::cmdWerte), &QAbstractButton::clicked, this, [t] { t->cmdWerte_Click(); });
    connect(t, &table::TableSession::showWerte, werte, [werte] {
        werte->show();
        werte->raise();
        werte->activateWindow();
    });
    // The limits apply when the dialog is left, as the button loses the focus to the dialog's end.
    connect(werte, &frmWerte::hidden, this, [t] { t->cmdWerte_LostFocus(); });
}

} // namespace ui
