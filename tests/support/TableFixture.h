#pragma once

#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "TakeValue.h"
#include "shell/AppState.h"
#include "shell/Controls.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"

#include <QDir>
#include <gtest/gtest.h>

#include <memory>

namespace Main = ctl::frmTransfer;

// A table session on a fresh state in a sandbox: coating instrument "FN5" with Fe/NFe memories, rows carrying a
// material, German texts unless a test switches, no limits.
class TableFixture : public ::testing::Test
{
protected:
    explicit TableFixture(const QByteArray& locale = "en_US.UTF-8") : sb(locale) { restart(); }

    // A new program run on the same folders: fresh state and table.
    void restart()
    {
        table.reset();
        st = std::make_unique<shell::AppState>();
        st->edition.programTitle = "TEST V3.1";
        st->texte.LoadMessageTable(st->edition.programTitle);
        st->texte.LoadCaptionTable();
        st->dialogs = &dialogs;
        dialogs.applicationTitle = st->edition.programTitle;
        st->device.geraet = "FN5";
        st->device.memoryMode = "2N";
        st->edition.signMode = "0";
        st->edition.materialMode = "1";
        st->heuteDatum = "01.02.2024";
        st->edition.AppDataPath = sb.data() + QStringLiteral("/app");
        st->edition.MessDataPath = sb.data() + QStringLiteral("/mess");
        QDir().mkpath(st->edition.AppDataPath);
        QDir().mkpath(st->edition.MessDataPath);
        st->log.setFolder(st->edition.AppDataPath);
        st->absolut = false;
        table = std::make_unique<table::TableSession>(*st);
        table->jetztZeit = "10:00:00";
    }

    void add(const testsupport::Value& v) { testsupport::take(*st, *table, v); }
    void addAll(std::initializer_list<double> values)
    {
        for (double v : values)
            add({.wert = v});
    }
    QStringList stat() { return st->main().items(Main::lstStat); }
    table::FlexGridModel& grid() { return table->grid(); }
    QString log() const { return shell::TextFile::decode(testsupport::Sandbox::readFile(st->log.path())); }

    testsupport::Sandbox sb;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<shell::AppState> st;
    std::unique_ptr<table::TableSession> table;
};
