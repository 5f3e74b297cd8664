#include "languagechoice.h"

#include <QLocale>

namespace kestrune {

QStringList LanguageChoice::shipped()
{
    return {english, QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("es"), QStringLiteral("ru")};
}

QStringList LanguageChoice::codes()
{
    return shipped() << pseudo;
}

bool LanguageChoice::isKnown(const QString &code)
{
    return codes().contains(code);
}

QString LanguageChoice::fromUiLanguages(const QStringList &uiLanguages)
{
    const QStringList ours = shipped();
    for (const QString &name : uiLanguages) {
        // "de-CH", "pt_BR", "ru": the language alone decides. QLocale
        // resolves the name; "C" and nonsense come out as no language.
        const QLocale locale(name);
        if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
            continue;
        const QString code = QLocale::languageToCode(locale.language());
        if (ours.contains(code))
            return code;
    }
    return english;
}

} // namespace kestrune
