#include "apifixture.h"
#include "gameservice/server/api/apierror.h"
#include "gameservice/server/api/requestdecoder.h"
#include "gameservice/server/api/secrets.h"
#include "gameservice/server/api/utf8.h"

#include <QTest>

#include <set>

namespace kestrune::server::test {

namespace {

void target(const char *name, const QByteArray &target, const char *segments, const char *query = "")
{
    QTest::newRow(name) << target << QString::fromUtf8(segments) << QString::fromUtf8(query) << QString();
}

void badTarget(const char *name, const QByteArray &target, const char *error)
{
    QTest::newRow(name) << target << QString() << QString() << QString::fromUtf8(error);
}

} // namespace

// The request decoder, UTF-8 checks and secrets, each on its own.
class DecoderTest : public QObject
{
    Q_OBJECT

private slots:
    void targets_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QString>("segments"); // joined with '|'
        QTest::addColumn<QString>("query");    // name=value pairs joined with '&'
        QTest::addColumn<QString>("error");
        target("plain", "/v1/a/b", "v1|a|b");
        target("root", "/", "");
        target("empty segment kept", "/v1//b", "v1||b");
        target("escaped space", "/v1/a%20b", "v1|a b");
        target("escaped slash stays in its segment", "/v1/a%2Fb", "v1|a/b");
        target("escaped dots are decoded, not resolved", "/v1/%2e%2e", "v1|..");
        target("plus is literal in the path", "/a+b", "a+b");
        target("query", "/x?scope=week&limit=5", "x", "scope=week&limit=5");
        target("plus is a space in the query", "/x?a=b+c%2B", "x", "a=b c+");
        target("name without value", "/x?a", "x", "a=");
        target("empty pairs skipped", "/x?&&a=1&", "x", "a=1");
        target("UTF-8 escaped", "/x/%C3%A9", "x|é");
        for (const auto &[name, text] :
             std::initializer_list<std::pair<const char *, QByteArray>>{{"empty", ""},
                                                                        {"relative", "v1/a"},
                                                                        {"asterisk", "*"},
                                                                        {"fragment", "/a#b"},
                                                                        {"tab", "/a\tb"},
                                                                        {"raw NUL", QByteArray("/a\0b", 4)},
                                                                        {"DEL", "/a\x7f"},
                                                                        {"percent at the end", "/a%"},
                                                                        {"one hex digit", "/a%4"},
                                                                        {"not hex", "/a%g0"},
                                                                        {"bad escape in the query", "/a?x=%zz"}})
            badTarget(name, text, "invalid_target");
        badTarget("escaped invalid UTF-8", "/%c3%28", "invalid_utf8");
        badTarget("escaped overlong", "/%c0%ae%c0%ae", "invalid_utf8");
        badTarget("invalid UTF-8 in the query", "/a?x=%ff", "invalid_utf8");
        badTarget("parameter twice", "/a?x=1&x=2", "invalid_parameter");
    }
    void targets()
    {
        QFETCH(QByteArray, target);
        QFETCH(QString, segments);
        QFETCH(QString, query);
        QFETCH(QString, error);
        try {
            const DecodedTarget decoded = RequestDecoder::decodeTarget(target.toStdString());
            QCOMPARE(QString(), error);
            QStringList parts;
            for (const auto &segment : decoded.segments)
                parts << qs(segment);
            QCOMPARE(parts.join('|'), segments);
            QStringList pairs;
            for (const auto &[name, value] : decoded.query)
                pairs << qs(name) + '=' + qs(value);
            QCOMPARE(pairs.join('&'), query);
        } catch (const ApiError &e) {
            QCOMPARE(qs(e.code()), error);
            QCOMPARE(e.status(), 400);
        }
    }

    void bodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");

