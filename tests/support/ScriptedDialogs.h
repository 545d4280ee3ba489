#pragma once

#include "shell/Dialogs.h"

#include <QList>
#include <QStringList>

namespace testsupport {

// Records every message box and answers from a script (default: Ok / Yes / cancel).
class ScriptedDialogs : public shell::Dialogs
{
public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title; // the effective title (application title when none was given)
    };

    Answer messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override
    {
        shown.append({text, buttons, icon, title.isEmpty() ? applicationTitle : title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }
    QString openFile(const QString&, const QString& folder, const QString&) override
    {
        lastFolder = folder;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString saveFile(const QString&, const QString& folder, const QString&) override
    {
        lastFolder = folder;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QPagedPaintDevice* choosePrinter() override
    {
        ++printerChoices;
        return printer;
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }

    QList<Shown> shown;
    QList<Answer> answers;
    QStringList files;
    QString lastFolder;
    // The device the printer dialog answers with; nullptr is a cancelled dialog.
    QPagedPaintDevice* printer = nullptr;
    int printerChoices = 0;
};

} // namespace testsupport
