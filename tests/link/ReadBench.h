#pragma once

#include "Program.h"
#include "SimulatedGauge.h"
#include "link/MemoryReader.h"
#include "link/QtSerialLayer.h"
#include "shell/Wait.h"
#include "table/TableSession.h"

#include <QObject>
#include <QTemporaryDir>

// One edition's program with the measurement table and the memory reader, and a simulated gauge on COM<com>
// reached through the real serial layer. Records every text the memory display and the progress bar show.
struct ReadBench {
    Program prog;
    SimulatedGauge gauge;
    std::unique_ptr<instrument::QtSerialLayer> layer;
    std::unique_ptr<instrument::LinkSession> link;
    std::unique_ptr<table::TableSession> table;
    std::unique_ptr<instrument::MemoryReader> reader;
    int onlineStarts = 0;
    QStringList displayTexts;  // txtSpeicher, in order
    QList<int> progressValues; // prgLesen value while visible
    QList<int> progressMaxima;

    ReadBench(const QString& edition, QStringList simOptions, int com = 7) : prog(edition)
    {
        if (!gauge.start(simOptions + QStringList{QStringLiteral("--com"), QString::number(com)}))
            return;
        layer = std::make_unique<instrument::QtSerialLayer>();
        link = std::make_unique<instrument::LinkSession>(prog.st, *prog.shell, *layer);
        table = std::make_unique<table::TableSession>(prog.st);
        reader = std::make_unique<instrument::MemoryReader>(prog.st, *prog.shell, *link, *table);
        link->hooks().updateReadButtons = [this] { reader->updateReadButtons(); };
        link->hooks().readMemories = [this] { reader->ReadAllMemories(); };
        link->hooks().startOnline = [this] { ++onlineStarts; };
        link->hooks().reception = [this](int code) { reader->reception(code); };
        shell::ShellHooks& h = prog.shell->hooks();
        table::TableSession* t = table.get();
        h.TabelleFormatieren = [t] { t->TabelleFormatieren(); };
        h.StatistikZuruecksetzen = [t] { t->StatistikZuruecksetzen(); };
        h.relabelMemoryOptions = [t] { t->relabelOptions(); };
        shell::FormState& f = prog.main();
        QObject::connect(&f, &shell::FormState::changed, [this, &f](const QString& name) {
            if (name == QLatin1String("txtSpeicher") && (displayTexts.isEmpty() || displayTexts.last() != f.text(name)))
                displayTexts << f.text(name);
            if (name == QLatin1String("prgLesen") && f.isVisible(name)) {
                progressValues << f.prop(name, QStringLiteral("value")).toInt();
                progressMaxima << f.prop(name, QStringLiteral("max")).toInt();
            }
        });
        prog.start(*link);
    }
    bool ready() const { return link != nullptr; }

    // A memory file for the simulator (written before the bench starts it).
    static QString memoryFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
    {
        const QString path = dir.path() + QLatin1Char('/') + name;
        testsupport::Sandbox::writeFile(path, content);
        return path;
    }

    // Chooses COM<com> and presses "Verbinden": identification, then the memories.
    void connect(int com = 7)
    {
        prog.main().setText(QStringLiteral("ComboPort"), QStringLiteral("COM") + QString::number(com));
        link->ComboPort_Change();
        link->cmdConnect_Click();
    }

    const table::MessRow& row(int view, int r) const { return table->Messdaten.at(view, r); }
    int rows(int view) const { return table->Messdaten.rowCount(view); }
    QString caption(const char* name) { return prog.main().text(QString::fromLatin1(name)); }
};
