// The file search and the path list of the desktop program, offscreen with the
// real control: a tree of 20,000 small MP3 files with tags (200 folders of 100,
// made once under the temporary folder and then warm in the cache) searched
// through the search window by tag and by file name.
//
//     search_bench [benchmark options]
//     search_bench --pictures DIR   the search window with results and the path
//                                   list beside the main window, for the docs
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/common/ControlEventPump.h"
#include "app/pathlist/PathList.h"
#include "app/pathlist/VerzListe.h"
#include "app/search/FileSearch.h"
#include "app/search/Such.h"
#include "app/shell/frmDeck.h"
#include "bench/app/BenchProgram.h"

namespace {

using namespace trackdeck;

constexpr int TopFolders = 20;
constexpr int SubFolders = 10;
constexpr int FilesPerFolder = 100;

// The program with pane A on `folder` (and `more` of its folders), the search
// options, and the search window open.
class Program : public bench::BenchProgram {
public:
    Program(const QString& folder, const QByteArray& searchSettings, const QByteArray& more = {})
        : BenchProgram(folder, more + "[Search]\n" + searchSettings) {
        emit Find<ClickableLabel>("Image10")->clicked();
    }
    search::Such& Search() { return *Form().SearchWindow(); }
};

QByteArray TagField(const QByteArray& text, int width) {
    return text.leftJustified(width, '\0', true);
}

QByteArray Tag(const QByteArray& title, const QByteArray& artist) {
    return "TAG" + TagField(title, 30) + TagField(artist, 30) + TagField("Bench", 30) +
           TagField("2001", 4) + TagField("", 30) + QByteArray(1, '\x0c');
}

void WriteMp3(const QString& path, const QByteArray& tag) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(QByteArray(1024, '\0') + tag);
}

// Made once: files "track NNNNN.mp3" with the artist "Artist NN" (by number mod 100).
QString MakeTree() {
    const QString top = QDir::tempPath() + "/trackdeck-bench-search/";
    if (QFile::exists(top + "complete")) return top;
    QDir(top).removeRecursively();
    int number = 0;
    for (int t = 0; t < TopFolders; ++t) {
        for (int s = 0; s < SubFolders; ++s) {
            const QString folder = top + QString("Folder %1/Album %2/").arg(t).arg(s);
            QDir().mkpath(folder);
            for (int f = 0; f < FilesPerFolder; ++f, ++number) {
                WriteMp3(folder + QString("track %1.mp3").arg(number, 5, 10, QChar('0')),
                         Tag(QString("Title %1").arg(number).toUtf8(),
                             QString("Artist %1").arg(number % 100, 2, 10, QChar('0')).toUtf8()));
            }
        }
    }
    WriteMp3(top + "complete", {});
    return top;
}

void RunSearch(benchmark::State& state, const QByteArray& settings, const QString& term) {
    Program program(MakeTree(), settings);
    search::Such& window = program.Search();
    window.Text1->setText(term);
    window.Search().Search();  // warms the cache
    for (auto _ : state) window.Search().Search();
    state.counters["files"] = TopFolders * SubFolders * FilesPerFolder;
    state.counters["found"] = window.lstFoundFiles->count();
}

void BM_SearchTreeOf20000FilesByTag(benchmark::State& state) {
    RunSearch(state, "FileNames=0\nID3TAGs=1\nSubDirs=1\n", "artist 42");
}
BENCHMARK(BM_SearchTreeOf20000FilesByTag)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_SearchTreeOf20000FilesByName(benchmark::State& state) {
    RunSearch(state, "FileNames=1\nID3TAGs=0\nSubDirs=1\n", "042");
}
BENCHMARK(BM_SearchTreeOf20000FilesByName)->Iterations(3)->Unit(benchmark::kMillisecond);

bool Save(const QImage& image, const QString& file) {
    const bool saved = image.save(file, "PNG");
    std::printf("%s %s\n", saved ? "Picture in" : "Cannot write", qPrintable(file));
    return saved;
}

// The windows as they stand on the screen, without the frames the offscreen
// platform does not draw.
QImage SideBySide(QWidget& left, QWidget& right) {
    const QRect area = left.frameGeometry().united(right.frameGeometry());
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(QColor("#101214"));
    QPainter painter(&image);
    for (QWidget* window : {&left, &right})
        painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
    return image;
}

int WritePictures(const QString& folder) {
    const QString music = QDir::tempPath() + "/trackdeck-bench-pictures/Musik/";
    QDir(music).removeRecursively();
    const QStringList files{"Veltrano - Morning Sun.mp3", "Live/Veltrano - Sunday Drive.mp3",
                            "Live/Veltrano - Harbour Lights.mp3", "Demo/Sunset (Demo).mp3",
                            "Demo/Veltrano - Rain.mp3"};
    for (const QString& name : files) {
        QDir().mkpath(music + name.section('/', 0, -2));
        WriteMp3(music + name,
                 Tag(FileNameOf(name).chopped(4).section(" - ", -1).toUtf8(), "Veltrano"));
    }
    bool saved = true;
    {
        Program program(music, "FileNames=1\nID3TAGs=1\nSubDirs=1\n");
        search::Such& window = program.Search();
        window.Text1->setText("sun");
        window.Search().Search();
        window.lstFoundFiles->setCurrentRow(1);
        saved = Save(window.grab().toImage(), folder + "/search.png") && saved;
    }
    {
        Program program(music, "", "LastDirB=" + (music + "Live/").toUtf8() + "\n");
        for (const QString& sub : {music, music + "Demo/", music + "Live/"}) {
            program.Form().PaneEventSet().FolderChanged(1, sub);
            program.Form().PathListWindow().Paths().Remember();
        }
        program.Search().close();
        pathlist::VerzListe& window = program.Form().PathListWindow();
        window.List1->setCurrentRow(1);
        saved = Save(SideBySide(program.Form(), window).convertToFormat(QImage::Format_RGB32),
                     folder + "/path-list.png") &&
                saved;
    }
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    ControlEventPump pump;
    if (argc == 3 && std::strcmp(argv[1], "--pictures") == 0) return WritePictures(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
