#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

namespace kestrune {

// Writes one file so that it holds either the new content or the old, never
// a part of it or nothing, and says so when it could not. Every byte is
// checked: a full disk or a file-size limit fails the write instead of
// leaving an empty file behind a write that looked good.
//
// Warnings: one when the file starts failing, one when it is written again,
// nothing for the failures in between. One thread at a time per object.
class SafeFileWriter
{
public:
    // `owner` starts each warning ("Game service cache").
    SafeFileWriter(QString fileName, QString owner);

    QString fileName() const { return m_fileName; }

    // Replaces the whole file (through a temporary file renamed over it),
    // creating its folder when needed.
    bool replace(const QByteArray &bytes);
    // Adds `bytes` at the end; a failed append cuts the file back to its
    // previous size, so no half record stays.
    bool append(const QByteArray &bytes);

    // Why the last write failed; empty after a good one.
    QString lastError() const { return m_lastError; }
    bool isFailing() const { return !m_lastError.isEmpty(); }

    // The same, without warnings; `error` (when given) says why it failed.
    static bool replaceFile(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);
    static bool appendToFile(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);

    // Removes the temporaries "<fileName>.XXXXXX" that a writer killed
    // between writing and renaming leaves beside the file, when they were
    // last modified at least `age` ago (a live writer's are younger).
    // Returns how many were removed.
    static int removeStaleTemporaries(const QString &fileName, std::chrono::seconds age = std::chrono::minutes(1));

private:
    bool finish(bool written, const QString &error);

    QString m_fileName;
    QString m_owner;
    QString m_lastError;
};

} // namespace kestrune
