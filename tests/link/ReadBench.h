#pragma once

#include "Program.h"
#include "SimulatedGauge.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "link/QtSerialLayer.h"
#include "shell/Wait.h"
#include "table/TableSession.h"

#include <QObject>
#include <QTemporaryDir>

// One edition's program and a simulated gauge on COM<com>, reached through the real serial layer. Unless told
// not to, the table and the memory reader take the memories after connecting, and every text of the memory
// display and every value of the progress bar is recorded.
struct ReadBench {
    Program prog;
    SimulatedGauge gauge;
    std::unique_ptr<instrument::QtSerialLayer> layer;
    std::unique_ptr<instrument::LinkSession> link;
    std::unique_ptr<table::TableSession> table;
    std::unique_ptr<instrument::MemoryReader> reader;
    int memoryReads = 0;
    int onlineStarts = 0;
    QStringList displayTexts;  // txtSpeicher, in order
    QList<int> progressValues; // prgLesen value while visible
    QList<int> progressMaxima;

    ReadBench(const QString& edition, const QStringList& simOptions, int com = 7, bool readMemories = true)
        : prog(edition)
    {
        if (!gauge.start(simOptions + QStringList{"--com", QString::number(com)}))
            return;
        layer = std::make_unique<instrument::QtSerialLayer>();
        link = std::make_unique<instrument::LinkSession>(prog.st, *prog.shell, *layer);
        link->hooks().readMemories = [this] {
            ++memoryReads;
            if (reader)
                reader->ReadAllMemories();
        };
        link->hooks().startOnline = [this] { ++onlineStarts; };
        if (readMemories) {
            table = std::make_unique<table::TableSession>(prog.st);
            reader = std::make_unique<instrument::MemoryReader>(prog.st, *prog.shell, *link, *table);
            link->hooks().updateReadButtons = [this] { reader->updateReadButtons(); };
            link->hooks().reception = [this](int code) { reader->reception(code); };
            shell::ShellHooks& h = prog.shell->hooks();
            table::TableSession* t = table.get();
            h.TabelleFormatieren = [t] { t->TabelleFormatieren(); };
            h.StatistikZuruecksetzen = [t] { t->StatistikZuruecksetzen(); };
            h.relabelMemoryOptions = [t] { t->relabelOptions(); };
            shell::FormState& f = prog.main();
            QObject::connect(&f, &shell::FormState::changed, [this, &f](const QString& name) {
                if (name == "txtSpeicher" && (displayTexts.isEmpty() || displayTexts.last() != f.text(name)))
                    displayTexts << f.text(name);
                if (name == "prgLesen" && f.isVisible(name)) {
                    progressValues << f.prop(name, "value").toInt();
                    progressMaxima << f.prop(name, "max").toInt();
                }
            });
        }
        prog.start(*link);
    }
    bool ready() const { return link != nullptr; }

    // Chooses COM<com> and presses "Verbinden": identification, then the memories.
    void connect(int com = 7)
    {
        prog.main().setText("ComboPort", "COM" + QString::number(com));
        link->ComboPort_Change();
        link->cmdConnect_Click();
    }

    const table::MessRow& row(int view, int r) const { return table->Messdaten.at(view, r); }
    int rows(int view) const { return table->Messdaten.rowCount(view); }
    QString caption(const char* name) { return prog.main().text(name); }
};

// Simulator options for a model, unpaced unless more options say otherwise.
inline QStringList sim(const char* model, const QStringList& more = {})
{
    return QStringList{"--model", model, "--fast"} + more;
}

#define START_OR_SKIP(b)                                                                                               \
    if (!(b).ready())                                                                                                  \
    GTEST_SKIP() << (b).gauge.error().toStdString()
