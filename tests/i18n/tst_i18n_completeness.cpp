#include "tsfile.h"

#include "platform/i18n/languagechoice.h"
#include "platform/i18n/translations.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using namespace kestrune;
using namespace kestrune::testsupport;

namespace {

// The code's messages as lupdate finds them for `language`, with as many
// plural forms as that language needs; the same run as the kestrune_lupdate
// target's, into a file of our own.
std::optional<TsFile> scan(const QString &language, const QString &folder, QString *error)
{
    const QString target = QDir(folder).filePath(QStringLiteral("scan_%1.ts").arg(language));
    QStringList arguments{"-extensions", "cpp,h,ui", "-locations", "none"};
    if (language == LanguageChoice::english)
        arguments << "-pluralonly";
    arguments << QStringLiteral(KESTRUNE_TRANSLATED_DIRS).split(',') << "-target-language" << language << "-ts"
              << target;
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(KESTRUNE_SOURCE_ROOT));
    lupdate.start(QStringLiteral(KESTRUNE_LUPDATE), arguments);
    if (!lupdate.waitForFinished(60000) || lupdate.exitStatus() != QProcess::NormalExit || lupdate.exitCode() != 0) {
        *error = QStringLiteral("lupdate failed: %1").arg(QString::fromLocal8Bit(lupdate.readAllStandardError()));
        return std::nullopt;
    }
    return TsFile::read(target, error);
}

// A text every language must translate, and what it must not stay.
constexpr const char *knownContext = "kestrune::StatisticsViewController";
constexpr const char *knownText = "Games played";

} // namespace

class TestI18nCompleteness : public QObject
{
    Q_OBJECT

private slots:
    void everyPlayerFacingTextIsTranslated_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &code : LanguageChoice::shipped())
            QTest::newRow(qPrintable(code)) << code;
    }
    void everyPlayerFacingTextIsTranslated()
    {
        QFETCH(QString, language);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QString error;
        const auto wanted = scan(language, folder.path(), &error);
        QVERIFY2(wanted, qPrintable(error));
        QVERIFY2(wanted->messages.size() > (language == LanguageChoice::english ? 5 : 300),
                 "lupdate found too few texts: is it looking in the right folders?");
        const auto shipped = TsFile::read(QStringLiteral(KESTRUNE_TS_DIR "/kestrune_%1.ts").arg(language), &error);
        QVERIFY2(shipped, qPrintable(error));
        const QStringList problems = completenessProblems(*wanted, *shipped);
        // One line each: a failure message alone would be cut short.
        for (const QString &problem : problems)
            qInfo("kestrune_%s.ts: %s", qPrintable(language), qPrintable(problem));
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 of %2 texts in kestrune_%3.ts need work "
                                                               "(cmake --build <build> --target kestrune_lupdate, "
                                                               "then translate)")
                                                    .arg(problems.size())
                                                    .arg(wanted->messages.size())
                                                    .arg(language)));
    }

    void everyEmbeddedCatalogueTranslatesAKnownText_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &code : LanguageChoice::shipped()) {
            if (code != LanguageChoice::english)
                QTest::newRow(qPrintable(code)) << code;
        }
    }
    void everyEmbeddedCatalogueTranslatesAKnownText()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(translator.load(Translations::catalogue(language)));
        const QString translated = translator.translate(knownContext, knownText);
        QVERIFY2(!translated.isEmpty() && translated != QLatin1String(knownText),
                 qPrintable(QStringLiteral("%1 is not translated in the embedded %2").arg(knownText, language)));
    }
};

QTEST_GUILESS_MAIN(TestI18nCompleteness)
#include "tst_i18n_completeness.moc"
