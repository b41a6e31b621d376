// Ten thousand clicks and validations: nothing leaks (LeakSanitizer, in the
// sanitizer build) and the resident memory stays flat.
#include "switchpicture.h"
#include "windowfixture.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define CORVEX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVEX_ASAN 1
#endif
#endif

namespace {

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void clicksAndValidationsStayFlat();
};

void TestSoak::clicksAndValidationsStayFlat()
{
    WindowFixture fixture;
    frmSettings &window = fixture.start();
    const QStringList typed{"95.3", "200", "abc", "82.5", "", "108", "87.49"};
    qint64 warm = 0;
    const int rounds = 10000;
    for (int i = 0; i < rounds; ++i) {
        fixture.click(window.pic(i % 8 + 1));
        window.txtFreq()->setFocus();
        window.txtFreq()->setText(typed[i % typed.size()]);
        fixture.key(Qt::Key_Tab); // validates, eight image reads
        if (i == 1000)
            warm = residentBytes();
    }
    const qint64 end = residentBytes();
    qInfo("resident memory after 1000 rounds: %lld KiB, after %d: %lld KiB (%+lld KiB)",
          warm / 1024, rounds, end / 1024, (end - warm) / 1024);
#ifndef CORVEX_ASAN
    QVERIFY2(end - warm < 2 * 1024 * 1024, "resident memory grows");
#endif
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
