#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <string>

NumberText::NumberText(const QLocale &locale) : m_locale(locale)
{
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
}

QString NumberText::format(double value) const
{
    return m_locale.toString(value, 'g', 15);
}

std::optional<double> NumberText::parse(const QString &text) const
{
    const QString decimalPoint = m_locale.decimalPoint();
    const QString trimmed = text.trimmed();

    std::string ascii;
    ascii.reserve(trimmed.size());
    bool haveDigit = false;
    bool haveSeparator = false;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        const QStringView current = QStringView(trimmed).mid(i, 1);
        if (c.isDigit()) { // any script's decimal digits, as the locale may write them
            ascii.push_back(char('0' + c.digitValue()));
            haveDigit = true;
        } else if (i == 0 && (c == u'+' || c == u'-' || current == m_locale.negativeSign())) {
            if (c != u'+')
                ascii.push_back('-');
        } else if (!haveSeparator && (c == u'.' || c == u',' || current == decimalPoint)) {
            ascii.push_back('.');
            haveSeparator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveDigit)
        return std::nullopt;

    double value = 0.0;
    const char *first = ascii.data();
    const char *last = first + ascii.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}
