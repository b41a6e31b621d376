// The Linux program's window in-process, offscreen: that it follows the
// system's colours, and that it paints every
// bitmap the decoder takes (run under valgrind, so that a read of memory the
// picture does not own, or that no one wrote, fails it).
#include "frmSettings.h"
#include "switchpicture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Starts in a folder of its own that holds these two files as the switch images.
void startIn(const fs::path &on, const fs::path &off)
{
    // One of this process's own: tests and test runs go on side by side.
    const fs::path folder =
        fs::temp_directory_path() /
        ("corvex-window-test-" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(on, folder / "ON_SW.bmp");
    fs::copy_file(off, folder / "OFF_SW.bmp");
    QDir::setCurrent(QString::fromStdString(folder.string()));
}

const fs::path Resources = CORVEX_RESOURCES_DIR;

// A child by its design name, as a test of any Qt window finds it.
template <class Widget = QWidget> Widget *child(const QWidget &window, const char *name)
{
    auto *widget = window.findChild<Widget *>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

} // namespace

TEST(SystemColours, AThemeSwitchedWhileRunningIsFollowed)
{
    startIn(Resources / "ON_SW.bmp", Resources / "OFF_SW.bmp");
    EventGuard guard;
    frmSettings window(guard);
    ASSERT_TRUE(guard.run([&] { window.load(); }));
    QTest::mouseClick(child(window, "pic6"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(2, 2)); // red: 84.3
    const QPalette before = QApplication::palette();
    QPalette contrast = before;
    contrast.setColor(QPalette::Window, Qt::black);
    contrast.setColor(QPalette::ButtonText, Qt::yellow);
    QApplication::setPalette(contrast);
    EXPECT_EQ(child(window, "Description")->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(child(window, "Description")->palette().color(QPalette::WindowText),
              QColor(Qt::yellow));
    EXPECT_EQ(child(window, "txtFreq")->palette().color(QPalette::Text), QColor(Qt::red));
    QApplication::setPalette(before);
}

TEST(Paint, EveryBitmapTheDecoderTakes)
{
    const char *corpus = std::getenv("CORVEX_BITMAP_CORPUS");
    if (!corpus)
        GTEST_SKIP() << "CORVEX_BITMAP_CORPUS names no folder";
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(fs::absolute(corpus)))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 2u);
    // Every file in it is one the decoder takes, of its own size: each pair loads.
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].filename().string());
        startIn(files[i], files[(i + 1) % files.size()]);
        EventGuard guard;
        frmSettings window(guard);
        if (!guard.run([&] { window.load(); })) {
            ADD_FAILURE() << "the pair did not load";
            continue;
        }
        window.show();
        window.grab();
        for (int k = 1; k <= 8; ++k)
            QTest::mouseClick(child(window, ("pic" + std::to_string(k)).c_str()), Qt::LeftButton,
                              Qt::NoModifier, QPoint(0, 0));
        window.grab();
        EXPECT_FALSE(guard.failed());
    }
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
