#include "Program.h"
#include "SimulatedGauge.h"
#include "TakeValue.h"
#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "shell/Commands.h"
#include "shell/Controls.h"
#include "table/TableSession.h"
#include "ui/frmTransfer.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;

namespace {

// Where each control sits in the window whenever it shows, and every size the window took.
struct LayoutWatch {
    ui::frmTransfer& w;
    QMap<QString, QRect> first;
    QStringList moves;
    QList<QSize> sizes;

    void look(const QString& why)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        if (sizes.isEmpty() || sizes.last() != w.size())
            sizes << w.size();
        for (const QString& name :
             {Main::Frame1,   Main::Frame2,      Main::Frame3,    Main::Frame4,     Main::Frame5,   Main::picRahmen,
              Main::picTC,    Main::txtSpeicher, Main::ComboPort, Main::cmdConnect, Main::txtWait,  Main::cmdCancel,
              Main::prgLesen, Main::MSFlex,      Main::lstStat,   Main::MSChart1,   Main::cmdChart, Main::cmdGross,
              Main::cmdLesen, Main::cmdOpen,     Main::cmdWerte,  Main::cmdExcel}) {
            auto* c = w.findChild<QWidget*>(name);
            if (!c || !c->isVisible())
                continue;
            const QRect at(c->mapTo(&w, QPoint(0, 0)), c->size());
            if (!first.contains(name))
                first.insert(name, at);
            else if (first[name] != at)
                moves << QStringLiteral("%1 moved after %2").arg(name, why);
        }
    }
};

void copyPictures(const QString& to)
{
    for (const char* name : {"RD.gif", "Kovalogo.jpg", "Rahmen.jpg"})
        QFile::copy(QStringLiteral(VT_BIN_DIR "/") + name, to + "/" + name);
}

// Every caption fits its button with room to spare.
QStringList cramped(ui::frmTransfer& w)
{
    QStringList names;
    for (auto* b : w.findChildren<QPushButton*>())
        if (b->isVisible() && b->width() < b->fontMetrics().horizontalAdvance(b->text()) + b->fontMetrics().height())
            names << b->objectName() + ": " + b->text();
    return names;
}

// The grid's rows are whole at its top and its bottom, the last row shows and the scroll bar stands at the end.
void expectLastRowsWhole(QTableView* grid, int rows)
{
    ASSERT_EQ(grid->model()->rowCount(), rows);
    const QScrollBar* bar = grid->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    const int top = grid->rowAt(0);
    EXPECT_EQ(grid->rowViewportPosition(top), 0) << "row " << top + 1 << " is cut at the top";
    EXPECT_LE(grid->rowViewportPosition(rows - 1) + grid->rowHeight(rows - 1), grid->viewport()->height());
    EXPECT_EQ(top, bar->value());
}

} // namespace

