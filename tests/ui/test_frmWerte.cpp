// The table's wiring in the main window: the grid's model, the statistics list and the limits dialog. Colours,
// figures and validation rules are the table tests' work.
#include "Program.h"
#include "Sandbox.h"
#include "TakeValue.h"
#include "shell/Controls.h"
#include "table/TableSession.h"
#include "ui/frmTransfer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;
namespace Werte = ctl::frmWerte;

TEST(TableWindow, RowsShowColouredWithStatisticsAndLimitsDialogSaves)
{
    Program p("RD\n#\n");
    ui::frmTransfer w(*p.session);
    ASSERT_TRUE(w.Form_Load());
    w.show();
    table::TableSession* t = &p.table();
    auto* grid = w.findChild<QTableView*>(Main::MSFlex);
    auto* list = w.findChild<QListWidget*>(Main::lstStat);
    ASSERT_EQ(grid->model(), &t->grid());

    w.state().device.memoryMode = "2N";
    w.state().limits.Emin = 10;
    w.state().limits.Emax = 13;
    for (double v : {10.0, 12.0, 14.0})
        testsupport::take(p.st, *t, {.wert = v});
    EXPECT_EQ(grid->model()->index(2, 2).data().toString(), "       14.0");
    EXPECT_EQ(grid->model()->index(2, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(239, 162, 162));
    EXPECT_EQ(list->count(), 9);

    // What the grid paints: the cell's colour all over it, its text at the cell's right edge, in the text colour.
    QApplication::processEvents();
    const QImage shot = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualRect(grid->model()->index(2, 2));
    EXPECT_EQ(shot.pixelColor(cell.left() + 2, cell.top() + 2), QColor(239, 162, 162));
    EXPECT_EQ(shot.pixelColor(cell.right() - 1, cell.bottom() - 1), QColor(239, 162, 162));
    auto darkIn = [&](int from, int to) {
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                n += qGray(shot.pixel(x, y)) < 80;
        return n;
    };
    EXPECT_GT(darkIn(cell.left() + cell.width() * 3 / 4, cell.right()), 10);
    EXPECT_EQ(darkIn(cell.left(), cell.left() + cell.width() / 4), 0);
    w.shell().English_Click();
    EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal).toString(), "Value");

    // Limits dialog: a new maximum typed in applies to the table, its button and the next start only once saved.
    w.state().main().setEnabled(Main::cmdWerte, true);
    w.findChild<QPushButton*>(Main::cmdWerte)->click();
    auto* werte = w.findChild<QDialog*>(Werte::form);
    ASSERT_NE(werte, nullptr);
    EXPECT_TRUE(werte->isVisible());
    QApplication::setActiveWindow(werte);
    auto* max = werte->findChild<QLineEdit*>(Werte::txtMaxLimit);
    EXPECT_EQ(max->text(), "13");
    max->setFocus();
    max->selectAll();
    for (QChar c : QString("20")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(max, &press);
    }
    werte->findChild<QPushButton*>(Werte::cmdSpeichern)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.state().limits.Emax, 20);
    werte->hide(); // left unsaved: nothing applied
    EXPECT_EQ(grid->model()->index(2, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(239, 162, 162));
    w.findChild<QPushButton*>(Main::cmdWerte)->click();
    werte->findChild<QPushButton*>(Werte::cmdSpeichern)->click();
    EXPECT_FALSE(werte->isVisible());
    EXPECT_EQ(w.findChild<QPushButton*>(Main::cmdWerte)->text(), ">     10\r\n<     20\r\n=      0");
    EXPECT_EQ(grid->model()->index(2, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(158, 232, 155));
    EXPECT_EQ(testsupport::Sandbox::readFile(w.state().edition.AppDataPath + "/Limit.ini"), "10;20;0;0;\r\n");

    // The rule list: the entry picked reaches the logic, the rule's settings show, and the list shows the rule
    // when the dialog opens again.
    w.findChild<QPushButton*>(Main::cmdWerte)->click();
    auto* regel = werte->findChild<QComboBox*>(Werte::cboRegel);
    regel->setCurrentIndex(2);
    emit regel->activated(2);
    EXPECT_EQ(w.state().rule.kind, shell::RuleKind::SspcPa2);
    EXPECT_EQ(werte->findChild<QCheckBox*>(Werte::chk8020)->text(), "PA 2");
    EXPECT_TRUE(werte->findChild<QLineEdit*>(Werte::txtSpot)->isVisible());
    EXPECT_FALSE(werte->findChild<QLineEdit*>(Werte::txtFlaeche)->isVisible());
    werte->close();
    regel->setCurrentIndex(0);
    w.findChild<QPushButton*>(Main::cmdWerte)->click();
    EXPECT_EQ(regel->currentText(), "SSPC-PA 2");
}
