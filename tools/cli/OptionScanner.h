#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

// One pass over a command's arguments: "--name value", "--name=value", switches without a value and plain
// arguments, each option at most once, with the same messages for every command.
struct OptionScanner {
    using Setter = std::function<bool(const QString& name, const QString& value)>;
    std::map<QString, Setter> values;
    std::map<QString, std::function<void()>> switches;
    std::function<bool(const QString& argument)> plain; // unset: plain arguments are refused

    // False with the message in error; command names the command in it ("read", "export").
    bool scan(const QStringList& arguments, const QString& command, QString& error) const;
};
