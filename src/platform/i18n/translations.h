#pragma once

#include <QString>

#include <memory>
#include <vector>

class QTranslator;

namespace kestrune {

// Makes the application speak one language: the game's own texts from the
// embedded catalogue (:/i18n/kestrune_<code>.qm), Qt's own texts (a line
// edit's context menu) from the system's Qt translations where installed,
// and numbers and dates in that language's locale. Install before the first
// widget is built: widgets read their texts as they are made. GUI thread.
class Translations
{
public:
    Translations();
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // Replaces what an earlier call installed. `code` is one of
    // LanguageChoice::codes(); false, with nothing changed, for any other
    // or for a catalogue that does not load.
    bool install(const QString &code);
    // Takes the translators out again; the default locale stays.
    void remove();

    // Where the game's catalogue for a shipped language is embedded.
    static QString catalogue(const QString &code);
    // Where the system keeps Qt's own translations.
    static QString qtTranslationsFolder();

private:
    std::vector<std::unique_ptr<QTranslator>> m_installed;
};

} // namespace kestrune
