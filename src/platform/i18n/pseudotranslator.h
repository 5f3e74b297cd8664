#pragma once

#include <QString>
#include <QTranslator>

namespace kestrune {

// A language of its own for checking layouts: every text comes back about
// 40 % longer, its letters accented and padding inside brackets, so that a
// cut or overlapping text shows on the screens before a real translation
// does it. What a program fills in or reads stays as it was: %1..%99, %L1,
// %n, %Ln, '&' mnemonics, line breaks and rich-text tags.
class PseudoTranslator final : public QTranslator
{
    Q_OBJECT

public:
    explicit PseudoTranslator(QObject *parent = nullptr);

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override;

    // The lengthened text; each line grows on its own.
    static QString lengthen(const QString &text);
};

} // namespace kestrune
