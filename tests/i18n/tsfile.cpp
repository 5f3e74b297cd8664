#include "tsfile.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace kestrune::testsupport {

QString TsMessage::name() const
{
    QString text = source;
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    QString out = QStringLiteral("%1: \"%2\"").arg(context, text);
    if (!comment.isEmpty())
        out += QStringLiteral(" (%1)").arg(comment);
    return out;
}

QString TsMessage::key() const
{
    return context + QChar(0) + source + QChar(0) + comment;
}

std::optional<TsFile> TsFile::read(const QString &fileName, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return std::nullopt;
    }
    TsFile ts;
    QXmlStreamReader reader(&file);
    QString context;
    TsMessage message;
    bool inMessage = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const auto name = reader.name();
            if (name == QLatin1String("TS")) {
                ts.language = reader.attributes().value(QLatin1String("language")).toString();
            } else if (name == QLatin1String("name") && !inMessage) {
                context = reader.readElementText();
            } else if (name == QLatin1String("message")) {
                message = TsMessage{};
                message.context = context;
                message.numerus = reader.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
                inMessage = true;
            } else if (inMessage && name == QLatin1String("source")) {
                message.source = reader.readElementText();
            } else if (inMessage && name == QLatin1String("comment")) {
                message.comment = reader.readElementText();
            } else if (inMessage && name == QLatin1String("translation")) {
                const auto type = reader.attributes().value(QLatin1String("type"));
                message.unfinished = type == QLatin1String("unfinished");
                message.gone = type == QLatin1String("vanished") || type == QLatin1String("obsolete");
                if (!message.numerus)
                    message.translations = {reader.readElementText()};
            } else if (inMessage && name == QLatin1String("numerusform")) {
                message.translations.append(reader.readElementText());
            }
        } else if (reader.isEndElement() && reader.name() == QLatin1String("message")) {
            ts.messages.append(message);
            inMessage = false;
        }
    }
    if (reader.hasError()) {
        *error = QStringLiteral("%1: line %2: %3").arg(fileName).arg(reader.lineNumber()).arg(reader.errorString());
        return std::nullopt;
    }
    return ts;
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?(?:[1-9][0-9]?|n)"));
    QSet<QString> found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

QStringList placeholderProblems(const TsMessage &message)
{
    QStringList problems;
    const QSet<QString> wanted = placeholders(message.source);
    for (qsizetype i = 0; i < message.translations.size(); ++i) {
        const QString &translation = message.translations.at(i);
        if (translation.isEmpty())
            continue;
        const QSet<QString> given = placeholders(translation);
        QStringList dropped = (wanted - given).values();
        QStringList added = (given - wanted).values();
        dropped.sort();
        added.sort();
        const QString where = message.numerus ? QStringLiteral(", plural form %1").arg(i + 1) : QString();
        for (const QString &p : dropped)
            problems << QStringLiteral("%1%2 drops %3").arg(message.name(), where, p);
        for (const QString &p : added)
            problems << QStringLiteral("%1%2 adds %3").arg(message.name(), where, p);
    }
    return problems;
}

QStringList completenessProblems(const TsFile &wanted, const TsFile &shipped)
{
    QHash<QString, const TsMessage *> byKey;
    for (const TsMessage &m : shipped.messages) {
        if (!m.gone)
            byKey.insert(m.key(), &m);
    }
    QStringList problems;
    for (const TsMessage &w : wanted.messages) {
        const TsMessage *s = byKey.value(w.key());
        if (!s) {
            problems << QStringLiteral("missing: %1").arg(w.name());
            continue;
        }
        if (s->unfinished) {
            problems << QStringLiteral("unfinished: %1").arg(w.name());
            continue;
        }
        const qsizetype forms = w.numerus ? std::max<qsizetype>(1, w.translations.size()) : 1;
        if (s->translations.size() < forms) {
            problems
                << QStringLiteral("%1 of %2 plural forms: %3").arg(s->translations.size()).arg(forms).arg(w.name());
            continue;
        }
        for (qsizetype i = 0; i < forms; ++i) {
            if (s->translations.at(i).isEmpty()) {
                problems << (w.numerus ? QStringLiteral("empty plural form %1: %2").arg(i + 1).arg(w.name())
                                       : QStringLiteral("empty: %1").arg(w.name()));
            }
        }
    }
    return problems;
}

} // namespace kestrune::testsupport
