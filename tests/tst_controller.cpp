#include "controller.h"
#include "recordingview.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// The eight picture operations for a switch code, from its bits.
QStringList picturesOf(int code)
{
    QStringList lines;
    for (int k = 1; k <= 8; ++k)
        lines << QStringLiteral("picture %1 %2")
                     .arg(k)
                     .arg((code >> (k - 1)) & 1 ? "OFF_SW.bmp" : "ON_SW.bmp");
    return lines;
}

// Runs actions separated by blanks: load, click:K, type:TEXT, validate.
void run(SettingsController &controller, RecordingView &view, const QString &actions)
{
    for (const QString &action : actions.split(u' ', Qt::SkipEmptyParts)) {
        if (action == u"load")
            controller.Form_Load();
        else if (action == u"validate")
            controller.txtFreq_Validate();
        else if (action.startsWith(u"click:"))
            controller.picClick(action.mid(6).toInt());
        else if (action.startsWith(u"type:"))
            view.fieldText = action.mid(5);
        else
            QFAIL(qPrintable(action));
    }
}

const QString Description = QStringLiteral(
    "description Type a frequency into the field\r\nand click on the dip - switch\r\n"
    "or click on the dip - switch to get the frequency");

} // namespace

class TestController : public QObject
{
    Q_OBJECT

private slots:
    void producesViewOperations_data();
    void producesViewOperations();
    void clickingEverySwitchWalksAllCodes();
};

void TestController::producesViewOperations_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QStringList>("expected");

    const QStringList read{"read"};
    const QStringList readTwice{"read", "read"};
    const QStringList reset = QStringList{"colour 0", "text 87.5"} + picturesOf(50);

    struct Row {
        const char *name;
        QString before;
        QString actions;
        QStringList expected;
    };
    const Row rows[] = {
        {"start", "", "load", QStringList{"text 87.5"} + picturesOf(50) + QStringList{Description}},
        {"click 1 after start",
         "load",
         "click:1",
         {"picture 1 OFF_SW.bmp", "colour 0", "text 87.6"}},
        {"click 6 after start",
         "load",
         "click:6",
         {"picture 6 ON_SW.bmp", "colour 255", "text 84.3"}},
        {"all switches OFF",
         "load click:1 click:3 click:4 click:7",
         "click:8",
         {"picture 8 OFF_SW.bmp", "colour 0", "text 108"}},
        {"all switches ON",
         "load click:2 click:5",
         "click:6",
         {"picture 6 ON_SW.bmp", "colour 255", "text 82.5"}},
        {"type 85", "load type:85", "validate",
         readTwice + QStringList{"colour 255"} + picturesOf(25)},
        {"type 87.56", "load type:87.56", "validate",
         readTwice + QStringList{"colour 0"} + picturesOf(51)},
        {"type 87.49", "load type:87.49", "validate",
         readTwice + QStringList{"colour 255"} + picturesOf(50)},
        {"type 200", "load type:200", "validate", readTwice + reset},
        {"type 82.4", "load type:82.4", "validate", readTwice + reset},
        {"type a word", "load type:abc", "validate", read + reset},
        {"type nothing", "load type:", "validate", read + reset},
        {"type 108", "load type:108", "validate",
         readTwice + QStringList{"colour 0"} + picturesOf(255)},
        {"type 82.5", "load type:82.5", "validate",
         readTwice + QStringList{"colour 255"} + picturesOf(0)},
        {"type 95.3 then click 1", "load type:95.3", "validate click:1",
         readTwice + QStringList{"colour 0"} + picturesOf(128) +
             QStringList{"picture 1 OFF_SW.bmp", "colour 0", "text 95.4"}},
        {"reset after red turns black", "load type:85 validate", "type:200 validate",
         readTwice + reset},
        {"unchanged text validated again", "load", "validate",
         readTwice + QStringList{"colour 0"} + picturesOf(50)},
    };

    for (const char *locale : {"C", "de_DE"}) {
        const QString separator = QLocale(locale).decimalPoint();
        const auto localised = [&](QString text) { return text.replace(u'.', separator); };
        for (const Row &row : rows) {
            QStringList expected;
            for (const QString &line : row.expected)
                expected << (line.startsWith(u"text") ? localised(line) : line);
            QTest::addRow("%s, %s", locale, row.name)
                << QString::fromLatin1(locale) << localised(row.before) << localised(row.actions)
                << expected;
        }
    }
}

void TestController::producesViewOperations()
{
    QFETCH(QString, locale);
    QFETCH(QString, before);
    QFETCH(QString, actions);
    QFETCH(QStringList, expected);

    RecordingView view;
    SettingsController controller(view, NumberText(QLocale(locale)));
    run(controller, view, before);
    view.log.clear();
    run(controller, view, actions);
    QCOMPARE(view.log, expected);
}

void TestController::clickingEverySwitchWalksAllCodes()
{
    // Counting up in binary with clicks passes every code once.
    RecordingView view;
    SettingsController controller(view, NumberText(QLocale::c()));
    controller.Form_Load();
    int code = 50;
    for (int step = 0; step < 256; ++step) {
        const int next = (code + 1) % 256;
        for (int k = 1; k <= 8; ++k)
            if (((code ^ next) >> (k - 1)) & 1)
                controller.picClick(k);
        code = next;
        const int tenths = 825 + code;
        QCOMPARE(view.fieldText, QStringLiteral("%1.%2")
                                     .arg(tenths / 10)
                                     .arg(tenths % 10)
                                     .remove(QRegularExpression("\\.0$")));
        QCOMPARE(int(controller.record().intCode), code);
    }
}

QTEST_APPLESS_MAIN(TestController)
#include "tst_controller.moc"
