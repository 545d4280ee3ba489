#include "OutputTools.h"
#include "Program.h"
#include "TakeValue.h"
#include "export/ExportSession.h"
#include "export/ReportFont.h"
#include "shell/Controls.h"
#include "table/TableSession.h"
#include "ui/QtDialogs.h"
#include "ui/frmTransfer.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;
using namespace outputs;

namespace {

// The main window after "Datei öffnen" of a saved table into memory 1.
struct OpenedTable {
    Program p{"RD"};
    ui::frmTransfer w{*p.session};
    QString mes;

    OpenedTable()
    {
        EXPECT_TRUE(w.Form_Load());
        w.show();
        p.table().showView(0);
        for (int nr = 1; nr <= 4; ++nr)
            testsupport::take(
                p.st, p.table(),
                {.wert = 20 + nr * 0.5, .nr = nr, .material = "NFe", .zeit = QStringLiteral("10:00:0%1").arg(nr)});
        mes = p.sandbox.root() + QStringLiteral("/table.mes");
        EXPECT_TRUE(p.exporter().saveTo(mes));
        p.table().MessdatenLoeschen(0);
        p.table().showView(0);
        p.dialogs.files = {mes};
        button(Main::cmdOpen)->click();
    }
    QPushButton* button(const QString& name) { return w.findChild<QPushButton*>(name); }
};

} // namespace

// The copy buttons reach their commands; what the outputs hold is the export tests' work.
TEST(MainWindowOutputs, CopyButtonsCallTheOutputs)
{
    OpenedTable t;
    for (const QString& name : {Main::cmdClipboard, Main::cmdprint, Main::cmdWord, Main::cmdExcel})
        EXPECT_TRUE(t.button(name)->isVisible() && t.button(name)->isEnabled()) << name.toStdString();
    t.button(Main::cmdClipboard)->click();
    // The row as it was saved: the material loads back without a blank added.
    EXPECT_TRUE(t.p.desktop.clipboard.contains("10:00:04          4        22.0 µm   NFe\r\n"))
        << t.p.desktop.clipboard.toStdString();
    t.button(Main::cmdprint)->click();
    EXPECT_EQ(t.p.dialogs.printerChoices, 1);
    t.button(Main::cmdWord)->click();
    t.button(Main::cmdExcel)->click();
    ASSERT_EQ(t.p.desktop.opened.size(), 2);
    EXPECT_TRUE(t.p.desktop.opened[0].endsWith(".odt") && t.p.desktop.opened[1].endsWith(".xlsx"));
    EXPECT_EQ(t.p.dialogs.texts(), QStringList{t.p.st.msg(shell::Msg::ExcelWithChart)});
}

// The system's print dialog, driven as a user would: "In PDF-Datei drucken" (Qt's own text, in the program's
// language) prints the report into that file; Cancel prints nothing and shows nothing.
TEST(MainWindowOutputs, PrintDialogPrintsToAPdfFileOrNothing)
{
    OpenedTable t;
    ui::QtDialogs dialogs(&t.w);
    t.p.st.dialogs = &dialogs;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("printed.pdf");
    dialogs.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialogs.printer()->setOutputFileName(pdf);

    bool accept = true;
    QStringList seen; // what the dialog showed, and any other window that came up
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto* dlg = qobject_cast<QPrintDialog*>(modal);
        if (!dlg) {
            seen << QString::fromLatin1(modal->metaObject()->className());
            modal->close();
            return;
        }
        auto* printers = dlg->findChild<QComboBox*>("printers");
        auto* file = dlg->findChild<QLineEdit*>("filename");
        seen << (printers && printers->currentIndex() == printers->count() - 1 ? printers->currentText() : "?")
             << (file ? file->text() : "?");
        if (!accept) {
            dlg->reject();
            return;
        }
        for (QAbstractButton* b : dlg->findChild<QDialogButtonBox*>()->buttons())
            if (dlg->findChild<QDialogButtonBox*>()->buttonRole(b) == QDialogButtonBox::AcceptRole)
                b->click();
    });
    driver.start(50);

    t.button(Main::cmdprint)->click();
    EXPECT_EQ(seen, (QStringList{"In PDF-Datei drucken", pdf}));
    EXPECT_EQ(dialogs.printer()->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(words(pdfText(pdf).split(QLatin1Char('\n'))),
              words(reports::ReportFont::lines(t.p.exporter().BuildReport("A"))));

    QFile::remove(pdf);
    seen.clear();
    accept = false;
    t.button(Main::cmdprint)->click();
    EXPECT_EQ(seen.size(), 2) << seen.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}
