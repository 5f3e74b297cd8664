#include "filesizelimit.h"

#include "platform/fileanalytics.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrune;
using kestrune::test::FileSizeLimit;

class TestFileAnalytics : public QObject
{
    Q_OBJECT

    static QList<QJsonObject> readLines(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<QJsonObject> events;
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (!line.isEmpty())
                events.append(QJsonDocument::fromJson(line).object());
        }
        return events;
    }

private slots:
    void eventsAreKeptAsJsonLinesInOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("logs/analytics.jsonl");
        FileAnalytics analytics(path);
        analytics.configure();
        analytics.logEvent("start_game", Analytics::Parameters{{"Type", "Two players"}});
        analytics.logEvent("won_game", Analytics::Parameters{{"Round", std::int64_t(4)}});
        analytics.logEvent("lost_game", std::nullopt);

        const auto events = readLines(path);
        QCOMPARE(events.size(), 3);
        QCOMPARE(events[0]["name"].toString(), "start_game");
        QCOMPARE(events[0]["parameters"].toObject()["Type"].toString(), "Two players");
        QCOMPARE(events[1]["parameters"].toObject()["Round"].toInteger(), 4);
        QVERIFY(events[1]["parameters"].toObject()["Round"].isDouble()); // a JSON number, not text
        QVERIFY(!events[2].contains("parameters"));
        QVERIFY(!events[2]["time"].toString().isEmpty());
    }

    void malformedNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("leading digit") << "1won";
        QTest::newRow("space") << "won game";
        QTest::newRow("too long") << QString(41, 'a');
        QTest::newRow("json breaking") << "x\"}\n{\"name";
    }
    void malformedNamesAreRefused()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = dir.filePath("analytics.jsonl");
        FileAnalytics analytics(path);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("malformed name"));
        analytics.logEvent(name.toStdString(), std::nullopt);
        QVERIFY(readLines(path).isEmpty());
        QVERIFY(Analytics::isValidEventName(std::string(40, 'a')));
    }

    // An event that does not fit (a full disk) leaves no half line behind to
    // spoil the log, and warns once, not at every event.
    void aFailedAppendLeavesNoHalfLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("analytics.jsonl");
        FileAnalytics analytics(path);
        analytics.logEvent("start_game", std::nullopt);
        const qint64 size = QFileInfo(path).size();
        {
            FileSizeLimit fullDisk(size + 40);
            QVERIFY(fullDisk.isActive());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write"));
            QTest::failOnWarning(QRegularExpression("cannot write"));
            for (int i = 0; i < 3; ++i)
                analytics.logEvent("won_game", Analytics::Parameters{{"Round", std::int64_t(i)}});
            QCOMPARE(QFileInfo(path).size(), size);
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("written again"));
        analytics.logEvent("lost_game", std::nullopt);
        const auto events = readLines(path);
        QCOMPARE(events.size(), 2);
        QCOMPARE(events[1]["name"].toString(), "lost_game");
    }

    void unwritableLogCostsOnlyTheEvent()
    {
        FileAnalytics analytics("/proc/kestrune-no/analytics.jsonl");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write"));
        analytics.logEvent("quit_game", std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestFileAnalytics)
#include "tst_fileanalytics.moc"
