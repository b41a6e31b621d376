#include "controller.h"
#include "runtimeerror.h"
#include "switchblock.h"
#include "switchpicture.h"
#include "windowfixture.h"

#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QString localised(QString text)
{
    return text.replace(u'.', QLocale::system().decimalPoint());
}

QImage rgb(const QString &file)
{
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { m_fixture.reset(); }

    void showsBandStartAfterStart();
    void userActions_data();
    void userActions();
    void releaseOutsideIsNoClick();
    void tabOrderSkipsLabels();
    void leavingTheWindowDoesNotValidate();
    void fieldTakesFiveCharacters();
    void tooltips();
    void switchesCoverTheirSlots();
    void windowIsFixedAndLaidOut();
    void textsFitTheirControls();
    void replacedImageShowsOnNextSet();
    void badImageFiles_data();
    void badImageFiles();

private:
    WindowFixture &fixture()
    {
        m_fixture = std::make_unique<WindowFixture>();
        return *m_fixture;
    }
    std::unique_ptr<WindowFixture> m_fixture;
};

void TestWindow::showsBandStartAfterStart()
{
    frmSettings &window = fixture().start();
    QCOMPARE(window.txtFreq()->text(), localised("87.5"));
    QCOMPARE(m_fixture->shownCode(), 50);
    QVERIFY(!m_fixture->isRed());
    const QImage on = rgb(m_fixture->path("ON_SW.bmp"));
    const QImage off = rgb(m_fixture->path("OFF_SW.bmp"));
    for (int k = 1; k <= 8; ++k) {
        const bool isOff = k == 2 || k == 5 || k == 6;
        QCOMPARE(window.pic(k)->picture().convertToFormat(QImage::Format_RGB32), isOff ? off : on);
        QCOMPARE(window.pic(k)->accessibleDescription(), isOff ? "OFF" : "ON");
        QCOMPARE(window.pic(k)->accessibleName(), QStringLiteral("Switch %1").arg(k));
    }
    QCOMPARE(window.Description()->text().split(u'\n').size(), 3);
    QCOMPARE(window.picDIP_SW()->accessibleName(), "DIP switch");
    QCOMPARE(window.txtFreq()->accessibleName(), "Frequency in MHz");
    QCOMPARE(QApplication::focusWidget(), window.txtFreq());
}

void TestWindow::userActions_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("red");
    QTest::addColumn<int>("code");

    // Typed texts with '.' use the locale's separator; a ',' is typed as it is.
    const struct {
        const char *actions;
        const char *text;
        bool red;
        int code;
    } rows[] = {
        {"click:1", "87.6", false, 51},
        {"click:6", "84.3", true, 18},
        {"type:85 tab", "85", true, 25},
        {"type:87.56 housing", "87.56", false, 51},
        {"type:87.49 tab", "87.49", true, 50},
        {"type:200 tab", "87.5", false, 50},
        {"type:abc housing", "87.5", false, 50},
        {"type:82.5 tab", "82.5", true, 0},
        // The validation runs first (95.3: code 128), then the click flips switch 1.
        {"type:95.3 click:1", "95.4", false, 129},
        {"type:85 tab type:200 tab", "87.5", false, 50},
        {"type:95,3 tab", "95,3", false, 128},
        // Neither a click in the field nor one on a label moves the focus.
        {"type:200 field label", "200", false, 50},
    };
    for (const auto &row : rows)
        QTest::newRow(row.actions) << row.actions << row.text << row.red << row.code;
}

void TestWindow::userActions()
{
    QFETCH(QString, actions);
    QFETCH(QString, text);
    QFETCH(bool, red);
    QFETCH(int, code);

    frmSettings &window = fixture().start();
    for (const QString &action : actions.split(u' ')) {
        if (action.startsWith(u"click:"))
            m_fixture->click(window.pic(action.mid(6).toInt()));
        else if (action.startsWith(u"type:"))
            m_fixture->type(action.size() > 5 && action[5] == u',' ? action.mid(5)
                                                                   : localised(action.mid(5)));
        else if (action == u"tab")
            m_fixture->key(Qt::Key_Tab);
        else if (action == u"housing")
            m_fixture->click(window.picDIP_SW(), QPoint(50, 3));
        else if (action == u"field")
            m_fixture->click(window.txtFreq());
        else if (action == u"label")
            m_fixture->click(window.MHz());
    }
    QCOMPARE(window.txtFreq()->text(), text.contains(u',') ? text : localised(text));
    QCOMPARE(m_fixture->isRed(), red);
    QCOMPARE(m_fixture->shownCode(), code);
    if (actions.endsWith(u"click:1")) // a click takes the focus
        QCOMPARE(QApplication::focusWidget(), window.pic(1));
}

