#include "commandline.h"

#include "gameservice/network/serveraddress.h"
#include "platform/i18n/languagechoice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace kestrune {

namespace {
void print(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}
// The toolkit's own options: the application object, made after the parse,
// takes them out of the arguments and acts on them, so here they are only
// stepped over. Those of the first list take a value.
const QStringList toolkitOptionsWithValue{"platform",        "platformpluginpath",
                                          "platformtheme",   "plugin",
                                          "qwindowgeometry", "qwindowicon",
                                          "qwindowtitle",    "session",
                                          "display",         "name",
                                          "geometry",        "title",
                                          "style",           "stylesheet"};
const QStringList toolkitFlags{"reverse", "widgetcount", "nograb", "dograb", "sync"};

QStringList withoutToolkitOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (i > 0 && word.startsWith(QLatin1Char('-')) && word != QLatin1String("--")) {
            QString name = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
            const bool inlineValue = name.contains(QLatin1Char('='));
            name = name.section(QLatin1Char('='), 0, 0);
            if (toolkitFlags.contains(name))
                continue;
            if (toolkitOptionsWithValue.contains(name)) {
                if (!inlineValue)
                    ++i;
                continue;
            }
        }
        kept.append(word);
    }
    return kept;
}
} // namespace

QStringList CommandLine::arguments(int argc, char **argv)
{
    QStringList list;
    list.reserve(argc);
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

CommandLine CommandLine::parse(const QStringList &arguments, std::optional<int> &exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kestrune: break the secret code of four different digits."));
    const QCommandLineOption help({"h", "help"}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({"v", "version"}, QStringLiteral("Show the version and exit."));
    const QCommandLineOption dataFolder("data-folder", QStringLiteral("Keep settings and data in <folder>."),
                                        QStringLiteral("folder"));
    const QCommandLineOption device("device", QStringLiteral("Behave as a <device>: phone (default) or tablet."),
                                    QStringLiteral("device"), QStringLiteral("phone"));
    const QCommandLineOption quickAction(
        "quick-action",
        QStringLiteral("Start a new match of <action>: singleplayer or multiplayer. A running "
                       "Kestrune of the same data folder is handed the action."),
        QStringLiteral("action"));
    const QCommandLineOption render("render", QStringLiteral("Render the first screen to <png> and exit."),
                                    QStringLiteral("png"));
    const QCommandLineOption noGameService("no-game-service", QStringLiteral("Start without the game service."));
    const QCommandLineOption service(
        "service",
        QStringLiteral("Keep scores and achievements on the Kestrune server at <address> (http://host:port or "
                       "https://host), or 'local' on this computer, for this run (by default: where the player chose as "
                       "they signed in, else this computer)."),
        QStringLiteral("address"));
    const QCommandLineOption language(
        "language",
        QStringLiteral("Speak <code> for this run: %1 (by default the system's language, else English).")
            .arg(LanguageChoice::codes().join(QStringLiteral(", "))),
        QStringLiteral("code"));
    // For packagers: proves that an installed program finds its module.
    const QCommandLineOption checkNetworkModule(
        "check-network-module",
        QStringLiteral("Load the module the game reaches servers with, say whether it loads and exit (1 if not)."));
    parser.addOptions({help, version, dataFolder, device, quickAction, render, noGameService, service, language,
                       checkNetworkModule});
    parser.addPositionalArgument(QStringLiteral("UITest"), QStringLiteral("Run for user-interface tests."),
                                 QStringLiteral("[UITest]"));

    // Without an application object the parser cannot name the program.
    const QString program = arguments.isEmpty() ? QStringLiteral("kestrune") : QFileInfo(arguments.first()).fileName();
    // Laid out only when shown: every start parses, few ask for help.
    const auto usage = [&] { return parser.helpText().replace(QLatin1String("<executable_name>"), program); };

    CommandLine result;
    auto fail = [&](const QString &message) {
        print(stderr, QStringLiteral("kestrune: %1\n\n%2").arg(message, usage()));
        exitCode = 2;
        return result;
    };

    if (!parser.parse(withoutToolkitOptions(arguments)))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        print(stdout, usage());
        exitCode = 0;
        return result;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        exitCode = 0;
        return result;
    }

    for (const QString &word : parser.positionalArguments()) {
        if (word != QLatin1String("UITest"))
            return fail(QStringLiteral("unknown argument '%1'").arg(word));
        result.uiTest = true;
    }
    result.dataFolder = parser.value(dataFolder);
    result.device = parser.value(device);
    if (result.device != QLatin1String("phone") && result.device != QLatin1String("tablet"))
        return fail(QStringLiteral("unknown device '%1' (phone or tablet)").arg(result.device));
    result.quickAction = parser.value(quickAction);
    if (!result.quickAction.isEmpty() && result.quickAction != QLatin1String("singleplayer")
        && result.quickAction != QLatin1String("multiplayer"))
        return fail(QStringLiteral("unknown quick action '%1' (singleplayer or multiplayer)").arg(result.quickAction));
    result.renderTo = parser.value(render);
    result.noGameService = parser.isSet(noGameService);
    result.checkNetworkModule = parser.isSet(checkNetworkModule);
    if (parser.isSet(service)) {
        const QString value = parser.value(service).trimmed();
        if (value == QLatin1String("local")) {
            result.service = value;
        } else {
            QString problem;
            const auto address = ServerAddress::normalise(value, &problem);
            if (!address)
                return fail(QStringLiteral("--service: %1").arg(problem));
            result.service = *address;
        }
    }
    if (parser.isSet(language)) {
        result.language = parser.value(language).trimmed();
        if (!LanguageChoice::isKnown(result.language))
            return fail(QStringLiteral("unknown language '%1' (%2)")
                            .arg(result.language, LanguageChoice::codes().join(QStringLiteral(", "))));
    }
    return result;
}

} // namespace kestrune
