// The Linux program's window, offscreen, showing every bitmap the decoder
// takes: loaded, painted, each switch clicked and painted again. Run under
// valgrind, so that a read of memory that the picture does not own, or that
// no one wrote, fails it. Files the decoder refuses are passed over, so a
// fuzzer's findings can be given too. Usage: paint_test CORPUS_FOLDER
#include "frmSettings.h"
#include "switchpicture.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
fs::path corpus;
}

TEST(Paint, EveryBitmapTheDecoderTakes)
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(corpus))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 2u);
    const fs::path folder = fs::temp_directory_path() / "corvex-paint-test";
    std::size_t painted = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].filename().string());
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy_file(files[i], folder / "ON_SW.bmp");
        fs::copy_file(files[(i + 1) % files.size()], folder / "OFF_SW.bmp");
        QDir::setCurrent(QString::fromStdString(folder.string()));
        EventGuard guard;
        frmSettings window(guard);
        if (!guard.run([&] { window.load(); }))
            continue;
        ++painted;
        window.show();
        window.grab();
        for (int k = 1; k <= 8; ++k)
            QTest::mouseClick(window.pic(k), Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
        window.grab();
        EXPECT_FALSE(guard.failed());
    }
    fs::remove_all(folder);
    std::printf("%zu of %zu pairs painted\n", painted, files.size());
    EXPECT_GT(painted, 0u);
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_test CORPUS_FOLDER\n");
        return 2;
    }
    corpus = fs::absolute(argv[1]);
    return RUN_ALL_TESTS();
}
