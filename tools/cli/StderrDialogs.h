#pragma once

#include "shell/Dialogs.h"

#include <QStringList>

// Message boxes for a run without a screen: the text goes to standard error and the box answers with its
// default button (Ok, or Yes for questions). File dialogs and the printer choice count as cancelled.
class StderrDialogs : public shell::Dialogs
{
public:
    Answer messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    void notify(const QString& text, Icon, const QString&) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& folder, const QString& filter) override;
    QPagedPaintDevice* choosePrinter() override { return nullptr; }

    // Texts of the boxes shown so far.
    const QStringList& shown() const { return m_shown; }

    // The answer a box gives when nobody is there to choose.
    static Answer defaultAnswer(Buttons buttons);

private:
    QStringList m_shown;
};
