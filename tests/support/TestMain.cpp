// The main of every test program that needs no widgets: an offscreen GUI application with the Escape watcher.
// A test program with its own main (the window tests) does not pull this one from the library.
#include "shell/Wait.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    shell::EscapeWatcher::instance().install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
