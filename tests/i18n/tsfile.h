#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace kestrune::testsupport {

// One message of a Qt Linguist .ts file, as far as the checks need it.
struct TsMessage
{
    QString context;
    QString source;
    QString comment; // the disambiguation given to tr()
    bool numerus = false;
    bool unfinished = false;
    bool gone = false;        // vanished or obsolete: no longer in the code
    QStringList translations; // one, or one per plural form

    // How a message is named in a failure: context, text and disambiguation.
    QString name() const;
    // Context, source and disambiguation together: what lrelease matches on.
    QString key() const;
};

struct TsFile
{
    QString language;
    QList<TsMessage> messages;

    // Nothing, with `error` set, when the file cannot be read or parsed.
    static std::optional<TsFile> read(const QString &fileName, QString *error);
};

// The placeholders a text holds: %1..%99, %L1, %n and %Ln.
QSet<QString> placeholders(const QString &text);

// Every translation of `message` that drops or adds a placeholder, each
// named ("drops %2", "adds %L1"); empty translations are left to the
// completeness check.
QStringList placeholderProblems(const TsMessage &message);

// What `shipped` lacks of `wanted` (the code's messages, as lupdate gives
// them for that language): missing, unfinished or empty messages, and
// plural forms left empty. One line per problem, naming the message.
QStringList completenessProblems(const TsFile &wanted, const TsFile &shipped);

} // namespace kestrune::testsupport
