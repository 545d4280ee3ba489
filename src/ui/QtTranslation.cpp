#include "QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace ui {

QtTranslation::QtTranslation(QObject* parent) : QObject(parent) {}

QtTranslation::~QtTranslation()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

bool QtTranslation::apply(int sprache, QString& error)
{
    error.clear();
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
    if (sprache != 0)
        return true;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!m_translator.load(QStringLiteral("qtbase_de"), folder)) {
        error = QStringLiteral("Qt-Übersetzung qtbase_de.qm nicht gefunden in ") + QDir::toNativeSeparators(folder) +
                QStringLiteral(" (Paket qt6-translations-l10n)");
        return false;
    }
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}

} // namespace ui
