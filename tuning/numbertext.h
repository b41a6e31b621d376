#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Frequencies as the user reads and types them, in the user's locale.
class NumberText
{
public:
    explicit NumberText(const QLocale &locale = QLocale::system());

    // 15 significant digits, no trailing zeros, no group separators:
    // 87.5 -> "87,5" under a decimal-comma locale, 100.0 -> "100".
    QString format(double value) const;

    // An optional sign and digits with at most one decimal separator, blanks
    // around them. Both '.' and ',' count as the separator in every locale:
    // the field's own tooltip writes the band with a comma. Anything else,
    // and any value that does not fit a double, is not a number.
    std::optional<double> parse(const QString &text) const;
    bool isNumeric(const QString &text) const { return parse(text).has_value(); }

private:
    QLocale m_locale;
};
