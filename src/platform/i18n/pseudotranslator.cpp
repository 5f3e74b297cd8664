#include "pseudotranslator.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kestrune {

namespace {

constexpr double growth = 0.4;

QChar accented(QChar c)
{
    static const QString plain = QStringLiteral("aceinousyAEIOUCNSY");
    static const QString marked = QStringLiteral("\u00e1\u00e7\u00e9\u00ee\u00f1\u00f6\u00fb\u0161\u00fd"
                                                 "\u00c5\u00c9\u00ce\u00d6\u00dc\u00c7\u00d1\u0160\u00dd");
    const qsizetype at = plain.indexOf(c);
    return at < 0 ? c : marked.at(at);
}

// How many characters of `line` are kept as they are: a placeholder
// ("%1", "%99", "%L1", "%n", "%Ln"), a rich-text tag or entity, or "&"
// with the mnemonic letter after it. 0 when `line` does not start with one.
qsizetype kept(const QString &line, qsizetype at)
{
    const QChar c = line.at(at);
    const qsizetype left = line.size() - at;
    if (c == u'%' && left > 1) {
        qsizetype end = at + 1;
        if (line.at(end) == u'L' && left > 2)
            ++end;
        if (line.at(end) == u'n')
            return end + 1 - at;
        qsizetype digits = 0;
        while (end + digits < line.size() && digits < 2 && line.at(end + digits).isDigit())
            ++digits;
        return digits > 0 ? end + digits - at : 0;
    }
    if (c == u'<') {
        const qsizetype close = line.indexOf(u'>', at);
        return close < 0 ? 0 : close + 1 - at;
    }
    if (c == u'&' && left > 1) {
        const qsizetype semicolon = line.indexOf(u';', at);
        const bool entity = semicolon > at + 1 && semicolon - at <= 8
                            && std::all_of(line.begin() + at + 1, line.begin() + semicolon,
                                           [](QChar e) { return e.isLetterOrNumber() || e == u'#'; });
        return entity ? semicolon + 1 - at : 2;
    }
    return 0;
}

QString lengthenLine(const QString &line)
{
    if (line.isEmpty())
        return line;
    QString out;
    out.reserve(line.size() * 2 + 4);
    for (qsizetype at = 0; at < line.size();) {
        const qsizetype keep = kept(line, at);
        if (keep > 0) {
            out += line.mid(at, keep);
            at += keep;
        } else {
            out += accented(line.at(at));
            ++at;
        }
    }
    // Brackets and padding make up the 40 %, rounded up, at least the
    // brackets. The padding comes in short words, so that it wraps where a
    // translation's words would rather than making one unbreakable word.
    const auto extra = std::max<qsizetype>(2, qsizetype(std::ceil(double(line.size()) * growth)));
    QString padding;
    for (qsizetype i = 0; i < extra - 2; ++i)
        padding += i % 5 == 0 ? QLatin1Char(' ') : QLatin1Char('~');
    if (padding.endsWith(QLatin1Char(' ')))
        padding.back() = QLatin1Char('~');
    return QLatin1Char('[') + out + padding + QLatin1Char(']');
}

} // namespace

PseudoTranslator::PseudoTranslator(QObject *parent)
    : QTranslator(parent)
{
}

QString PseudoTranslator::translate(const char *, const char *sourceText, const char *, int) const
{
    return sourceText ? lengthen(QString::fromUtf8(sourceText)) : QString();
}

bool PseudoTranslator::isEmpty() const
{
    return false;
}

QString PseudoTranslator::lengthen(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = lengthenLine(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace kestrune
