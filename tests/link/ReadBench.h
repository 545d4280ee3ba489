#pragma once

#include "Program.h"
#include "SimulatedGauge.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "shell/Controls.h"
#include "shell/Wait.h"
#include "table/TableSession.h"

#include <QObject>

// One edition's program and a simulated gauge on COM<com>, reached through the real serial layer. Unless told
// not to, the memories are read after connecting; every text of the memory display and every value of the
// progress bar is recorded.
struct ReadBench {
    testsupport::Sandbox sandbox;
    SimulatedGauge gauge;
    bool started; // the gauge runs (before the program is made)
    Program prog;
    int memoryReads = 0;
    int onlineStarts = 0;
    QStringList displayTexts;  // txtSpeicher, in order
    QList<int> progressValues; // prgLesen value while visible
    QList<int> progressMaxima;

    // The gauge is there before the program starts, as when it is switched on first.
    ReadBench(const QString& edition, const QStringList& simOptions, int com = 7, bool readMemories = true)
        : started(gauge.start(simOptions + QStringList{"--com", QString::number(com)})),
          prog(sandbox, edition, Program::Line::Real)
    {
        if (!started)
            return;
        if (!readMemories)
            prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
        QObject::connect(&prog.link(), &instrument::LinkSession::readRequested, [this] { ++memoryReads; });
        QObject::connect(&prog.link(), &instrument::LinkSession::onlineRequested, [this] { ++onlineStarts; });
        shell::FormState& f = prog.main();
        QObject::connect(&f, &shell::FormState::changed, [this, &f](const QString& name) {
            if (name == ctl::frmTransfer::txtSpeicher &&
                (displayTexts.isEmpty() || displayTexts.last() != f.text(name)))
                displayTexts << f.text(name);
            if (name == ctl::frmTransfer::prgLesen && f.isVisible(name)) {
                progressValues << f.control(name).value;
                progressMaxima << f.control(name).maximum;
            }
        });
        prog.start();
    }
    bool ready() const { return started; }

    // Chooses COM<com> and presses "Verbinden": identification, then the memories.
    void connect(int com = 7) { prog.connect(com); }

    instrument::SerialLayer& layer() { return prog.session->layer(); }
    table::TableSession& table() { return prog.table(); }
    const table::MessRow& row(int view, int r) { return prog.table().Messdaten.at(view, r); }
    int rows(int view) { return prog.table().Messdaten.rowCount(view); }
    QString caption(const QString& name) { return prog.main().text(name); }
};

// A record in the instrument's columns (number 1-4, value 7-16, unit 18-21, material 23-25), CR LF ended.
inline QString record(int nr, const QString& value, const QString& unit, const QString& material = "Fe")
{
    return QString::number(nr).rightJustified(4) + "  " + value.rightJustified(10) + ' ' + unit.leftJustified(4) + ' ' +
           material.rightJustified(3) + "\r\n";
}

// Simulator options for a model, unpaced unless more options say otherwise.
inline QStringList sim(const char* model, const QStringList& more = {})
{
    return QStringList{"--model", model, "--fast"} + more;
}

// A simulator that cannot start fails the test.
#define START_OR_FAIL(b) ASSERT_TRUE((b).ready()) << (b).gauge.error().toStdString()
