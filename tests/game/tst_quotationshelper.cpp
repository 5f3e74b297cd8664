#include "game/quotationshelper.h"
#include "game/random/randomsource.h"

#include <QString>
#include <QTest>

#include <array>

using namespace kestrune;

class TestQuotationsHelper : public QObject
{
    Q_OBJECT

private slots:
    void tableHasTheRightShape()
    {
        int lineBreaks = 0;
        int typographic = 0;
        int accented = 0;
        for (const auto &q : QuotationsHelper::quotations()) {
            const QString text = QString::fromStdString(q.text);
            const QString author = QString::fromStdString(q.author);
            const int words = text.simplified().split(' ').size();
            QVERIFY2(words >= 3 && words <= 13, qPrintable(text));
            QVERIFY2(text.size() >= 13 && text.size() <= 80, qPrintable(text));
            QVERIFY(!author.isEmpty());
            lineBreaks += text.contains('\n');
            typographic += text.contains(QChar(0x2019)) || text.contains(QChar(0x2018));
            accented += (text + author).contains(QRegularExpression("[\u00c0-\u017f]"));
        }
        QCOMPARE(lineBreaks, 1);
        QVERIFY(typographic >= 1);
        QVERIFY(accented >= 1);
    }

    void randomQuotationIsAnEntryAndRoughlyUniform()
    {
        const auto &table = QuotationsHelper::quotations();
        std::array<int, 10> counts{};
        const int draws = 20000;
        for (int i = 0; i < draws; ++i) {
            const auto q = QuotationsHelper::randomQuotation();
            const auto it = std::find(table.begin(), table.end(), q);
            QVERIFY(it != table.end()); // text and author of one entry, together
            ++counts[std::size_t(it - table.begin())];
        }
        // Expected 2000 each, sd ~42: 1700..2300 fails by chance about once in 10^12.
        for (int c : counts)
            QVERIFY2(c > 1700 && c < 2300, qPrintable(QString::number(c)));
    }

    void chosenIndexFollowsTheRandomWord()
    {
        struct Fixed : RandomSource
        {
            std::uint64_t word;
            std::uint64_t next64() override { return word; }
        } random;
        random.word = ~std::uint64_t(0);
        QCOMPARE(QuotationsHelper::randomQuotation(random), QuotationsHelper::quotations().back());
        random.word = std::uint64_t(1) << 63 | std::uint64_t(1) << 60; // 0.5625 of the range
        QCOMPARE(QuotationsHelper::randomQuotation(random), QuotationsHelper::quotations()[5]);
    }
};

QTEST_GUILESS_MAIN(TestQuotationsHelper)
#include "tst_quotationshelper.moc"
