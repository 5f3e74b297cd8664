#pragma once

#include <QString>
#include <QStringList>

namespace kestrune {

// Which language the game speaks. Codes are the ones we ship translations
// for ("en", "de", "fr", "es", "ru") and "pseudo", the lengthened English
// that shows where a layout has no room for longer texts.
class LanguageChoice
{
public:
    static inline const QString english = QStringLiteral("en");
    static inline const QString pseudo = QStringLiteral("pseudo");

    // The shipped languages, English first.
    static QStringList shipped();
    // Every code --language takes: the shipped ones, then "pseudo".
    static QStringList codes();
    static bool isKnown(const QString &code);

    // The first of the system's user-interface languages (most wanted
    // first, as QLocale::uiLanguages() gives them: "de-CH", "fr", ...) that
    // we ship, by its language alone; English when none is.
    static QString fromUiLanguages(const QStringList &uiLanguages);

    LanguageChoice() = delete;
};

} // namespace kestrune
