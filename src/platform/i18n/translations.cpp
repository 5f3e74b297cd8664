#include "translations.h"

#include "languagechoice.h"
#include "pseudotranslator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kestrune {

Translations::Translations() = default;

Translations::~Translations()
{
    remove();
}

bool Translations::install(const QString &code)
{
    if (!LanguageChoice::isKnown(code))
        return false;
    std::vector<std::unique_ptr<QTranslator>> chosen;
    if (code == LanguageChoice::pseudo) {
        chosen.push_back(std::make_unique<PseudoTranslator>());
    } else {
        auto game = std::make_unique<QTranslator>();
        if (!game->load(catalogue(code)))
            return false;
        chosen.push_back(std::move(game));
        // Qt's own texts: a missing file only leaves them in English.
        auto qt = std::make_unique<QTranslator>();
        if (code != LanguageChoice::english && qt->load(QStringLiteral("qtbase_") + code, qtTranslationsFolder()))
            chosen.push_back(std::move(qt));
    }
    remove();
    for (const auto &translator : chosen)
        QCoreApplication::installTranslator(translator.get());
    m_installed = std::move(chosen);
    // Numbers and dates as the language writes them; the system's own
    // locale where it speaks that language (en_GB keeps its dates). The
    // pseudo-language is English underneath.
    const QLocale language(code == LanguageChoice::pseudo ? LanguageChoice::english : code);
    QLocale::setDefault(QLocale::system().language() == language.language() ? QLocale::system() : language);
    return true;
}

void Translations::remove()
{
    for (const auto &translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
    m_installed.clear();
}

QString Translations::catalogue(const QString &code)
{
    return QStringLiteral(":/i18n/kestrune_%1.qm").arg(code);
}

QString Translations::qtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

} // namespace kestrune
