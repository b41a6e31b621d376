#include "numbertext.h"

#include <QTest>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
    void everyChannelFitsTheFieldAndReadsBack_data();
    void everyChannelFitsTheFieldAndReadsBack();
    void parses_data();
    void parses();
};

void TestNumberText::formats_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    const struct {
        const char *locale;
        double value;
        const char *expected;
    } rows[] = {
        {"C", 87.5, "87.5"},         {"de_DE", 87.5, "87,5"},     {"de_DE", 108.0, "108"},
        {"de_DE", 100.5, "100,5"},   {"fr_FR", 84.3, "84,3"},     {"C", 0.1 + 0.2, "0.3"},
        {"de_DE", 1234.5, "1234,5"}, {"en_US", 98765.0, "98765"},
    };
    for (const auto &row : rows)
        QTest::addRow("%s %s", row.locale, row.expected) << row.locale << row.value << row.expected;
}

void TestNumberText::formats()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText(QLocale(locale)).format(value), expected);
}

void TestNumberText::everyChannelFitsTheFieldAndReadsBack_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *name : {"C", "de_DE", "fr_FR", "en_US", "ar_EG"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestNumberText::everyChannelFitsTheFieldAndReadsBack()
{
    QFETCH(QString, locale);
    const NumberText numbers{QLocale(locale)};
    for (int tenths = 825; tenths <= 1080; ++tenths) {
        const double frequency = tenths / 10.0;
        const QString text = numbers.format(frequency);
        QVERIFY2(text.size() <= 5, qPrintable(text));
        QCOMPARE(numbers.parse(text), std::optional<double>(frequency));
    }
}

void TestNumberText::parses_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("expected");

    const std::optional<double> no;
    const struct {
        const char *locale;
        const char *text; // UTF-8
        std::optional<double> expected;
    } rows[] = {
        {"C", "95.3", 95.3},     {"C", "95,3", 95.3},      {"de_DE", "95,3", 95.3},
        {"de_DE", "95.3", 95.3}, {"C", "85", 85.0},        {"C", " 88.1 ", 88.1},
        {"C", "+99", 99.0},      {"C", "-99", -99.0},      {"C", ".5", 0.5},
        {"de_DE", "95,", 95.0},  {"ar_EG", "٩٥٫٣", 95.3},  {"C", "", no},
        {"C", "abc", no},        {"C", "-", no},           {"C", ",", no},
        {"C", "9.5.3", no},      {"en_US", "1,000.5", no}, {"C", "9 5", no},
        {"C", "95-", no},        {"C", "1e2", no},         {"C", "0x5F", no},
        {"C", "$95", no},        {"C", "inf", no},         {"C", "nan", no},
    };
    for (const auto &row : rows)
        QTest::addRow("%s \"%s\"", row.locale, row.text)
            << row.locale << QString::fromUtf8(row.text) << row.expected;
    QTest::newRow("too large for a double") << "C" << QString(400, u'9') << no;
    QTest::newRow("nul") << "C" << QString(QChar(0)) << no;
}

void TestNumberText::parses()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(std::optional<double>, expected);
    QCOMPARE(NumberText(QLocale(locale)).parse(text), expected);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
