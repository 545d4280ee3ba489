#include "FakeLine.h"
#include "Program.h"
#include "link/PortTable.h"

#include <gtest/gtest.h>

using instrument::LinkSession;
using instrument::PortInfo;
using instrument::PortTable;

TEST(PortTable, FixedTableAndPortsIniOverrides)
{
    testsupport::Sandbox sb;
    EXPECT_EQ(PortTable::defaultEntry(1).device, QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(PortTable::defaultEntry(32).device, QStringLiteral("/dev/ttyS31"));
    EXPECT_EQ(PortTable::defaultEntry(33).device, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(PortTable::defaultEntry(49).device, QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(PortTable::defaultEntry(66).device, QStringLiteral("/dev/rfcomm1"));
    EXPECT_TRUE(PortTable::defaultEntry(81).device.isEmpty());
    EXPECT_EQ(PortTable::defaultNumber(QStringLiteral("ttyUSB2")), 35);
    EXPECT_EQ(PortTable::defaultNumber(QStringLiteral("ttyUSB02")), 0);
    EXPECT_EQ(PortTable::defaultNumber(QStringLiteral("ttySX")), 0);
    EXPECT_EQ(PortTable::numberOf(QStringLiteral("COM12")), 12);
    EXPECT_EQ(PortTable::numberOf(QStringLiteral("LPT1")), 0);

    // Windows-1252, CR LF; a pinned line wins over the table; broken lines are skipped.
    const QString existing = sb.root() + QStringLiteral("/gauge");
    testsupport::Sandbox::writeFile(existing, "x");
    testsupport::Sandbox::writeFile(PortTable::portsIniPath(), "COM1;" + existing.toLocal8Bit() +
                                                                   ";BTH Messger\xe4t;\r\n"
                                                                   "garbage\r\nCOMx;/dev/null;VCP;\r\n"
                                                                   "COM40;/nowhere/tty;VCP cable;\r\n");
    const auto pinned = PortTable::readPortsIni();
    ASSERT_EQ(pinned.size(), 2);
    EXPECT_EQ(PortTable::resolve(1).device, existing);
    EXPECT_EQ(PortTable::resolve(1).type, QStringLiteral("BTH Messgerät"));
    const PortInfo com1 = PortTable::info(QStringLiteral("COM1"));
    EXPECT_EQ(com1.name, QStringLiteral("COM1"));
    EXPECT_EQ(com1.type, QStringLiteral("BTH Messgerät"));
    // A pinned device that is missing is no port at all.
    EXPECT_TRUE(PortTable::info(QStringLiteral("COM40")).name.isEmpty());
    EXPECT_TRUE(PortTable::presentPorts().contains(1));
    EXPECT_FALSE(PortTable::presentPorts().contains(40));
}

TEST(PortList, EntryFormatAndEditionFilters)
{
    EXPECT_EQ(LinkSession::portListEntry(QStringLiteral("COM3"), QStringLiteral("VCP x")),
              QStringLiteral("COM3           VCP x"));
    EXPECT_EQ(LinkSession::portListEntry(QStringLiteral("COM12"), QStringLiteral("BTH simulated gauge")),
              QStringLiteral("COM12BTH simulated gauge"));

    Program prog(QStringLiteral("FT")); // cable edition
    FakeLine line;
    line.ports[QStringLiteral("COM1")] = {QStringLiteral("COM1"), QStringLiteral("OK"), QStringLiteral("ttyS0"), {}};
    line.ports[QStringLiteral("COM2")] = {QStringLiteral("COM2"), QStringLiteral("OK"), QStringLiteral("ttyS1"), {}};
    line.ports[QStringLiteral("COM7")] = {QStringLiteral("COM7"), {}, QStringLiteral("BTH rfcomm0"), {}};
    line.ports[QStringLiteral("COM34")] = {QStringLiteral("COM34"), {}, QStringLiteral("vcp ttyUSB1"), {}};
    line.ports[QStringLiteral("COM201")] = {QStringLiteral("COM201"), {}, QStringLiteral("VCP last"), {}};
    LinkSession link(prog.st, *prog.shell, line);
    prog.start(link);
    EXPECT_EQ(prog.main().items(QStringLiteral("ComboPort")),
              (QStringList{QStringLiteral("COM1           ttyS0"), QStringLiteral("COM34    vcp ttyUSB1"),
                           QStringLiteral("COM201       VCP last")}));
    shell::FormState& wait = prog.st.forms[QStringLiteral("frmWait")];
    EXPECT_EQ(wait.prop(QStringLiteral("WaitBar"), QStringLiteral("value")).toInt(), 200);
    EXPECT_EQ(wait.text(QStringLiteral("Waitmessage")), QStringLiteral("Fertig"));
    EXPECT_TRUE(prog.main().isVisible(QStringLiteral("ComboPort")));

    prog.st.interfaceKind = QStringLiteral("B");
    link.enumeratePorts();
    EXPECT_EQ(prog.main().items(QStringLiteral("ComboPort")), QStringList{QStringLiteral("COM7     BTH rfcomm0")});
    line.ports[QStringLiteral("COM1")].type = QStringLiteral("BTH com1");
    link.enumeratePorts();
    EXPECT_EQ(prog.main().items(QStringLiteral("ComboPort")).size(), 2);
}

TEST(PortList, ChoiceAndNumber)
{
    Program prog(QStringLiteral("RD"));
    FakeLine line;
    LinkSession link(prog.st, *prog.shell, line);
    prog.start(link);
    shell::FormState& f = prog.main();

    // Empty list: the text is cleared and the button keeps its state.
    f.setText(QStringLiteral("ComboPort"), QStringLiteral("COM3"));
    link.ComboPort_Change();
    EXPECT_EQ(f.text(QStringLiteral("ComboPort")), QString());
    EXPECT_EQ(f.text(QStringLiteral("txtWait")), QStringLiteral("Kein Com-Port verfügbar!"));
    EXPECT_TRUE(f.isEnabled(QStringLiteral("cmdConnect")));

    f.setItems(QStringLiteral("ComboPort"), {QStringLiteral("COM3     BTH rfcomm0"), QStringLiteral("COM12BTH gauge")});
    for (const char* text : {"COM12", "COM3", "M12BT", "rfcomm"}) {
        f.setEnabled(QStringLiteral("cmdConnect"), false);
        f.setText(QStringLiteral("ComboPort"), QString::fromLatin1(text));
        link.ComboPort_Click();
        EXPECT_TRUE(f.isEnabled(QStringLiteral("cmdConnect"))) << text;
        EXPECT_FALSE(f.isVisible(QStringLiteral("txtWait"))) << text;
        EXPECT_EQ(f.text(QStringLiteral("txtWait")), QStringLiteral(" "));
    }
    for (const char* text : {"", " ", "COM4"}) {
        f.setText(QStringLiteral("ComboPort"), QString::fromLatin1(text));
        link.ComboPort_Change();
        EXPECT_FALSE(f.isEnabled(QStringLiteral("cmdConnect"))) << text;
        EXPECT_EQ(f.text(QStringLiteral("txtWait")), QStringLiteral("Bitte gültigen COM-Port wählen !")) << text;
        EXPECT_TRUE(f.isVisible(QStringLiteral("txtWait")));
    }

    EXPECT_EQ(LinkSession::portNumberPiece(QStringLiteral("COM12   ")).trimmed().toInt(), 12);
    EXPECT_EQ(LinkSession::portNumberPiece(QStringLiteral("COM3    ")).trimmed().toInt(), 3);
    EXPECT_EQ(LinkSession::portNumberPiece(QStringLiteral("COM12BTH gauge")), QStringLiteral("12"));
    EXPECT_EQ(LinkSession::portNumberPiece(QStringLiteral("COM7     BTH rfcomm0")).trimmed(), QStringLiteral("7"));
    EXPECT_EQ(LinkSession::portNumberPiece(QStringLiteral("COM150 x")), QStringLiteral("150"));
    EXPECT_TRUE(LinkSession::portNumberPiece(QStringLiteral("COMx")).isEmpty());

    // Without a number the old port stays; the connect writes nothing when the port cannot open.
    prog.st.portNumber = QStringLiteral("5");
    line.openResult = instrument::OpenError::Unavailable;
    f.setText(QStringLiteral("ComboPort"), QStringLiteral("COMabc"));
    link.cmdConnect_Click();
    EXPECT_EQ(prog.st.portNumber, QStringLiteral("5"));
    f.setText(QStringLiteral("ComboPort"), QStringLiteral("COM12   "));
    link.cmdConnect_Click();
    EXPECT_EQ(prog.st.portNumber.trimmed(), QStringLiteral("12"));
}
