#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace shell {
struct EditionInfo;
}

namespace ui {

// Gives every window of the program the edition's icon: the partner's icon under the partner branding, else the
// program's own. A window takes it when it is shown, so the dialogs built before start-up has decided the branding
// and those built later get it as well as the main window.
class WindowIcons : public QObject
{
    Q_OBJECT
public:
    // Looks after `main` and every window below it.
    WindowIcons(QWidget& main, const shell::EditionInfo& edition);
    ~WindowIcons() override;

    // The program's own icon: from the installed icon theme, else the pictures in the program folder.
    static QIcon programIcon(const QString& programFolder);
    static QString themeName() { return QStringLiteral("de.varnotek.transfer"); }

    // The icon the edition's windows carry.
    QIcon icon();
    // Gives the icon to `main` and to every window below it (after start-up, for those already shown).
    void applyToAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToMain(const QWidget* window) const;
    void apply(QWidget* window);

    QPointer<QWidget> m_main;
    const shell::EditionInfo& m_edition;
    QString m_iconFrom; // the path the cached icon was made for
    QIcon m_icon;
};

} // namespace ui