void TestWindow::releaseOutsideIsNoClick()
{
    frmSettings &window = fixture().start();
    QTest::mousePress(window.pic(1), Qt::LeftButton, Qt::NoModifier, QPoint(4, 9));
    QTest::mouseRelease(window.pic(1), Qt::LeftButton, Qt::NoModifier, QPoint(4, 40));
    QTest::mouseClick(window.pic(2), Qt::RightButton, Qt::NoModifier, QPoint(4, 9));
    QCOMPARE(m_fixture->shownCode(), 50);
}

void TestWindow::tabOrderSkipsLabels()
{
    frmSettings &window = fixture().start();
    QList<QWidget *> expected{window.picDIP_SW()};
    for (int k = 1; k <= 8; ++k)
        expected << window.pic(k);
    expected << window.txtFreq();
    for (QWidget *next : expected) {
        m_fixture->key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    m_fixture->key(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.pic(8));
}

void TestWindow::leavingTheWindowDoesNotValidate()
{
    frmSettings &window = fixture().start();
    m_fixture->type(QStringLiteral("200"));
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    other.setFocus();
    QCOMPARE(window.txtFreq()->text(), "200");
    QApplication::setActiveWindow(&window);
    QCOMPARE(QApplication::focusWidget(), window.txtFreq());
    QCOMPARE(window.txtFreq()->text(), "200");
}

void TestWindow::fieldTakesFiveCharacters()
{
    frmSettings &window = fixture().start();
    m_fixture->type(QStringLiteral("1234567"));
    QCOMPARE(window.txtFreq()->text(), "12345");

    QGuiApplication::clipboard()->setText(QStringLiteral("9876543"));
    m_fixture->type(QString());
    m_fixture->key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window.txtFreq()->text(), "98765");
}

void TestWindow::tooltips()
{
    frmSettings &window = fixture().start();
    for (int k = 1; k <= 8; ++k)
        QCOMPARE(window.pic(k)->toolTip(), "Click to change position");
    QCOMPARE(window.txtFreq()->toolTip(), "Type a frequency between 82,5MHz and 108,0MHz");
    QCOMPARE(window.picDIP_SW()->toolTip(), QString());
    QCOMPARE(window.MHz()->toolTip(), QString());
    QCOMPARE(window.Description()->toolTip(), QString());
}

void TestWindow::switchesCoverTheirSlots()
{
    frmSettings &window = fixture().start();
    const QImage housing = rgb(WindowFixture::resource("picDIP_SW.bmp"));
    const QImage on = rgb(m_fixture->path("ON_SW.bmp"));
    const QImage off = rgb(m_fixture->path("OFF_SW.bmp"));
    const QPoint housingAt = window.picDIP_SW()->pos();
    const QVector<QRect> slotRects = whiteSlots(housing);
    QCOMPARE(slotRects.size(), 8);
    for (int k = 1; k <= 8; ++k) {
        // Stacked above the housing: the switch is what a click there hits.
        const QPoint centre = slotRects[k - 1].center() + housingAt;
        QCOMPARE(window.childAt(centre), window.pic(k));
        QCOMPARE(QRect(window.pic(k)->mapTo(&window, QPoint(0, 0)), window.pic(k)->size()),
                 slotRects[k - 1].translated(housingAt));
    }
    for (int code : {50, 51, 0}) {
        if (code == 51)
            m_fixture->click(window.pic(1));
        if (code == 0)
            for (int k : {1, 2, 5, 6})
                m_fixture->click(window.pic(k));
        const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString problem = checkSwitchBlock(shot, housingAt, 1, housing, on, off, code);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
}

void TestWindow::windowIsFixedAndLaidOut()
{
    frmSettings &window = fixture().start();
    QCOMPARE(window.size(), QSize(312, 213));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.windowIcon().availableSizes().value(0), QSize(32, 32));
    QCOMPARE(window.pic(1)->parentWidget(), window.picDIP_SW());
    for (int k = 2; k <= 8; ++k)
        QCOMPARE(window.pic(k)->parentWidget(), &window);
    // Back to front: MHz, Description, housing, field, switches 2 to 8.
    QStringList stacking;
    for (QObject *child : window.children())
        if (child->isWidgetType())
            stacking << child->objectName();
    QCOMPARE(stacking, QStringList({"MHz", "Description", "picDIP_SW", "txtFreq", "pic2", "pic3",
                                    "pic4", "pic5", "pic6", "pic7", "pic8"}));
    QCOMPARE(window.txtFreq()->palette().color(QPalette::Base) ==
                 window.palette().color(QPalette::Window),
             false);
}

