#include "httptransportloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

#include <mutex>

#ifndef KESTRUNE_HTTP_MODULE_INSTALL_DIR
#error "KESTRUNE_HTTP_MODULE_INSTALL_DIR (the module's folder relative to the program's) must be defined"
#endif

namespace kestrune::net {

namespace {

std::mutex loaderMutex;

// Factories of the modules loaded so far, by canonical path. Never emptied:
// a module is never unloaded.
QHash<QString, KestruneHttpTransportFactory> &loadedFactories()
{
    static QHash<QString, KestruneHttpTransportFactory> factories;
    return factories;
}

} // namespace

QStringList HttpTransportLoader::candidates()
{
    QStringList places;
    const QString fromEnvironment = qEnvironmentVariable("KESTRUNE_HTTP_MODULE");
    if (!fromEnvironment.isEmpty())
        places << fromEnvironment;
    if (QCoreApplication::instance()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        const QString name = QString::fromLatin1(moduleFileName);
        places << programFolder + QLatin1Char('/') + name;
        places << QDir::cleanPath(programFolder + QStringLiteral("/" KESTRUNE_HTTP_MODULE_INSTALL_DIR "/") + name);
    }
    return places;
}

std::shared_ptr<HttpTransport> HttpTransportLoader::load(const HttpTransportOptions &options, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return std::shared_ptr<HttpTransport>();
    };

    KestruneHttpTransportFactory factory = nullptr;
    QString modulePath;
    {
        std::lock_guard lock(loaderMutex);
        QStringList looked;
        QStringList problems;
        for (const QString &candidate : candidates()) {
            looked << candidate;
            const QFileInfo file(candidate);
            if (!file.isFile())
                continue;
            const QString path = file.canonicalFilePath();
            if (const auto known = loadedFactories().constFind(path); known != loadedFactories().cend()) {
                factory = *known;
                modulePath = path;
                break;
            }
            // QLibrary's destructor leaves the module loaded, as it must stay.
            QLibrary library(path);
            if (!library.load()) {
                problems << library.errorString();
                continue;
            }
            const auto entry =
                reinterpret_cast<KestruneHttpTransportFactory>(library.resolve(KESTRUNE_HTTP_TRANSPORT_FACTORY));
            if (!entry) {
                problems << QStringLiteral("%1 has no entry point %2")
                                .arg(path, QString::fromLatin1(KESTRUNE_HTTP_TRANSPORT_FACTORY));
                continue;
            }
            loadedFactories().insert(path, entry);
            factory = entry;
            modulePath = path;
            break;
        }
        if (!factory && problems.isEmpty())
            return fail(HttpTransportLoader::tr("The network module %1 was not found (looked in: %2)")
                            .arg(QString::fromLatin1(moduleFileName), looked.join(QStringLiteral(", "))));
        if (!factory)
            return fail(HttpTransportLoader::tr("The network module could not be loaded: %1")
                            .arg(problems.join(QStringLiteral("; "))));
    }

    HttpTransport *transport = factory(&options, httpTransportAbiVersion);
    if (!transport)
        return fail(HttpTransportLoader::tr(
                        "The network module %1 does not fit this version of the game (interface version %2)")
                        .arg(modulePath)
                        .arg(httpTransportAbiVersion));
    return std::shared_ptr<HttpTransport>(transport);
}

} // namespace kestrune::net
