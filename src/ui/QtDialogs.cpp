#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace ui {

namespace {

void setIcon(QMessageBox& box, shell::Dialogs::Icon icon)
{
    using Icon = shell::Dialogs::Icon;
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
}

} // namespace

shell::Dialogs::Answer QtDialogs::messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    QMessageBox box(m_parent);
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? applicationTitle : title);
    setIcon(box, icon);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

void QtDialogs::notify(const QString& text, Icon icon, const QString& title)
{
    auto* box = new QMessageBox(m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setText(text);
    box->setWindowTitle(title.isEmpty() ? applicationTitle : title);
    setIcon(*box, icon);
    box->setStandardButtons(QMessageBox::Ok);
    box->show();
}

QString QtDialogs::openFile(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, title, folder, filter);
}

QString QtDialogs::saveFile(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getSaveFileName(m_parent, title, folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QtDialogs::QtDialogs(QWidget* parent) : m_parent(parent) {}

QtDialogs::~QtDialogs() = default;

QPrinter* QtDialogs::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

QPagedPaintDevice* QtDialogs::choosePrinter()
{
    QPrintDialog dlg(printer(), m_parent);
    return dlg.exec() == QDialog::Accepted ? printer() : nullptr;
}

} // namespace ui
