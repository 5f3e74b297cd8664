#include "platform/safefilewriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrune;

namespace {

bool makeFile(const QString &path, const QDateTime &modified)
{
    QFile file(path);
    // Written out first: a later flush would make it new again.
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1 && file.flush()
           && file.setFileTime(modified, QFileDevice::FileModificationTime);
}

} // namespace

class TestSafeFileWriter : public QObject
{
    Q_OBJECT

private slots:
    // Only "<name>.XXXXXX" files that a killed writer left, old enough not to
    // be a live writer's, go; nothing that merely looks alike.
    void staleTemporariesAreRemoved()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QDir dir(folder.path());
        const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-120);
        const QDateTime fresh = QDateTime::currentDateTimeUtc();
        const QString target = dir.filePath("settings.conf");
        QVERIFY(makeFile(target, old));
        const QStringList stale{"settings.conf.AbC123", "settings.conf.zzzzzz"};
        const QStringList kept{"settings.conf.AbC12",   // too short
                               "settings.conf.AbC1234", // too long
                               "settings.conf.AbC-23",  // not a temporary's letters
                               "settings.confxAbC123",  // no dot
                               "other.conf.AbC123",     // another file's
                               "settings.conf"};
        for (const QString &name : stale + kept)
            QVERIFY(name == "settings.conf" || makeFile(dir.filePath(name), old));
        QVERIFY(makeFile(dir.filePath("settings.conf.Young1"), fresh));
        QVERIFY(dir.mkdir("settings.conf.Folder"));
        QVERIFY(QFile::link(target, dir.filePath("settings.conf.Link01")));

        QCOMPARE(SafeFileWriter::removeStaleTemporaries(target), int(stale.size()));
        QStringList left = dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        left.sort();
        QStringList expected =
            kept + QStringList{"settings.conf.Young1", "settings.conf.Folder", "settings.conf.Link01"};
        expected.sort();
        QCOMPARE(left, expected);
        // A shorter age lets the young one go too.
        QCOMPARE(SafeFileWriter::removeStaleTemporaries(target, std::chrono::seconds(-60)), 1);
        QVERIFY(!QFile::exists(dir.filePath("settings.conf.Young1")));
    }

    void aMissingFolderRemovesNothing()
    {
        QCOMPARE(SafeFileWriter::removeStaleTemporaries(QDir::temp().filePath("kestrune-no-such-folder/settings.conf")),
                 0);
    }
};

QTEST_GUILESS_MAIN(TestSafeFileWriter)
#include "tst_safefilewriter.moc"
