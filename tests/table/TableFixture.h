#pragma once

#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "shell/AppState.h"
#include "table/TableSession.h"

#include <gtest/gtest.h>

#include <memory>

// A table session on a fresh state: German texts, coating instrument "FN5" with Fe/NFe memories, no limits.
class TableFixture : public ::testing::Test
{
protected:
    explicit TableFixture(const QByteArray& locale = "en_US.UTF-8") : sb(locale)
    {
        st.programTitle = QStringLiteral("TEST V3.1");
        st.texte.LoadMessageTable(st.programTitle);
        st.texte.LoadCaptionTable();
        st.dialogs = &dialogs;
        st.geraet = QStringLiteral("FN5");
        st.memoryMode = QStringLiteral("2N");
        st.signMode = QStringLiteral("0");
        st.heuteDatum = QStringLiteral("01.02.2024");
        st.AppDataPath = sb.data();
        st.absolut = false;
        table = std::make_unique<table::TableSession>(st);
        table->jetztZeit = QStringLiteral("10:00:00");
    }

    void add(double wert, const QString& einheit = QStringLiteral("µm  "), const QString& material = QStringLiteral(" Fe"),
             int view = 0)
    {
        const int nr = view == 2 ? table->onlineNr : table->aktZeile;
        ASSERT_TRUE(table->appendRow(view, QString(), QString(), nr, wert, einheit, material));
    }
    void addAll(std::initializer_list<double> values)
    {
        for (double v : values)
            add(v);
    }
    QStringList stat() { return st.main().items(QStringLiteral("lstStat")); }
    table::FlexGridModel& grid() { return table->grid(); }

    testsupport::Sandbox sb;
    testsupport::ScriptedDialogs dialogs;
    shell::AppState st;
    std::unique_ptr<table::TableSession> table;
};
