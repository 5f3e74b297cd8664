#include "safefilewriter.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <ctime>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrune {

namespace {

// write() of a buffered device may only fill its buffer; the bytes reach the
// file at flush(), whose failure QSaveFile::commit() would not notice.
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    return file.write(bytes) == bytes.size() && file.flush();
}

bool failWith(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

SafeFileWriter::SafeFileWriter(QString fileName, QString owner)
    : m_fileName(std::move(fileName))
    , m_owner(std::move(owner))
{
}

bool SafeFileWriter::replaceFile(const QString &fileName, const QByteArray &bytes, QString *error)
{
    // A folder that cannot be made shows as a failed open below.
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failWith(error, file.errorString());
    if (!writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failWith(error, reason);
    }
    if (!file.commit())
        return failWith(error, file.errorString());
    return true;
}

bool SafeFileWriter::appendToFile(const QString &fileName, const QByteArray &bytes, QString *error)
{
    // Unbuffered: what write() reports is what reached the file, and nothing
    // is left in a buffer to follow the cut at close().
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return failWith(error, file.errorString());
    const qint64 before = file.size();
    if (writeAll(file, bytes))
        return true;
    const QString reason = file.errorString();
    file.resize(before); // no half record
    file.close();
    if (QFileInfo(fileName).size() != before)
        return failWith(error, reason + QStringLiteral(" (and a partial record could not be removed)"));
    return failWith(error, reason);
}

bool SafeFileWriter::replace(const QByteArray &bytes)
{
    QString error;
    const bool written = replaceFile(m_fileName, bytes, &error);
    return finish(written, error);
}

bool SafeFileWriter::append(const QByteArray &bytes)
{
    QString error;
    const bool written = appendToFile(m_fileName, bytes, &error);
    return finish(written, error);
}

bool SafeFileWriter::finish(bool written, const QString &error)
{
    if (written) {
        if (isFailing())
            qWarning().noquote() << m_owner + QStringLiteral(":") << m_fileName << "is written again";
        m_lastError.clear();
        return true;
    }
    if (!isFailing())
        qWarning().noquote() << m_owner + QStringLiteral(": cannot write") << m_fileName << ":" << error
                             << "- the previous content is kept; further failures are not reported";
    m_lastError = error.isEmpty() ? QStringLiteral("unknown error") : error;
    return false;
}

int SafeFileWriter::removeStaleTemporaries(const QString &fileName, std::chrono::seconds age)
{
    // Listed with the system's own calls, without a pattern: every store
    // does this when it opens, on the way to the first screen.
    const QFileInfo target(fileName);
    const QByteArray prefix = QFile::encodeName(target.fileName()) + '.';
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    const auto isTemporary = [&prefix](const QByteArray &name) {
        if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
            return false;
        return std::all_of(name.cbegin() + prefix.size(), name.cend(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        });
    };
    const std::time_t before = std::time(nullptr) - std::time_t(age.count());
    int removed = 0;
    DIR *listing = ::opendir(folder.constData());
    if (!listing)
        return 0;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (!isTemporary(name))
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat status
        {};
        // Regular files only: a link of that name is not ours to follow.
        if (::lstat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_mtime > before)
            continue;
        if (::unlink(path.constData()) == 0)
            ++removed;
    }
    ::closedir(listing);
    return removed;
}

} // namespace kestrune
