#include "Sandbox.h"
#include "shell/FirstStart.h"
#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using shell::FirstStart;
using testsupport::Sandbox;

namespace {

struct FirstStartTest : ::testing::Test {
    FirstStartTest()
    {
        folders.AppDataPath = sb.config() + "/Varnotek/RONDO TRANSFER";
        folders.MessDataPath = sb.data() + "/Varnotek/RONDO TRANSFER";
        folders.programFolder = sb.root() + "/share/varnotek-transfer";
        Sandbox::writeFile(folders.programFolder + "/DE_Manual_RONDO_TRANSFER.pdf", "%PDF de rondo");
        Sandbox::writeFile(folders.programFolder + "/EN_Manual_QL-7_TRANSFER.pdf", "%PDF en ql7");
        Sandbox::writeFile(folders.programFolder + "/FR_Manual_RONDO_TRANSFER.pdf", "%PDF fr");
        Sandbox::writeFile(folders.programFolder + "/DE_Manual_RONDO.pdf", "%PDF short");
    }
    QString appData(const QString& name) const { return folders.AppDataPath + "/" + name; }
    QString projekt() const { return folders.MessDataPath + "/Projekt.ini"; }

    Sandbox sb;
    FirstStart::Folders folders;
};

} // namespace

TEST_F(FirstStartTest, ExistingFilesAreNeverTouched)
{
    Sandbox::writeFile(projekt(), "# own labels\r\nAuftrag;Order;\r\n");
    Sandbox::writeFile(appData("DE_Manual_RONDO_TRANSFER.pdf"), "user's copy");
    Sandbox::writeFile(folders.AppDataPath + "/Limit.ini", "10;20;15;0;\r\n");

    const FirstStart::Result r = FirstStart::run(folders);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.created, QStringList{appData("EN_Manual_QL-7_TRANSFER.pdf")});
    EXPECT_EQ(Sandbox::readFile(projekt()), "# own labels\r\nAuftrag;Order;\r\n");
    EXPECT_EQ(Sandbox::readFile(appData("DE_Manual_RONDO_TRANSFER.pdf")), "user's copy");
    EXPECT_EQ(Sandbox::readFile(folders.AppDataPath + "/Limit.ini"), "10;20;15;0;\r\n");

    // Run from the build folder, the program folder may be the data folder itself.
    folders.programFolder = folders.AppDataPath;
    EXPECT_TRUE(FirstStart::run(folders).created.isEmpty());
}

TEST(ProgramFolder, BuildFolderThenInstalledShareThenExecutableFolder)
{
    Sandbox sb;
    const QString bin = sb.root() + "/usr/bin";
    QDir().mkpath(bin);
    EXPECT_EQ(shell::ProgramFolder::locate(bin), bin); // nothing anywhere

    Sandbox::writeFile(sb.root() + "/usr/share/varnotek-transfer/Konfi.ini", "RD\r\n");
    EXPECT_EQ(shell::ProgramFolder::locate(bin + "/"), sb.root() + "/usr/share/varnotek-transfer");

    Sandbox::writeFile(bin + "/Konfi.ini", "FT\r\n"); // a Konfi.ini beside the program wins, as in the build tree
    EXPECT_EQ(shell::ProgramFolder::locate(bin), bin);
}
