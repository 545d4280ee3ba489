// Keystroke forwarding through the whole program: Tastatur.ini switched on, the receiving program started at
// start-up, and each online value typed as it comes; values of the memories never.
#include "KeySink.h"
#include "Program.h"
#include "TakeValue.h"
#include "link/LinkSession.h"
#include "link/OnlineReceiver.h"
#include "shell/Controls.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

QString record(int nr, const QString& value)
{
    return QString::number(nr).rightJustified(4) + "  " + value.rightJustified(10) + " µm    Fe\r\n";
}

} // namespace

TEST(KeysOnline, OnlineValuesAreTypedAndMemoryValuesAreNot)
{
    KeySink sink;
    Program p("RD");
    testsupport::Sandbox::writeFile(p.appData("RONDO TRANSFER") + "/Tastatur.ini",
                                    shell::TextFile::encode("1;" + sink.program() + ";1001;ENTER\r\n"));
    p.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    p.line().answers["$kova00$"] = QStringLiteral("FN-B SN 1\r\nM1:0\r\nM2:0\r\n") + QChar(4);
    ASSERT_TRUE(p.start());
    ASSERT_TRUE(p.st.keys.anwendungGestartet) << p.dialogs.texts().join('\n').toStdString();
    sink.adopt(p.st.keys.anwendungTask);

    // A memory row: not typed.
    testsupport::take(p.st, p.table(), {.wert = 55.5});
    p.main().setText(ctl::frmTransfer::ComboPort, "COM3");
    p.link().cmdConnect_Click();
    p.session->online().optOnline_Click();
    for (const auto& [nr, value] : {std::pair{7, "123.4"}, std::pair{8, "98.25"}}) {
        p.line().push(record(nr, value));
        QCoreApplication::processEvents();
    }
    // Number right-aligned in 7, the value as the table shows it, the material; Enter after each row.
    const QString expected = "      1      123.4  Fe\n      2       98.3  Fe\n";
    EXPECT_EQ(sink.waitFor(expected), expected);
    EXPECT_TRUE(p.dialogs.shown.isEmpty()) << p.dialogs.texts().join('\n').toStdString();
}
