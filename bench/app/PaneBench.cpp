// The desktop program's panes and player panel, offscreen with the null audio device
// and the real control: a pane filling its list from a folder of 10,000 MP3 files, a
// click on an entry showing its tag and times, and the program's CPU load while a
// file plays with the level meter running.
//
//     app_bench [benchmark options]
//     app_bench --picture OUT.png   the main window while a file plays, for the docs
//     app_bench --picture-editing OUT.png   the tag area with an edit pending
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/common/ControlEventPump.h"
#include "bench/app/BenchProgram.h"

namespace {

using namespace trackdeck;

constexpr int PaneFiles = 10000;
const QString Demo = TRACKDECK_SOURCE_DIR "/tools/demo/demo.mp3";

// The program with pane A on `folder`; a click on an entry plays it or not.
class Program : public bench::BenchProgram {
public:
    Program(const QString& folder, bool clickPlay)
        : BenchProgram(folder,
                       QByteArray("[Player]\nKlickPlay=") + (clickPlay ? "1" : "0") + "\n") {}
};

QString MakePaneFolder() {
    static const QString folder = [] {
        const QString path = QDir::tempPath() + "/trackdeck-bench-pane/";
        QDir().mkpath(path);
        for (int i = 0; i < PaneFiles; ++i) {
            QFile file(path + QString("track %1.mp3").arg(i, 5, 10, QChar('0')));
            if (!file.exists()) (void)file.open(QIODevice::WriteOnly);
        }
        QFile::remove(path + "00000 demo.mp3");
        QFile::copy(Demo, path + "00000 demo.mp3");
        return path;
    }();
    return folder;
}

void WaitMs(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.start(10);
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void BM_FillPaneOf10000Files(benchmark::State& state) {
    Program program(MakePaneFolder(), false);
    for (auto _ : state) {
        program.Form().PaneSet().RefreshPane(1);
        // Until the list is laid out and drawn, the user sees nothing of it.
        QCoreApplication::processEvents();
    }
    state.counters["entries"] = program.Find<QListWidget>("List1")->count();
}
BENCHMARK(BM_FillPaneOf10000Files)->Unit(benchmark::kMillisecond);

// Alternates between the demo file (tag, times, bit rate) and an empty file.
void BM_ClickOnAnEntry(benchmark::State& state) {
    Program program(MakePaneFolder(), false);
    QListWidget* list = program.Find<QListWidget>("List1");
    int row = 0;
    for (auto _ : state) {
        list->setCurrentRow(row);
        row = 1 - row;
    }
}
BENCHMARK(BM_ClickOnAnEntry)->Unit(benchmark::kMillisecond);

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The program's whole CPU load, as a share of one core, while the demo plays.
void BM_PlaybackLoad(benchmark::State& state) {
    const QString folder = QDir::tempPath() + "/trackdeck-bench-play/";
    QDir().mkpath(folder);
    QFile::remove(folder + "demo.mp3");
    QFile::copy(Demo, folder + "demo.mp3");
    Program program(folder, true);
    for (auto _ : state) {
        program.Find<QListWidget>("List1")->setCurrentRow(0);
        // The steady state of playing: the start (opening, the first buffers) is not counted,
        // and the 8-second demo is still playing at the end.
        WaitMs(1000);
        const double cpu = CpuSeconds();
        QElapsedTimer clock;
        clock.start();
        WaitMs(6000);
        state.counters["cpu_percent"] =
            100.0 * (CpuSeconds() - cpu) / (static_cast<double>(clock.elapsed()) / 1000.0);
        program.Find<ClickableLabel>("Image6")->clicked();
        WaitUntil([&] { return program.State().PlayerThreadEnded; });
    }
}
BENCHMARK(BM_PlaybackLoad)->Iterations(1)->Unit(benchmark::kSecond);

// The demo with a tag, in a folder of its own; returns the folder.
QString TaggedDemoFolder() {
    const QString folder = QDir::tempPath() + "/trackdeck-bench-picture/";
    QDir().mkpath(folder);
    const QString demo = folder + "01 - Veltrano - Demo.mp3";
    QFile::remove(demo);
    QFile::copy(Demo, demo);
    QFile tagged(demo);
    (void)tagged.open(QIODevice::Append);
    QByteArray tag = "TAG";
    for (const QByteArray& field :
         {QByteArray("Demo"), QByteArray("Veltrano"), QByteArray("Trackdeck Sampler"),
          QByteArray("2001"), QByteArray("Layer III, 128 kbps")})
        tag += field.leftJustified(field == "2001" ? 4 : 30, '\0', true);
    tag += '\x0c';
    tagged.write(tag);
    tagged.close();
    return folder;
}

int Save(QWidget& window, const char* file) {
    const bool saved = window.grab().save(file, "PNG");
    std::printf("%s %s\n", saved ? "Picture in" : "Cannot write", file);
    return saved ? 0 : 1;
}

int WritePicture(const char* file) {
    Program program(TaggedDemoFolder(), true);
    program.Find<QListWidget>("List1")->setCurrentRow(0);
    WaitMs(3000);
    return Save(program.Form(), file);
}

// The tag area with an edit pending and the insert buttons open over part of the name.
int WriteEditingPicture(const char* file) {
    Program program(TaggedDemoFolder(), false);
    program.Find<QListWidget>("List1")->setCurrentRow(0);
    auto* title = program.Find<QLineEdit>("Text1");
    auto* name = program.Find<QLineEdit>("Text12");
    auto* insert = program.Find<QPushButton>("Command4(0)");
    title->setFocus();
    title->end(false);
    for (const char* key : {" ", "(", "L", "i", "v", "e", ")"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
        QCoreApplication::sendEvent(title, &press);
    }
    const QPoint inName(5, name->height() / 2);
    QMouseEvent click(QEvent::MouseButtonPress, inName, name->mapToGlobal(inName), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(name, &click);
    name->setSelection(5, 8);
    const QPoint onButton(5, 5);
    QMouseEvent over(QEvent::MouseMove, onButton, insert->mapToGlobal(onButton), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(insert, &over);
    WaitMs(300);
    return Save(program.Form(), file);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    ControlEventPump pump;
    if (argc == 3 && std::strcmp(argv[1], "--picture") == 0) return WritePicture(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--picture-editing") == 0)
        return WriteEditingPicture(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
