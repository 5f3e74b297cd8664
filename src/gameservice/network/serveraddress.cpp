#include "serveraddress.h"

#include <QUrl>

namespace kestrune {

std::optional<QString> ServerAddress::normalise(const QString &text, QString *problem)
{
    auto fail = [&](const QString &why) -> std::optional<QString> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    QString typed = text.trimmed();
    if (typed.isEmpty())
        return fail(ServerAddress::tr("a server address is needed"));
    if (!typed.contains(QLatin1String("://")))
        typed.prepend(QLatin1String("https://"));
    const QUrl url(typed, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return fail(ServerAddress::tr("'%1' is not a server address").arg(text.trimmed()));
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return fail(ServerAddress::tr("'%1': only http and https servers are spoken to").arg(text.trimmed()));
    if (!url.userInfo().isEmpty())
        return fail(ServerAddress::tr("'%1': a server address carries no name or password").arg(text.trimmed()));
    if (url.hasQuery() || url.hasFragment() || (!url.path().isEmpty() && url.path() != QLatin1String("/")))
        return fail(ServerAddress::tr("'%1': give the server alone, without a path").arg(text.trimmed()));
    QUrl clean;
    clean.setScheme(scheme);
    clean.setHost(url.host());
    const int defaultPort = scheme == QLatin1String("https") ? 443 : 80;
    if (url.port() != -1 && url.port() != defaultPort)
        clean.setPort(url.port());
    return clean.toString(QUrl::FullyEncoded);
}

} // namespace kestrune
