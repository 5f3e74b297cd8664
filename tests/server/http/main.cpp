// The transport's tests: three QTest classes in one program. Naming test
// functions on the command line runs only the classes that have them.
#include <QByteArray>
#include <QByteArrayList>
#include <QMetaMethod>
#include <QObject>
#include <QTest>

#include <memory>
#include <vector>

std::unique_ptr<QObject> makeRateLimitTests();
std::unique_ptr<QObject> makeServerOptionsTests();
std::unique_ptr<QObject> makeHttpServerTests();

namespace {

bool hasAnyFunction(const QObject &test, const std::vector<QByteArray> &names)
{
    const QMetaObject *meta = test.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        for (const QByteArray &name : names)
            if (meta->method(i).name() == name)
                return true;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<QByteArray> names; // "function" or "function:tag"
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith('-')) {
            static const QByteArrayList valued = {
                "-o",    "-maxwarnings", "-eventdelay", "-keydelay",     "-mousedelay",
                "-seed", "-iterations",  "-median",     "-minimumvalue", "-minimumtotal"};
            if (valued.contains(argument))
                ++i;
            continue;
        }
        names.push_back(argument.split(':').first());
    }
    std::vector<std::unique_ptr<QObject>> tests;
    tests.push_back(makeRateLimitTests());
    tests.push_back(makeServerOptionsTests());
    tests.push_back(makeHttpServerTests());
    int failures = 0;
    for (const auto &test : tests)
        if (names.empty() || hasAnyFunction(*test, names))
            failures += QTest::qExec(test.get(), argc, argv);
    return failures;
}