// Opening a file before connecting, then connecting and reading: no control moves, the window keeps its size, the
// grid shows its last rows whole, captions fit, in German and English. Also run at twice the scale.
TEST(Layout, StaysInPlaceFromFileToConnectionAndRead)
{
    testsupport::Sandbox sb;
    const QString file = sb.root() + "/before.mes";
    {
        Program maker(sb, "RD", Program::Line::Fake);
        ASSERT_TRUE(maker.start());
        for (int i = 1; i <= 50; ++i)
            testsupport::take(maker.st, maker.table(), {.wert = 100.0 + i});
        ASSERT_TRUE(maker.exporter().saveTo(file));
    }
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "RD", "--fast", "--com", "7", "--count1", "45", "--count2", "6");
    Program p(sb, "RD", Program::Line::Real);
    copyPictures(sb.appDir());
    ui::frmTransfer w(*p.session);
    ASSERT_TRUE(w.Form_Load());
    w.show();
    LayoutWatch watch{w, {}, {}, {}};
    QObject::connect(&p.main(), &shell::FormState::changed, [&](const QString& name) { watch.look(name); });
    watch.look("start");
    EXPECT_TRUE(cramped(w).isEmpty()) << cramped(w).join(", ").toStdString();

    // The views are named from the start; the gauge picture sits centred in its frame, both undistorted.
    for (const QString& name : {Main::optFE, Main::optNFE, Main::optOnline})
        EXPECT_TRUE(w.findChild<QRadioButton*>(name)->text().endsWith(" (0)")) << name.toStdString();
    auto* rahmen = w.findChild<QLabel*>(Main::picRahmen);
    auto* gaugePicture = w.findChild<QLabel*>(Main::picTC);
    EXPECT_NEAR(rahmen->width() * 2, rahmen->height() * 3, 3);
    EXPECT_NEAR(gaugePicture->width() * 4, gaugePicture->height() * 3, 4);
    const QRect inFrame(gaugePicture->mapTo(rahmen, QPoint(0, 0)), gaugePicture->size());
    EXPECT_TRUE(rahmen->rect().contains(inFrame));
    EXPECT_LE(std::abs(inFrame.left() - (rahmen->width() - inFrame.right() - 1)), 1);
    EXPECT_LE(std::abs(inFrame.top() - (rahmen->height() - inFrame.bottom() - 1)), 1);

    // A file before any gauge: the table and its commands, not the reads, also after table commands that show the
    // view again.
    auto* grid = w.findChild<QTableView*>(Main::MSFlex);
    ASSERT_TRUE(p.exporter().loadFrom(file));
    QCoreApplication::processEvents();
    expectLastRowsWhole(grid, 50);
    p.table().cmdAbs_Click();
    p.table().cmdSort_Click();
    p.table().cmdSort_Click();
    for (const QString& name : shell::Commands::controls())
        EXPECT_EQ(w.findChild<QWidget*>(name)->isEnabled(), shell::Commands::forTableWithoutGauge().contains(name) ||
                                                                shell::Commands::withoutGauge().contains(name))
            << name.toStdString();
    EXPECT_TRUE(p.dialogs.shown.isEmpty());

    // A wait with its cancel button, then the connection and the read of both memories.
    p.main().setVisible(Main::cmdCancel, true);
    p.main().setText(Main::txtWait, "Einlesen abgebrochen, keine Werte übernommen");
    p.main().setVisible(Main::cmdCancel, false);
    p.connect(7);
    QCoreApplication::processEvents();
    ASSERT_TRUE(p.st.link.CheckConnect);
    for (const QString& name : shell::Commands::controls())
        EXPECT_TRUE(p.main().isEnabled(name)) << name.toStdString();
    p.table().optFE_Click();
    QCoreApplication::processEvents();
    expectLastRowsWhole(grid, 45);

    // Saved limits turn their caption into three lines; the chart takes the list's place and gives it back; all
    // of it in both languages.
    p.st.limits.Emin = 95;
    p.st.limits.Emax = 120;
    p.st.limits.Esoll = 110;
    p.table().GrenzwerteAnzeigen();
    auto* chart = w.findChild<QPushButton*>(Main::cmdChart);
    for (QAction* language : {w.findChild<QAction*>(Main::German), w.findChild<QAction*>(Main::English)}) {
        language->trigger();
        watch.look(language->objectName());
        chart->click();
        EXPECT_TRUE(w.findChild<QWidget*>(Main::MSChart1)->isVisible());
        watch.look("Chart");
        EXPECT_TRUE(cramped(w).isEmpty()) << cramped(w).join(", ").toStdString();
        chart->click();
        watch.look("Stat");
    }
    EXPECT_TRUE(cramped(w).isEmpty()) << cramped(w).join(", ").toStdString();
    EXPECT_TRUE(watch.moves.isEmpty()) << watch.moves.join("\n").toStdString();
    EXPECT_EQ(watch.sizes.size(), 1) << "the window changed its size " << watch.sizes.size() - 1 << " times";
}
