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

    QTest::newRow("C 87.5") << "C" << 87.5 << "87.5";
    QTest::newRow("de 87.5") << "de_DE" << 87.5 << "87,5";
    QTest::newRow("C 100") << "C" << 100.0 << "100";
    QTest::newRow("de 108") << "de_DE" << 108.0 << "108";
    QTest::newRow("de 100.5") << "de_DE" << 100.5 << "100,5";
    QTest::newRow("fr 84.3") << "fr_FR" << 84.3 << "84,3";
    QTest::newRow("C 15 digits") << "C" << 0.1 + 0.2 << "0.3";
    QTest::newRow("de no group separator") << "de_DE" << 1234.5 << "1234,5";
    QTest::newRow("en no group separator") << "en_US" << 98765.0 << "98765";
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
    QTest::addColumn<double>("expected"); // -1: not numeric

    const double no = -1;
    QTest::newRow("C point") << "C"
                             << "95.3" << 95.3;
    QTest::newRow("C comma") << "C"
                             << "95,3" << 95.3;
    QTest::newRow("de comma") << "de_DE"
                              << "95,3" << 95.3;
    QTest::newRow("de point") << "de_DE"
                              << "95.3" << 95.3;
    QTest::newRow("integer") << "C"
                             << "85" << 85.0;
    QTest::newRow("blanks") << "C"
                            << " 88.1 " << 88.1;
    QTest::newRow("tab") << "C"
                         << "\t90" << 90.0;
    QTest::newRow("plus") << "C"
                          << "+99" << 99.0;
    QTest::newRow("minus") << "C"
                           << "-99" << -99.0;
    QTest::newRow("leading separator") << "C"
                                       << ".5" << 0.5;
    QTest::newRow("trailing separator") << "de_DE"
                                        << "95," << 95.0;
    QTest::newRow("native digits") << "ar_EG" << QString::fromUtf8("٩٥٫٣") << 95.3;
    QTest::newRow("empty") << "C"
                           << "" << no;
    QTest::newRow("blanks only") << "C"
                                 << "   " << no;
    QTest::newRow("word") << "C"
                          << "abc" << no;
    QTest::newRow("sign only") << "C"
                               << "-" << no;
    QTest::newRow("separator only") << "C"
                                    << "," << no;
    QTest::newRow("two separators") << "C"
                                    << "9.5.3" << no;
    QTest::newRow("group and decimal") << "en_US"
                                       << "1,000.5" << no;
    QTest::newRow("blank inside") << "C"
                                  << "9 5" << no;
    QTest::newRow("sign after digits") << "C"
                                       << "95-" << no;
    QTest::newRow("two signs") << "C"
                               << "+-9" << no;
    QTest::newRow("exponent") << "C"
                              << "1e2" << no;
    QTest::newRow("hex") << "C"
                         << "0x5F" << no;
    QTest::newRow("currency") << "C"
                              << "$95" << no;
    QTest::newRow("infinity") << "C"
                              << "inf" << no;
    QTest::newRow("nan") << "C"
                         << "nan" << no;
    QTest::newRow("too large for a double") << "C" << QString(400, u'9') << no;
    QTest::newRow("nul") << "C" << QString(QChar(0)) << no;
}

void TestNumberText::parses()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, expected);
    const std::optional<double> value = NumberText(QLocale(locale)).parse(text);
    if (expected == -1) {
        QVERIFY(!value);
    } else {
        QVERIFY(value);
        QCOMPARE(*value, expected);
    }
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