        const auto nested = [](int depth) { return QByteArray(depth, '[') + QByteArray(depth, ']'); };
        QTest::newRow("empty is nothing") << QByteArray() << "";
        QTest::newRow("null is something") << QByteArray("null") << "";
        QTest::newRow("object") << QByteArray(R"({"a":1,"b":[true,null,"x"]})") << "";
        QTest::newRow("2^53 itself") << QByteArray("[9007199254740992,-9007199254740992]") << "";
        QTest::newRow("2^53 as a float") << QByteArray("[9007199254740992.0]") << "";
        QTest::newRow("2^53 + 1") << QByteArray("[9007199254740993]") << "number_out_of_range";
        QTest::newRow("-2^53 - 1") << QByteArray("[-9007199254740993]") << "number_out_of_range";
        QTest::newRow("uint64 max") << QByteArray("[18446744073709551615]") << "number_out_of_range";
        QTest::newRow("beyond uint64") << QByteArray("[18446744073709551616]") << "number_out_of_range";
        QTest::newRow("large float") << QByteArray("[1.5e16]") << "number_out_of_range";
        QTest::newRow("float overflow") << QByteArray("[1e400]") << "number_out_of_range";
        QTest::newRow("negative overflow") << QByteArray("[-1e400]") << "number_out_of_range";
        QTest::newRow("tiny float is fine") << QByteArray("[1e-400]") << "";
        QTest::newRow("deep number") << QByteArray(R"({"a":{"b":[9007199254740993]}})") << "number_out_of_range";
        QTest::newRow("8 levels") << nested(8) << "";
        QTest::newRow("9 levels") << nested(9) << "nesting_too_deep";
        QTest::newRow("10000 levels") << nested(10000) << "nesting_too_deep";
        QTest::newRow("unbalanced deep") << QByteArray(10000, '[') << "nesting_too_deep";
        QTest::newRow("duplicate key") << QByteArray(R"({"a":1,"a":1})") << "duplicate_key";
        QTest::newRow("nested duplicate key") << QByteArray(R"({"a":{"x":1,"y":2,"x":3}})") << "duplicate_key";
        QTest::newRow("same key in sibling objects") << QByteArray(R"([{"x":1},{"x":2}])") << "";
        QTest::newRow("same key at two levels") << QByteArray(R"({"x":{"x":1}})") << "";
        QTest::newRow("escaped duplicate key") << QByteArray(R"({"a":1,"\u0061":2})") << "duplicate_key";
        QTest::newRow("invalid UTF-8 outside strings") << QByteArray("{} \xff") << "invalid_utf8";
        QTest::newRow("five-byte sequence") << QByteArray("[\"\xf8\x88\x80\x80\x80\"]") << "invalid_utf8";
        QTest::newRow("not JSON") << QByteArray("hello") << "malformed_json";
        QTest::newRow("NaN") << QByteArray("[NaN]") << "malformed_json";
        QTest::newRow("Infinity") << QByteArray("[Infinity]") << "malformed_json";
        QTest::newRow("leading zero") << QByteArray("[01]") << "malformed_json";
        QTest::newRow("two documents") << QByteArray("{}{}") << "malformed_json";
        QTest::newRow("raw control character") << QByteArray("[\"a\x01\"]") << "malformed_json";
        QTest::newRow("NUL byte") << QByteArray("{}\0", 3) << "malformed_json";
        QTest::newRow("NUL hides the rest") << QByteArray("{\"a\":1}\0{\"a\":2", 14) << "malformed_json";
    }
    void bodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        try {
            const auto decoded = RequestDecoder::decodeBody(std::string_view(body.constData(), body.size()));
            QCOMPARE(QString(), error);
            QCOMPARE(decoded.has_value(), !body.isEmpty());
        } catch (const ApiError &e) {
            QCOMPARE(qs(e.code()), error);
            // The message points at the fault but never quotes the input.
            QVERIFY(body.size() < 8 || !QByteArray(e.what()).contains(body));
        }
    }

    void utf8_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("codePoints"); // -1: invalid
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("ASCII") << QByteArray("abc") << 3;
        QTest::newRow("two bytes") << QByteArray("\xc3\xa9") << 1;
        QTest::newRow("three bytes") << QByteArray("\xe2\x82\xac") << 1;
        QTest::newRow("four bytes") << QByteArray("\xf0\x9d\x84\x9e") << 1;
        QTest::newRow("U+10FFFF") << QByteArray("\xf4\x8f\xbf\xbf") << 1;
        QTest::newRow("U+FFFF") << QByteArray("\xef\xbf\xbf") << 1;
        QTest::newRow("NUL") << QByteArray("a\0b", 3) << 3;
        QTest::newRow("lone continuation") << QByteArray("\x80") << -1;
        QTest::newRow("truncated two") << QByteArray("\xc3") << -1;
        QTest::newRow("truncated four") << QByteArray("\xf0\x9d\x84") << -1;
        QTest::newRow("bad continuation") << QByteArray("\xc3\x28") << -1;
        QTest::newRow("overlong two") << QByteArray("\xc0\xaf") << -1;
        QTest::newRow("overlong three") << QByteArray("\xe0\x80\xaf") << -1;
        QTest::newRow("overlong four") << QByteArray("\xf0\x80\x80\xaf") << -1;
        QTest::newRow("high surrogate") << QByteArray("\xed\xa0\x80") << -1;
        QTest::newRow("low surrogate") << QByteArray("\xed\xbf\xbf") << -1;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << -1;
        QTest::newRow("five bytes") << QByteArray("\xf8\x88\x80\x80\x80") << -1;
        QTest::newRow("FF") << QByteArray("a\xff") << -1;
    }
    void utf8()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, codePoints);
        const std::string_view view(text.constData(), text.size());
        QCOMPARE(utf8::isValid(view), codePoints >= 0);
        const auto decoded = utf8::decode(view);
        QCOMPARE(decoded ? static_cast<int>(decoded->size()) : -1, codePoints);
    }

    void contentTypes()
    {
        for (const char *json :
             {"application/json", "application/json; charset=utf-8", "Application/JSON; Charset=UTF-8"})
            QVERIFY2(RequestDecoder::isJsonContentType(json), json);
        for (const char *other : {"application/json; charset=utf-16", "text/plain", "application/x-www-form-urlencoded",
                                  "application/jsonp", ""})
            QVERIFY2(!RequestDecoder::isJsonContentType(other), other);
    }

    void secrets()
    {
        const Secrets secrets;
        std::set<std::string> seen;
        for (int i = 0; i < 200; ++i) {
            const std::string token = secrets.newToken();
            QVERIFY(Secrets::isWellFormedToken(token));
            QVERIFY(seen.insert(token).second);
            QVERIFY(Secrets::canonicalRecoveryCode(secrets.newRecoveryCode()).has_value());
        }
        for (const std::string &bad :
             {std::string(42, 'A'), std::string(44, 'A'), std::string(42, 'A') + "=", std::string(42, 'A') + "+"})
            QVERIFY(!Secrets::isWellFormedToken(bad));

        // Secrets come from the random source given.
        const Secrets zeros([](unsigned char *buffer, std::size_t size) { std::fill(buffer, buffer + size, 0); });
        QCOMPARE(qs(zeros.newToken()), QString(43, 'A'));
        QCOMPARE(qs(zeros.newRecoveryCode()), QStringLiteral("0000-0000-0000-0000-0000-0000-0000"));
        const Secrets ones([](unsigned char *buffer, std::size_t size) { std::fill(buffer, buffer + size, 0xFF); });
        // 256 one-bits: 42 full symbols, then 1111 padded with two zeros (60).
        QCOMPARE(qs(ones.newToken()), QString(42, '_') + '8');
        QCOMPARE(qs(ones.newRecoveryCode()), QStringLiteral("ZZZZ-ZZZZ-ZZZZ-ZZZZ-ZZZZ-ZZZZ-ZZZZ"));
        const Secrets broken([](unsigned char *, std::size_t) { throw std::runtime_error("no entropy"); });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, broken.newToken());

        // Stored hashes are SHA-256 in hex.
        QCOMPARE(qs(Secrets::hash("abc")),
                 QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
        QCOMPARE(qs(Secrets::hash("")),
                 QStringLiteral("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    }

    void recoveryCodesForgiveTyping_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("canonical"); // empty: refused
        const QByteArray code = "7K2M-9QRT-ABCD-EFGH-JKMN-PQRS-TVWX";
        const QByteArray bare = "7K2M9QRTABCDEFGHJKMNPQRSTVWX";
        QTest::newRow("as made") << code << bare;
        QTest::newRow("lower case") << code.toLower() << bare;
        QTest::newRow("spaces") << QByteArray(code).replace('-', ' ') << bare;
        QTest::newRow("run together") << bare << bare;
        QTest::newRow("look-alikes") << QByteArray("OIL0-0000-0000-0000-0000-0000-0000")
                                     << QByteArray("0110000000000000000000000000");
        QTest::newRow("one short") << bare.left(27) << QByteArray();
        QTest::newRow("one long") << bare + "0" << QByteArray();
        QTest::newRow("U is not a symbol") << QByteArray(bare).replace('7', 'U') << QByteArray();
        QTest::newRow("punctuation") << QByteArray(bare).replace('7', '.') << QByteArray();
        QTest::newRow("non-ASCII") << QByteArray(bare).replace("7", "\xc3\xa9") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void recoveryCodesForgiveTyping()
    {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, canonical);
        const auto result = Secrets::canonicalRecoveryCode(typed.toStdString());
        QCOMPARE(result.has_value(), !canonical.isEmpty());
        if (result)
            QCOMPARE(qs(*result), QString::fromLatin1(canonical));
    }
};

std::unique_ptr<QObject> makeDecoderTests()
{
    return std::make_unique<DecoderTest>();
}

} // namespace kestrune::server::test

#include "decodertest.moc"
