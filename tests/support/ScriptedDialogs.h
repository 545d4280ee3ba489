#pragma once

#include "shell/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

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
        whileOpen();
        shown.append({text, buttons, icon, title.isEmpty() ? applicationTitle : title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }
    // Boxes that do not wait are recorded with the others, as Ok boxes; notified counts them.
    void notify(const QString& text, Icon icon, const QString& title) override
    {
        shown.append({text, Buttons::Ok, icon, title.isEmpty() ? applicationTitle : title});
        ++notified;
    }
    QString openFile(const QString&, const QString& folder, const QString&) override
    {
        whileOpen();
        lastFolder = folder;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString saveFile(const QString&, const QString& folder, const QString&) override
    {
        whileOpen();
        lastFolder = folder;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QPagedPaintDevice* choosePrinter() override
    {
        whileOpen();
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
    int notified = 0;
    // Runs while a waiting dialog is open, as the events that its own event loop lets in (an online value).
    std::function<void()> duringDialog;

private:
    void whileOpen()
    {
        if (duringDialog)
            duringDialog();
    }
};

} // namespace testsupport
