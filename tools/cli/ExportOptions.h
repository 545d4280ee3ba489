#pragma once

#include "RuleOptions.h"

#include <QString>
#include <QStringList>

// The command line of "varnotek-cli export FILE.mes --to txt|pdf|odt|xlsx|report --out PATH [--chart] [--view
// 1|2|online]".
struct ExportOptions {
    enum class Target { Txt, Pdf, Odt, Xlsx, Report };
    enum class View { Memory1, Memory2, Online };

    QString file;
    Target to = Target::Txt;
    QString out;
    bool chart = false; // the answer to the workbook's chart question
    View view = View::Memory1;
    RuleOptions rule; // the inspection rule given

    // arguments: everything after "export". --edition and --lang are the options every command shares; they go
    // to edition and sprache. False with the reason in error for anything the usage does not allow.
    bool parse(const QStringList& arguments, QString& edition, int& sprache, QString& error);

    // The view index of the table (0 memory 1, 1 memory 2, 2 online).
    int viewIndex() const { return view == View::Memory1 ? 0 : view == View::Memory2 ? 1 : 2; }

    // True when the command line names the export command: it needs a GUI application for its fonts.
    static bool named(int argc, char** argv);
};
