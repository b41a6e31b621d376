// The window's events with real image files, against the floor of reading
// the same files' bytes alone. Each name is the one the README's
// table uses.
#include "frmSettings.h"
#include "picturefile.h"
#include "slowestbitmaps.h"
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

// A child of the window by its design name, as its tests find it.
template <class Widget = QWidget> Widget *child(const char *name)
{
    return window->findChild<Widget *>(QString::fromLatin1(name));
}

// The floor of a click: one switch image's bytes read, nothing decoded or shown.
void read_switch_images(benchmark::State &state)
{
    const int files = int(state.range(0));
    for (auto _ : state)
        for (int i = 0; i < files; ++i)
            benchmark::DoNotOptimize(readPictureBytes(PlatformFileOpener(), "OFF_SW.bmp"));
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
        child<QLineEdit>("txtFreq")->setFocus();
        child<QLineEdit>("txtFreq")->setText(QStringLiteral("95.3"));
        child("picDIP_SW")->setFocus();
    }
}

// A real mouse click on switch 1: one image, the frequency text and colour.
void pic1_Click(benchmark::State &state)
{
    child("picDIP_SW")->setFocus();
    for (auto _ : state)
        QTest::mouseClick(child("pic1"), Qt::LeftButton, Qt::NoModifier, QPoint(4, 9));
}

// The slowest files there are, as both images: a validation shows eight of
// them, a click one. A refused file is timed to its refusal, eight reads and
// decodes or one, since the program ends there.
void useAsBothImages(const Bytes &bytes)
{
    for (const char *name : {"ON_SW.bmp", "OFF_SW.bmp"}) {
        QFile file(QString::fromLatin1(name));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
    }
}

void registerSlowestFiles(const QString &folder)
{
    for (const NamedBitmap &file : slowestBitmaps()) {
        const auto prepare = [folder, bytes = file.bytes] {
            QDir::setCurrent(folder);
            useAsBothImages(bytes);
            return refused();
        };
        benchmark::RegisterBenchmark((std::string("slowest_validation/") + file.name).c_str(),
                                     [prepare](benchmark::State &state) {
                                         const bool refusedFile = prepare();
                                         for (auto _ : state) {
                                             if (refusedFile) {
                                                 for (int i = 0; i < 8; ++i)
                                                     benchmark::DoNotOptimize(refused());
                                             } else {
                                                 child<QLineEdit>("txtFreq")->setFocus();
                                                 child<QLineEdit>("txtFreq")->setText(
                                                     QStringLiteral("95.3"));
                                                 child("picDIP_SW")->setFocus();
                                             }
                                         }
                                     })
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("slowest_click/") + file.name).c_str(),
                                     [prepare](benchmark::State &state) {
                                         const bool refusedFile = prepare();
                                         child("picDIP_SW")->setFocus();
                                         for (auto _ : state) {
                                             if (refusedFile)
                                                 benchmark::DoNotOptimize(refused());
                                             else
                                                 QTest::mouseClick(child("pic1"), Qt::LeftButton,
                                                                   Qt::NoModifier, QPoint(4, 9));
                                         }
                                     })
            ->Unit(benchmark::kMicrosecond);
    }
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

    QTemporaryDir slowest;
    registerSlowestFiles(slowest.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
