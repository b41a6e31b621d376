// The window's events with real image files, against the floor of reading
// the same files with QImageReader alone.
#include "frmSettings.h"
#include "switchpicture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

frmSettings *window = nullptr;

void readImages(benchmark::State &state)
{
    const int files = int(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < files; ++i) {
            QImageReader reader(QStringLiteral("OFF_SW.bmp"));
            benchmark::DoNotOptimize(reader.read());
        }
    }
}

void formLoad(benchmark::State &state)
{
    for (auto _ : state)
        window->load();
}

void validate(benchmark::State &state)
{
    for (auto _ : state) {
        window->txtFreq()->setFocus();
        window->txtFreq()->setText(QStringLiteral("95.3"));
        window->picDIP_SW()->setFocus(); // the focus leaves the field: one validation
    }
}

void switchClick(benchmark::State &state)
{
    window->picDIP_SW()->setFocus();
    for (auto _ : state)
        QTest::mouseClick(window->pic(1), Qt::LeftButton, Qt::NoModifier, QPoint(4, 9));
}

void baselineFocusMove(benchmark::State &state)
{
    // The same focus moves with a field that validates nothing.
    QWidget other;
    QLineEdit field(&other);
    QLineEdit target(&other);
    other.show();
    QApplication::setActiveWindow(&other);
    for (auto _ : state) {
        field.setFocus();
        field.setText(QStringLiteral("95.3"));
        target.setFocus();
    }
    QApplication::setActiveWindow(window);
}

} // namespace

BENCHMARK(readImages)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(formLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(validate)->Unit(benchmark::kMicrosecond);
BENCHMARK(switchClick)->Unit(benchmark::kMicrosecond);
BENCHMARK(baselineFocusMove)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    for (const char *name : {"ON_SW.bmp", "OFF_SW.bmp"})
        QFile::copy(QStringLiteral(CORVEX_RESOURCES_DIR "/") + QString::fromLatin1(name),
                    dir.filePath(QString::fromLatin1(name)));
    QDir::setCurrent(dir.path());

    frmSettings settings;
    window = &settings;
    settings.load();
    settings.show();
    QApplication::setActiveWindow(&settings);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
