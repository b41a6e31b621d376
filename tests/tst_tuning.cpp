#include "int16.h"
#include "runtimeerror.h"
#include "tuningrecord.h"

#include <QTest>
#include <cstdlib>

namespace {

int codeOf(const TuningRecord &record)
{
    int code = 0;
    for (int k = 1; k <= SwitchCount; ++k)
        code += record.blnSw(k) ? (1 << (k - 1)) : 0;
    return code;
}

void setCode(TuningRecord &record, int code)
{
    for (int k = 1; k <= SwitchCount; ++k)
        record.blnSw(k) = (code >> (k - 1)) & 1 ? True16 : False16;
}

// The decimal text "a.b" of a raster channel, built from integers only.
QByteArray channelText(int code)
{
    const int tenths = 825 + code;
    return QByteArray::number(tenths / 10) + '.' + QByteArray::number(tenths % 10);
}

// Nearest channel of a value given in units of 10^-places MHz, ties to the even code.
int nearestCode(int units, int places)
{
    int perStep = 1;
    for (int i = 1; i < places; ++i)
        perStep *= 10;
    const int offset = units - 825 * perStep;
    const int below = offset / perStep;
    const int twiceRemainder = 2 * (offset % perStep);
    if (twiceRemainder < perStep || (twiceRemainder == perStep && below % 2 == 0))
        return below;
    return below + 1;
}

} // namespace

class TestTuning : public QObject
{
    Q_OBJECT

private slots:
    void roundsToInt16_data();
    void roundsToInt16();
    void int16ArithmeticOverflows();
    void everyCodeRoundTrips();
    void typedValuesGoToNearestChannel_data();
    void typedValuesGoToNearestChannel();
    void outOfBandArithmeticRaises_data();
    void outOfBandArithmeticRaises();
};

void TestTuning::roundsToInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected"); // 99999: overflow

    QTest::newRow("half to even, down") << 2.5 << 2;
    QTest::newRow("half to even, up") << 3.5 << 4;
    QTest::newRow("negative half") << -2.5 << -2;
    QTest::newRow("just below half") << 206.49999999999997 << 206;
    QTest::newRow("top") << 32767.0 << 32767;
    QTest::newRow("top + 0.4") << 32767.4 << 32767;
    QTest::newRow("top + 0.5") << 32767.5 << 99999;
    QTest::newRow("bottom") << -32768.0 << -32768;
    QTest::newRow("bottom - 0.5 rounds to even") << -32768.5 << -32768;
    QTest::newRow("bottom - 0.6") << -32768.6 << 99999;
    QTest::newRow("huge") << 1e300 << 99999;
    QTest::newRow("nan") << std::nan("") << 99999;
    QTest::newRow("infinity") << HUGE_VAL << 99999;
}

void TestTuning::roundsToInt16()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    if (expected == 99999)
        QVERIFY_THROWS_EXCEPTION(OverflowError, toInt16(value));
    else
        QCOMPARE(int(toInt16(value)), expected);
}

void TestTuning::int16ArithmeticOverflows()
{
    QCOMPARE(int(add16(32766, 1)), 32767);
    QVERIFY_THROWS_EXCEPTION(OverflowError, add16(32767, 1));
    QCOMPARE(int(sub16(-32767, 1)), -32768);
    QVERIFY_THROWS_EXCEPTION(OverflowError, sub16(-32768, 1));
    QVERIFY_THROWS_EXCEPTION(OverflowError, add16(-32768, -1));
    QVERIFY_THROWS_EXCEPTION(FloatingPointError, checkFinite(HUGE_VAL * 0.0));
}

void TestTuning::everyCodeRoundTrips()
{
    for (int code = 0; code < 256; ++code) {
        TuningRecord record;
        setCode(record, code);
        convertSwitchesToFreq(record);
        QCOMPARE(int(record.intCode), code);
        QCOMPARE(record.dblFreq, std::strtod(channelText(code).constData(), nullptr));

        convertFreqToSwitches(record);
        QCOMPARE(codeOf(record), code);
        QCOMPARE(int(record.intCode), 1);
        for (int k = 1; k <= SwitchCount; ++k)
            QVERIFY(record.blnSw(k) == True16 || record.blnSw(k) == False16);
    }
}

void TestTuning::typedValuesGoToNearestChannel_data()
{
    QTest::addColumn<int>("places");
    QTest::newRow("hundredths, all halfway values") << 2;
    QTest::newRow("thousandths") << 3;
}

void TestTuning::typedValuesGoToNearestChannel()
{
    QFETCH(int, places);
    int perMHz = 1;
    for (int i = 0; i < places; ++i)
        perMHz *= 10;
    for (int units = 825 * perMHz / 10; units <= 1080 * perMHz / 10; ++units) {
        const QByteArray text = QByteArray::number(units / perMHz) + '.' +
                                QByteArray::number(units % perMHz).rightJustified(places, '0');
        TuningRecord record;
        record.dblFreq = std::strtod(text.constData(), nullptr);
        const double typed = record.dblFreq;
        convertFreqToSwitches(record);
        QVERIFY2(codeOf(record) == nearestCode(units, places), text.constData());
        QCOMPARE(record.dblFreq, typed);
    }
}

void TestTuning::outOfBandArithmeticRaises_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<bool>("floatingPoint");
    QTest::newRow("far above") << 5000.0 << false;
    QTest::newRow("far below") << -5000.0 << false;
    QTest::newRow("nan") << std::nan("") << true;
    QTest::newRow("infinity") << HUGE_VAL << true;
    QTest::newRow("product overflows") << 1.7e308 << true;
}

void TestTuning::outOfBandArithmeticRaises()
{
    QFETCH(double, frequency);
    QFETCH(bool, floatingPoint);
    TuningRecord record;
    record.dblFreq = frequency;
    if (floatingPoint)
        QVERIFY_THROWS_EXCEPTION(FloatingPointError, convertFreqToSwitches(record));
    else
        QVERIFY_THROWS_EXCEPTION(OverflowError, convertFreqToSwitches(record));
}

QTEST_APPLESS_MAIN(TestTuning)
#include "tst_tuning.moc"
