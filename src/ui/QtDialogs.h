#pragma once

#include "shell/Dialogs.h"

#include <QPointer>

#include <memory>

class QWidget;
class QPrinter;

namespace ui {

// The real dialogs of the desktop program.
class QtDialogs : public shell::Dialogs
{
public:
    explicit QtDialogs(QWidget* parent = nullptr);
    ~QtDialogs() override;
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    void notify(const QString& text, Icon icon, const QString& title) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& folder, const QString& filter) override;
    QPagedPaintDevice* choosePrinter() override;

    QPrinter* printer();

private:
    QPointer<QWidget> m_parent;
    // Kept for the run, so the next print starts from the printer and settings chosen last.
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace ui
