// The window's events with real image files, against the floor of reading
// the same files with QImageReader alone. Each name is the one the README's
// table uses.
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

// The floor of a click: one switch image read and decoded, nothing shown.
void read_switch_images(benchmark::State &state)
{
    const int files = int(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < files; ++i) {
            QImageReader reader(QStringLiteral("OFF_SW.bmp"));
            benchmark::DoNotOptimize(reader.read());
        }
    }
}

// Start text, eight switch images, the description.
void Form_Load(benchmark::State &state)
{
    for (auto _ : state)
        window->load();
}

// A typed value, then the focus leaves the field: eight switch images.
void txtFreq_Validate(benchmark::State &state)
{
    for (auto _ : state) {
        window->txtFreq()->setFocus();
        window->txtFreq()->setText(QStringLiteral("95.3"));
        window->picDIP_SW()->setFocus();
    }
}

// A real mouse click on switch 1: one image, the frequency text and colour.
void pic1_Click(benchmark::State &state)
{
    window->picDIP_SW()->setFocus();
    for (auto _ : state)
        QTest::mouseClick(window->pic(1), Qt::LeftButton, Qt::NoModifier, QPoint(4, 9));
}

} // namespace

BENCHMARK(read_switch_images)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(Form_Load)->Unit(benchmark::kMicrosecond);
BENCHMARK(txtFreq_Validate)->Unit(benchmark::kMicrosecond);
BENCHMARK(pic1_Click)->Unit(benchmark::kMicrosecond);

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
