#include <QDir>
#include <QFile>
#include <QTest>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

// Runs the decoder's fuzz entry point over the seed corpus and the inputs
// the fuzzer once found faults with, in the normal suite and without clang.
class FuzzReplayTest : public QObject
{
    Q_OBJECT

private slots:
    void corpus_data()
    {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(KESTRUNE_FUZZ_CORPUS));
        const auto files = corpus.entryInfoList(QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 10);
        for (const QFileInfo &file : files)
            QTest::newRow(qPrintable(file.fileName())) << file.absoluteFilePath();
    }

    void corpus()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray input = file.readAll();
        // A fault aborts the process; getting here is the pass.
        QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.constData()), input.size()), 0);
    }
};

QTEST_GUILESS_MAIN(FuzzReplayTest)
#include "tst_fuzzreplay.moc"
