#include "FakeLine.h"
#include "Program.h"
#include "link/LinkSession.h"
#include "link/PortTable.h"
#include "shell/Controls.h"

#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;

using instrument::LinkSession;
using instrument::PortChoice;
using instrument::PortTable;

TEST(PortTable, FixedTableAndPortsIniOverrides)
{
    testsupport::Sandbox sb;
    // The edges of each block of the fixed table.
    const std::pair<int, const char*> table[] = {{1, "/dev/ttyS0"},    {32, "/dev/ttyS31"},  {33, "/dev/ttyUSB0"},
                                                 {49, "/dev/ttyACM0"}, {66, "/dev/rfcomm1"}, {81, ""}};
    for (const auto& [com, device] : table)
        EXPECT_EQ(PortTable::defaultEntry(com).device, device) << com;
    EXPECT_EQ(PortTable::defaultNumber("ttyUSB2"), 35);
    EXPECT_EQ(PortTable::defaultNumber("ttyUSB02"), 0);
    EXPECT_EQ(PortTable::numberOf("LPT1"), 0);

    // Windows-1252, CR LF; a pinned line wins over the table; broken lines are skipped.
    const QString existing = sb.root() + "/gauge";
    testsupport::Sandbox::writeFile(existing, "x");
    testsupport::Sandbox::writeFile(PortTable::portsIniPath(), "COM1;" + existing.toLocal8Bit() +
                                                                   ";BTH Messger\xe4t;\r\n"
                                                                   "garbage\r\nCOMx;/dev/null;VCP;\r\n"
                                                                   "COM40;/nowhere/tty;VCP cable;\r\n");
    EXPECT_EQ(PortTable::readPortsIni().size(), 2);
    EXPECT_EQ(PortTable::resolve(1).device, existing);
    EXPECT_EQ(PortTable::info("COM1").type, "BTH Messgerät");
    // A pinned device that is missing is no port at all.
    EXPECT_TRUE(PortTable::info("COM40").name.isEmpty() && PortTable::presentPorts().contains(1));
    EXPECT_FALSE(PortTable::presentPorts().contains(40));
}

TEST(PortList, EntryFormatAndEditionFilters)
{
    EXPECT_EQ(PortChoice::portListEntry("COM3", "VCP x"), "COM3           VCP x");
    EXPECT_EQ(PortChoice::portListEntry("COM12", "BTH simulated gauge"), "COM12BTH simulated gauge");

    Program prog("FT"); // cable edition
    FakeLine& line = prog.line();
    line.ports["COM1"] = {"COM1", "OK", "ttyS0", {}};
    line.ports["COM2"] = {"COM2", "OK", "ttyS1", {}};
    line.ports["COM7"] = {"COM7", {}, "BTH rfcomm0", {}};
    line.ports["COM34"] = {"COM34", {}, "vcp ttyUSB1", {}};
    line.ports["COM201"] = {"COM201", {}, "VCP last", {}};
    LinkSession& link = prog.link();
    prog.start();
    EXPECT_EQ(prog.main().items(Main::ComboPort),
              (QStringList{"COM1           ttyS0", "COM34    vcp ttyUSB1", "COM201       VCP last"}));
    EXPECT_EQ(prog.st.forms[Wait::form].text(Wait::Waitmessage), "Fertig");

    prog.st.edition.interfaceKind = "B";
    link.enumeratePorts();
    EXPECT_EQ(prog.main().items(Main::ComboPort), QStringList{"COM7     BTH rfcomm0"});
    line.ports["COM1"].type = "BTH com1";
    link.enumeratePorts();
    EXPECT_EQ(prog.main().items(Main::ComboPort).size(), 2);
}

TEST(PortList, ChoiceAndNumber)
{
    Program prog("RD");
    FakeLine& line = prog.line();
    LinkSession& link = prog.link();
    prog.start();
    shell::FormState& f = prog.main();

    // At start-up the saved port was checked: nothing saved, nothing listed.
    EXPECT_FALSE(f.isEnabled(Main::cmdConnect));
    EXPECT_EQ(f.text(Main::txtWait), "Bitte gültigen COM-Port wählen !");

    // Empty list: the text is cleared and the button keeps its state.
    f.setEnabled(Main::cmdConnect, true);
    f.setText(Main::ComboPort, "COM3");
    link.ComboPort_Change();
    EXPECT_EQ(f.text(Main::ComboPort), QString());
    EXPECT_EQ(f.text(Main::txtWait), "Kein Com-Port verfügbar!");
    EXPECT_TRUE(f.isEnabled(Main::cmdConnect));

    // Any piece of a listed entry is accepted; a text in none is not.
    f.setItems(Main::ComboPort, {"COM3     BTH rfcomm0", "COM12BTH gauge"});
    f.setEnabled(Main::cmdConnect, false);
    f.setText(Main::ComboPort, "M12BT");
    link.ComboPort_Click();
    EXPECT_TRUE(f.isEnabled(Main::cmdConnect) && !f.isVisible(Main::txtWait));
    for (const char* text : {"", "COM4"}) {
        f.setText(Main::ComboPort, text);
        link.ComboPort_Change();
        EXPECT_FALSE(f.isEnabled(Main::cmdConnect)) << text;
        EXPECT_EQ(f.text(Main::txtWait), "Bitte gültigen COM-Port wählen !") << text;
        EXPECT_TRUE(f.isVisible(Main::txtWait));
    }

    const std::pair<const char*, const char*> numbers[] = {{"COM12BTH gauge", "12"}, {"COM150 x", "150"}, {"COMx", ""}};
    for (const auto& [text, number] : numbers)
        EXPECT_EQ(PortChoice::portNumberPiece(text).trimmed(), number) << text;

    // Without a number the old port stays; the connect writes nothing when the port cannot open.
    prog.st.link.portNumber = "5";
    line.openResult = instrument::OpenError::Unavailable;
    f.setText(Main::ComboPort, "COMabc");
    link.cmdConnect_Click();
    EXPECT_EQ(prog.st.link.portNumber, "5");
    f.setText(Main::ComboPort, "COM12   ");
    link.cmdConnect_Click();
    EXPECT_EQ(prog.st.link.portNumber.trimmed(), "12");
}
