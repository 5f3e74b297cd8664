#include "settingsformat.h"

#include <QFileDevice>
#include <QIODevice>
#include <QStringList>

#include <cerrno>
#include <map>

namespace kestrune {

namespace {

const QString generalSection = QStringLiteral("General");

thread_local int t_lastWriteError = 0;

bool isHexDigit(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Letters, digits, '_', '-' and '.' stay; '/' (a group) becomes '\'; the
// rest becomes %XX, or %UXXXX beyond Latin-1.
QByteArray escapedKey(const QString &key)
{
    QByteArray result;
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            result += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
                   || c == '.') {
            result += char(c);
        } else if (c <= 0xFF) {
            result += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        } else {
            result += "%U" + QByteArray::number(c, 16).toUpper().rightJustified(4, '0');
        }
    }
    return result;
}

// The code of `digits` hexadecimal digits at `from`, or -1.
int hexAt(const QString &text, qsizetype from, int digits)
{
    if (from + digits > text.size())
        return -1;
    int code = 0;
    for (qsizetype i = from; i < from + digits; ++i) {
        if (!isHexDigit(text[i].unicode()))
            return -1;
        code = code * 16 + QString(text[i]).toInt(nullptr, 16);
    }
    return code;
}

QString unescapedKey(const QString &text)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        int code = -1;
        if (c == u'\\') {
            result += u'/';
        } else if (c == u'%' && i + 1 < text.size() && text[i + 1] == u'U' && (code = hexAt(text, i + 2, 4)) >= 0) {
            result += QChar(char16_t(code));
            i += 5;
        } else if (c == u'%' && (code = hexAt(text, i + 1, 2)) >= 0) {
            result += QChar(char16_t(code));
            i += 2;
        } else {
            result += c;
        }
    }
    return result;
}

// Control characters and quotes escaped; quoted when it holds ';', ',' or
// '=' or starts or ends with a space, as Qt's reader expects.
QByteArray escapedString(const QString &text)
{
    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    QString pending;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c >= 0x80) {
            pending += qc;
            escapeNextIfHex = false;
            continue;
        }
        result += pending.toUtf8();
        pending.clear();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfHex && isHexDigit(c)) {
            result += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfHex = false;
        switch (c) {
        case '\0':
            result += "\\0";
            escapeNextIfHex = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(c);
            break;
        default:
            if (c <= 0x1F || c == 0x7F) {
                result += "\\x" + QByteArray::number(c, 16);
                escapeNextIfHex = true;
            } else {
                result += char(c);
            }
        }
    }
    result += pending.toUtf8(); // whole, so surrogate pairs stay pairs
    if (needsQuotes || (!result.isEmpty() && (result.front() == ' ' || result.back() == ' ')))
        result = '"' + result + '"';
    return result;
}

QString unescapedString(const QString &text)
{
    QString result;
    bool quoted = false;
    qsizetype end = 0; // just after the last character that must stay
    qsizetype i = 0;
    while (i < text.size() && !quoted && text[i].isSpace() && text[i] != u'\n')
        ++i;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            quoted = !quoted;
            end = result.size();
            continue;
        }
        if (c == u';' && !quoted)
            break; // a comment follows
        if (c != u'\\') {
            result += c;
            if (quoted || !c.isSpace())
                end = result.size();
            continue;
        }
        if (++i >= text.size())
            break;
        const QChar e = text[i];
        switch (e.unicode()) {
        case 'a':
            result += u'\a';
            break;
        case 'b':
            result += u'\b';
            break;
        case 'f':
            result += u'\f';
            break;
        case 'n':
            result += u'\n';
            break;
        case 'r':
            result += u'\r';
            break;
        case 't':
            result += u'\t';
            break;
        case 'v':
            result += u'\v';
            break;
        case 'x': {
            uint code = 0;
            while (i + 1 < text.size() && isHexDigit(text[i + 1].unicode()))
                code = code * 16 + QString(text[++i]).toUInt(nullptr, 16);
            result += QChar(char16_t(code));
            break;
        }
        default:
            if (e >= u'0' && e <= u'7') {
                uint code = e.unicode() - '0';
                while (i + 1 < text.size() && text[i + 1] >= u'0' && text[i + 1] <= u'7')
                    code = code * 8 + (text[++i].unicode() - '0');
                result += QChar(char16_t(code));
            } else {
                result += e; // \" \' \? \\ and anything unknown
            }
        }
        end = result.size();
    }
    result.truncate(end);
    return result;
}

QByteArray valueText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? "true" : "false";
    case QMetaType::Int:
    case QMetaType::LongLong:
        return QByteArray::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QByteArray::number(value.toULongLong());
    default: {
        const QString text = value.toString();
        // Qt's reader takes "@..." for a typed value; "@@" is a plain '@'.
        return (text.startsWith(u'@') ? QByteArray("@") : QByteArray()) + escapedString(text);
    }
    }
}

} // namespace

QSettings::Format SettingsFormat::format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("conf"), &SettingsFormat::read, &SettingsFormat::write);
    return registered;
}

bool SettingsFormat::read(QIODevice &device, QSettings::SettingsMap &map)
{
    const QString text = QString::fromUtf8(device.readAll());
    QString section;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = unescapedKey(line.mid(1, close < 0 ? -1 : close - 1).trimmed().toString());
            if (section == generalSection)
                section.clear();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue; // not a value line: skipped, as Qt's reader does
        const QString key = unescapedKey(line.left(equals).trimmed().toString());
        QString value = unescapedString(line.mid(equals + 1).toString());
        if (value.startsWith(QStringLiteral("@@")))
            value.remove(0, 1);
        map.insert(section.isEmpty() ? key : section + u'/' + key, value);
    }
    return true;
}

bool SettingsFormat::write(QIODevice &device, const QSettings::SettingsMap &map)
{
    // Sections in key order, [General] (keys without a group) first.
    std::map<QString, QByteArray> sections;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(u'/');
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        const QString name = slash < 0 ? it.key() : it.key().mid(slash + 1);
        sections[section] += escapedKey(name) + '=' + valueText(it.value()) + '\n';
    }
    QByteArray bytes;
    for (const auto &[section, lines] : sections) {
        if (!bytes.isEmpty())
            bytes += '\n';
        if (section.isEmpty())
            bytes += "[General]\n";
        else if (section == generalSection)
            bytes += "[%General]\n";
        else
            bytes += '[' + escapedKey(section) + "]\n";
        bytes += lines;
    }
    // The checks QSettings leaves out: a short write or a failed flush must
    // stop it from replacing the file. The error number is taken at once,
    // before anything else can change it, to tell a full disk from the rest.
    errno = 0;
    bool written = device.write(bytes) == bytes.size();
    if (written) {
        if (auto *file = qobject_cast<QFileDevice *>(&device))
            written = file->flush();
    }
    t_lastWriteError = written ? 0 : errno;
    return written;
}

int SettingsFormat::lastWriteError()
{
    return t_lastWriteError;
}

} // namespace kestrune
