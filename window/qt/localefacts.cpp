#include "localefacts.h"

LocaleFacts localeFacts(const QLocale &locale)
{
    LocaleFacts facts;
    facts.decimalSeparator = locale.decimalPoint().toStdString();
    facts.minusSign = locale.negativeSign().toStdString();
    const QList<uint> zero = locale.zeroDigit().toUcs4();
    if (!zero.isEmpty())
        facts.zeroDigit = char32_t(zero.first());
    return facts;
}
