#pragma once

#include "shell/InspectionRule.h"

#include <QString>
#include <QStringList>

// The inspection rule on the command line of read, online and export ("--rule 8020|9010|pa2" and the limits and
// settings that go with it). What is given stands in for Limit.ini and Regel.ini; the rest comes from them.
struct RuleOptions {
    shell::RuleStandIn standIn;

    // The option names, all taking a value.
    static const QStringList& names();
    // Takes one option; false with the reason in error.
    bool take(const QString& name, const QString& value, QString& error);
    // The options' part of --help.
    static QString helpText();
};