void TestWindow::textsFitTheirControls()
{
    frmSettings &window = fixture().start();
    const QStringList families{"Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial",
                               "Helvetica"};
    QVERIFY2(families.contains(QFontInfo(window.txtFreq()->font()).family()),
             qPrintable(QFontInfo(window.txtFreq()->font()).family()));
    QCOMPARE(window.txtFreq()->font().pointSize(), 24);
    QVERIFY(window.txtFreq()->font().bold());
    QCOMPARE(window.font().pointSize(), 8);

    QLineEdit *field = window.txtFreq();
    const QFontMetrics metrics(field->font());
    const QMargins margins = field->textMargins();
    // QLineEdit keeps two pixels free on each side of the text.
    const int room = field->width() - margins.left() - margins.right() - 4;
    for (const char *text : {"100.5", "107,5", "108", "88.8"}) {
        QVERIFY2(metrics.horizontalAdvance(text) <= room, qPrintable(text));
    }
    QVERIFY(metrics.height() <= field->height() - margins.top() - margins.bottom());
    const QFontMetrics unit(window.MHz()->font());
    QVERIFY(unit.horizontalAdvance("MHz") <= window.MHz()->width());
    QLabel *description = window.Description();
    QVERIFY(description->heightForWidth(description->width()) <= description->height());
}

void TestWindow::replacedImageShowsOnNextSet()
{
    frmSettings &window = fixture().start();
    m_fixture->click(window.picDIP_SW(), QPoint(50, 3)); // leave the field first
    QImage blue(8, 19, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    QFile::remove(m_fixture->path("OFF_SW.bmp"));
    QVERIFY(blue.save(m_fixture->path("OFF_SW.bmp")));
    m_fixture->click(window.pic(1)); // ON -> OFF: reads the new image
    QCOMPARE(window.pic(1)->picture().convertToFormat(QImage::Format_RGB32), blue);
    QVERIFY(window.pic(2)->picture().convertToFormat(QImage::Format_RGB32) != blue);

    // An image of another size resizes its box.
    QImage large(10, 30, QImage::Format_RGB32);
    large.fill(Qt::green);
    QFile::remove(m_fixture->path("ON_SW.bmp"));
    QVERIFY(large.save(m_fixture->path("ON_SW.bmp")));
    m_fixture->click(window.pic(2)); // OFF -> ON
    QCOMPARE(window.pic(2)->size(), QSize(10, 30));
    QCOMPARE(window.pic(3)->size(), QSize(8, 19));
}

void TestWindow::badImageFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    QFile good(WindowFixture::resource("OFF_SW.bmp"));
    good.open(QIODevice::ReadOnly);
    const QByteArray bmp = good.readAll();
    QByteArray huge = bmp.left(54);
    huge[18] = huge[22] = char(0x40);
    huge[21] = huge[25] = char(0x01); // 16 million pixels square

    QTest::newRow("missing") << QByteArray() << "does not exist";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("not an image") << QByteArray("hello, world") << "";
    QTest::newRow("truncated") << bmp.left(300) << "cut short";
    QTest::newRow("header only") << bmp.left(54) << "";
    QTest::newRow("huge dimensions") << huge << "";
    QTest::newRow("oversized file") << bmp << "too large";
}

void TestWindow::badImageFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    WindowFixture &files = fixture();
    QFile::remove(files.path("OFF_SW.bmp"));
    if (QTest::currentDataTag() != QByteArray("missing")) {
        QFile file(files.path("OFF_SW.bmp"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        if (QTest::currentDataTag() == QByteArray("oversized file"))
            file.resize(65 * 1024 * 1024); // sparse: costs no disk
    }
    frmSettings window;
    try {
        window.load();
        QFAIL("no error raised");
    } catch (const FileError &error) {
        QCOMPARE(error.fileName(), "OFF_SW.bmp");
        QCOMPARE(error.directory(), QDir::toNativeSeparators(QDir::currentPath()));
        QVERIFY2(error.reason().contains(reason), qPrintable(error.reason()));
        QVERIFY(!error.reason().isEmpty());
    }
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
