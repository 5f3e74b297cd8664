#include "tsfile.h"

#include "gameservice/catalogue/catalogue.h"
#include "gameservice/screens/cataloguetext.h"
#include "platform/i18n/languagechoice.h"
#include "platform/i18n/pseudotranslator.h"
#include "platform/i18n/translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>

using namespace kestrune;
using namespace kestrune::testsupport;

class TestI18n : public QObject
{
    Q_OBJECT

private slots:
    void theLanguageFollowsTheSystemsFirstShippedOne_data()
    {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("a region of a shipped language") << QStringList{"de-CH", "de", "en"} << "de";
        QTest::newRow("underscores") << QStringList{"fr_CA"} << "fr";
        QTest::newRow("the first shipped one wins") << QStringList{"pt-BR", "ru-RU", "es"} << "ru";
        QTest::newRow("English before another") << QStringList{"en-GB", "de"} << "en";
        QTest::newRow("a script") << QStringList{"sr-Cyrl-RS", "es-419"} << "es";
        QTest::newRow("none shipped") << QStringList{"pt-BR", "ja"} << "en";
        QTest::newRow("the C locale") << QStringList{"C"} << "en";
        QTest::newRow("nothing") << QStringList{} << "en";
        QTest::newRow("nonsense") << QStringList{"", "@@", "xx-YY"} << "en";
    }
    void theLanguageFollowsTheSystemsFirstShippedOne()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, chosen);
        QCOMPARE(LanguageChoice::fromUiLanguages(uiLanguages), chosen);
    }

    void thePseudoLanguageLengthensAndKeepsWhatTheProgramReads_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("kept"); // in this order, untouched
        QTest::newRow("a word") << "Shot" << QStringList{};
        QTest::newRow("one letter") << "P" << QStringList{};
        QTest::newRow("placeholders") << "Player %1 beat %2's %L3 in %99" << QStringList{"%1", "%2", "%L3", "%99"};
        QTest::newRow("plural") << "%n shots, %Ln points" << QStringList{"%n", "%Ln"};
        QTest::newRow("percent after a number") << "%1%" << QStringList{"%1", "%"};
        QTest::newRow("mnemonic") << "&Save && quit" << QStringList{"&S", "&&"};
        QTest::newRow("rich text") << "<b>Bold</b> &amp; <a href=\"x\">link</a>"
                                   << QStringList{"<b>", "</b>", "&amp;", "<a href=\"x\">", "</a>"};
    }
    void thePseudoLanguageLengthensAndKeepsWhatTheProgramReads()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, kept);
        const QString pseudo = PseudoTranslator::lengthen(source);
        QVERIFY2(pseudo.size() >= source.size() * 1.4, qPrintable(pseudo));
        QCOMPARE(placeholders(pseudo), placeholders(source));
        qsizetype from = 0;
        for (const QString &part : kept) {
            const qsizetype at = pseudo.indexOf(part, from);
            QVERIFY2(at >= 0, qPrintable(part + " lost in " + pseudo));
            from = at + part.size();
        }
        // The letters change, so that an untranslated text stands out.
        QVERIFY(pseudo != source);
        if (source.contains(QRegularExpression("[a-z]{2}")))
            QVERIFY(!pseudo.contains(source));
    }

    void thePseudoLanguageLengthensEachLineAndWrapsLikeWords()
    {
        const QStringList lines =
            PseudoTranslator::lengthen(QStringLiteral("Pass your device\nto Player %1")).split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).size() >= QStringLiteral("Pass your device").size() * 1.4);
        QVERIFY(lines.at(1).size() >= QStringLiteral("to Player %1").size() * 1.4);
        QVERIFY(lines.at(1).contains("%1"));
        QCOMPARE(PseudoTranslator::lengthen(QString()), QString());

        // The padding wraps like words: one long run of it would stand out of
        // a wrapped label and hide the line after it.
        const QString source = QStringLiteral("The goal is to break a 4-digit code, where each digit is different, in "
                                              "the fewest number of guesses.");
        const auto longest = [](const QString &text) {
            qsizetype most = 0;
            for (const QString &word : text.split(' '))
                most = std::max(most, word.size());
            return most;
        };
        const QString pseudo = PseudoTranslator::lengthen(source);
        QVERIFY2(longest(pseudo) <= longest(source) + 1, qPrintable(pseudo));
        QVERIFY(!pseudo.contains("  "));
        QVERIFY(pseudo.endsWith("~]"));
    }

    // The pseudo-language through the application, plural forms included.
    void installingALanguageTranslatesTheGame()
    {
        Translations translations;
        QVERIFY(translations.install("pseudo"));
        const QString pseudo = QCoreApplication::translate("ShareText", "%n shots", "", 3);
        QVERIFY2(pseudo.startsWith('[') && pseudo.contains("3 "), qPrintable(pseudo));

        // English holds the plural forms only.
        QVERIFY(translations.install("en"));
        QCOMPARE(QCoreApplication::translate("ShareText", "%n shots", "", 1), "1 shot");
        QCOMPARE(QCoreApplication::translate("ShareText", "%n shots", "", 2), "2 shots");
        QCOMPARE(QCoreApplication::translate("kestrune::WinLoseBar", "%n losses", "", 1), "1 loss");
        QCOMPARE(QCoreApplication::translate("MatchSummary", "Round #%1 in %n seconds", "", 1),
                 "Round #%1 in 1 second");
        // The pseudo translator is gone again: one language at a time.
        QCOMPARE(QCoreApplication::translate("ShareText", "a tie"), "a tie");

        translations.remove();
        QCOMPARE(QCoreApplication::translate("ShareText", "%n shots", "", 1), "1 shots");
    }

    // Numbers follow the chosen language; an unknown one changes nothing.
    void numbersFollowTheChosenLanguage()
    {
        const QLocale before;
        Translations translations;
        QVERIFY(translations.install("de"));
        QCOMPARE(QLocale().language(), QLocale::German);
        QCOMPARE(QLocale().toString(1234567), "1.234.567");
        QVERIFY(translations.install("ru"));
        QCOMPARE(QLocale().language(), QLocale::Russian);
        QVERIFY(translations.install("pseudo"));
        QCOMPARE(QLocale().language(), QLocale::English);
        QVERIFY(translations.install("en"));
        QVERIFY(!translations.install("xx"));
        QCOMPARE(QCoreApplication::translate("ShareText", "%n shots", "", 1), "1 shot");
        QCOMPARE(QLocale().language(), QLocale::English);
        QLocale::setDefault(before);
    }

    // Qt's own texts (a line edit's menu) follow where the system has them.
    void qtsOwnTextsFollowTheLanguage()
    {
        if (!QFileInfo::exists(Translations::qtTranslationsFolder() + "/qtbase_de.qm"))
            QSKIP("Qt's German translations are not installed (qt6-translations-l10n)");
        const QLocale before;
        Translations translations;
        QVERIFY(translations.install("de"));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), "&Kopieren");
        QVERIFY(translations.install("en"));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), "&Copy");
        QLocale::setDefault(before);
    }

    void everyShippedCatalogueIsEmbedded()
    {
        for (const QString &code : LanguageChoice::shipped()) {
            QTranslator translator;
            QVERIFY2(translator.load(Translations::catalogue(code)), qPrintable(code));
            QCOMPARE(translator.language(), code);
        }
    }

    // The check below must catch what it is there for.
    void aDroppedOrAddedPlaceholderIsNamed()
    {
        TsMessage message{"kestrune::PlayerTurns", "Player %1 beat %L2", "", false, false, false, {"Spieler %1"}};
        QCOMPARE(placeholderProblems(message), QStringList{"kestrune::PlayerTurns: \"Player %1 beat %L2\" drops %L2"});
        message.translations = {"%1 %2 %L2"};
        QCOMPARE(placeholderProblems(message), QStringList{"kestrune::PlayerTurns: \"Player %1 beat %L2\" adds %2"});
        message.translations = {"%L2 schlug %1"};
        QVERIFY(placeholderProblems(message).isEmpty());
        // A plural form without its number.
        TsMessage plural{"ShareText", "%n shots", "", true, false, false, {"%n Schuss", "Schüsse"}};
        QCOMPARE(placeholderProblems(plural), QStringList{"ShareText: \"%n shots\", plural form 2 drops %n"});
        QCOMPARE(placeholders("100% of %1, %10%, %L1 and %n"), (QSet<QString>{"%1", "%10", "%L1", "%n"}));
    }

    void noShippedTranslationDropsOrAddsAPlaceholder()
    {
        for (const QString &code : LanguageChoice::shipped()) {
            QString error;
            const auto ts = TsFile::read(QStringLiteral(KESTRUNE_TS_DIR "/kestrune_%1.ts").arg(code), &error);
            QVERIFY2(ts, qPrintable(error));
            QCOMPARE(ts->language, code);
            QStringList problems;
            for (const TsMessage &message : ts->messages)
                problems << placeholderProblems(message);
            QVERIFY2(problems.isEmpty(), qPrintable(code + ":\n" + problems.join('\n')));
        }
    }

    // The screens translate the shared catalogue's texts by identifier: a
    // new or changed entry there must be known here too.
    void theCatalogueTextsMatchTheSharedCatalogue()
    {
        int count = 0;
        const CatalogueText::Entry *achievements = CatalogueText::achievements(&count);
        QCOMPARE(qsizetype(count), qsizetype(catalogue::achievements().size()));
        for (const catalogue::AchievementDefinition &d : catalogue::achievements()) {
            const auto *entry = std::find_if(achievements, achievements + count,
                                             [&](const auto &e) { return d.identifier == e.identifier; });
            QVERIFY2(entry != achievements + count, d.identifier.data());
            QCOMPARE(std::string_view(entry->title), d.title);
            QCOMPARE(std::string_view(entry->description), d.description);
        }
        const CatalogueText::Entry *boards = CatalogueText::leaderboards(&count);
        QCOMPARE(qsizetype(count), qsizetype(catalogue::leaderboards().size()));
        for (const catalogue::LeaderboardDefinition &d : catalogue::leaderboards()) {
            const auto *entry =
                std::find_if(boards, boards + count, [&](const auto &e) { return d.identifier == e.identifier; });
            QVERIFY2(entry != boards + count, d.identifier.data());
            QCOMPARE(std::string_view(entry->title), d.title);
        }
        // An identifier the game does not know keeps what the service sent.
        QCOMPARE(CatalogueText::achievementTitle("new_one", "Sent"), "Sent");
        QCOMPARE(CatalogueText::achievementTitle("1won", "Anything"), "First Break");
    }
};

QTEST_GUILESS_MAIN(TestI18n)
#include "tst_i18n.moc"
