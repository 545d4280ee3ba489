#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>

namespace ui {

// Qt's own texts (standard buttons, file and printer dialogs) in the program's language. Qt's texts are English
// as they come, so only German needs a translation; it is taken from the Qt installation (Debian:
// qt6-translations-l10n).
class QtTranslation : public QObject
{
    Q_OBJECT
public:
    explicit QtTranslation(QObject* parent = nullptr);
    ~QtTranslation() override;

    // Puts Qt's texts of sprache (0 German, 1 English) on the application. False, with the cause in error, when the
    // translation is missing: Qt's texts then stay English.
    bool apply(int sprache, QString& error);

private:
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace ui
