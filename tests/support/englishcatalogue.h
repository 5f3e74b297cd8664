#pragma once

#include "platform/i18n/translations.h"

#include <QCoreApplication>
#include <QTranslator>

// The program speaks English through its English catalogue, which holds the
// plural forms ("1 shot", "2 shots"); a test that reads the game's texts
// includes this header (in one file) to see the same as soon as its
// application object exists. The locale is left as the test set it.
static void installEnglishCatalogue()
{
    static QTranslator english;
    const QString file = kestrune::Translations::catalogue(QStringLiteral("en"));
    if (!english.load(file))
        qFatal("The English catalogue %s is not embedded", qPrintable(file));
    QCoreApplication::installTranslator(&english);
}

Q_COREAPP_STARTUP_FUNCTION(installEnglishCatalogue)
