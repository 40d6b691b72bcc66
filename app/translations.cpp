#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InstallTranslations(QCoreApplication& app, const QLocale& locale)
{
    // English is the language the texts are written in: no catalogue stands between.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return;
    auto* own = new QTranslator(&app);
    if (own->load(locale, QStringLiteral("trivex"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}
