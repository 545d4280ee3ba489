#include "WindowIcons.h"

#include "shell/EditionInfo.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ui {

WindowIcons::WindowIcons(QWidget& main, const shell::EditionInfo& edition)
    : QObject(&main), m_main(&main), m_edition(edition)
{
    // Dialogs are made by several parts of the program; their show events are the one place all of them pass.
    qApp->installEventFilter(this);
}

WindowIcons::~WindowIcons()
{
    qApp->removeEventFilter(this);
}

QIcon WindowIcons::programIcon(const QString& programFolder)
{
    // The X11 window icon takes sizes up to 256 pixels only: the large picture alone would give no icon there.
    QIcon fallback(programFolder + QStringLiteral("/Varnotek.ico"));
    fallback.addFile(programFolder + QStringLiteral("/varnotek.png"));
    return QIcon::fromTheme(themeName(), fallback);
}

QIcon WindowIcons::icon()
{
    // The branding is decided during start-up: the icon is made again when its source has changed.
    const QString from = m_edition.windowIconPath.isEmpty() ? m_edition.appPath : m_edition.windowIconPath;
    if (m_icon.isNull() || from != m_iconFrom) {
        m_iconFrom = from;
        m_icon = m_edition.windowIconPath.isEmpty() ? programIcon(m_edition.appPath) : QIcon(m_edition.windowIconPath);
    }
    return m_icon;
}

void WindowIcons::applyToAll()
{
    if (!m_main)
        return;
    apply(m_main);
    for (QWidget* w : m_main->findChildren<QWidget*>())
        if (w->isWindow() && belongsToMain(w))
            apply(w);
}

bool WindowIcons::belongsToMain(const QWidget* window) const
{
    // Menus, drop-down lists and tool tips are windows too, but the window system shows no icon for them.
    const Qt::WindowType type = window->windowType();
    if (type != Qt::Window && type != Qt::Dialog)
        return false;
    for (const QObject* o = window; o; o = o->parent())
        if (o == m_main)
            return true;
    return false;
}

void WindowIcons::apply(QWidget* window)
{
    const QIcon i = icon();
    if (i.isNull())
        return; // no picture at all: the desktop's default stands
    // An icon only inherited from the parent does not reach the window system: each window needs its own.
    if (!window->testAttribute(Qt::WA_SetWindowIcon) || window->windowIcon().cacheKey() != i.cacheKey())
        window->setWindowIcon(i);
}

bool WindowIcons::eventFilter(QObject* watched, QEvent* event)
{
    // Shown but not yet mapped: the icon is in place before the window system sees the window.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && belongsToMain(w))
            apply(w);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
