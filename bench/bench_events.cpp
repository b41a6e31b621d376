// The window's events with real image files, against the floor of reading
// the same files' bytes alone. Each name is the one the README's
// table uses.
#include "frmSettings.h"
#include "picturefile.h"
#include "switchpicture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

frmSettings *window = nullptr;

// The floor of a click: one switch image's bytes read, nothing decoded or shown.
void read_switch_images(benchmark::State &state)
{
    const int files = int(state.range(0));
    for (auto _ : state)
        for (int i = 0; i < files; ++i)
            benchmark::DoNotOptimize(readPictureBytes("OFF_SW.bmp"));
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

    EventGuard guard;
    frmSettings settings(guard);
    window = &settings;
    settings.load();
    settings.show();
    QApplication::setActiveWindow(&settings);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
