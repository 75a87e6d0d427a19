#include "app/common/PathHelpers.h"

#include <dirent.h>
#include <dlfcn.h>

#include <QFile>
#include <array>
#include <vector>

#include "host/ProgramFolder.h"

namespace trackdeck {

namespace {

using GetLongPathNameCall = unsigned (*)(const char*, char*, unsigned);

// The support library's result buffer.
constexpr unsigned LongNameBuffer = 300;

QString& SupportFolder() {
    static QString folder = QString::fromStdString(aurion::host::ProgramFolder().value_or(""));
    return folder;
}

// Loaded on first use and kept for the program's run.
GetLongPathNameCall SupportFunction() {
    static GetLongPathNameCall function = nullptr;
    if (function != nullptr) return function;
    const QByteArray library = QFile::encodeName(SupportFolder() + "Trackdeck.dll");
    void* handle = ::dlopen(library.constData(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    function = reinterpret_cast<GetLongPathNameCall>(::dlsym(handle, "GetLongPathName"));
    return function;
}

}  // namespace

void UseSupportLibraryIn(const QString& programFolder) { SupportFolder() = programFolder; }

QString AddBackslash(const QString& text) {
    return text.endsWith('/') ? text : text + QLatin1Char('/');
}

void ParentFolder(QString& path) {
    QString work = path;
    if (work.size() > 1 && work.endsWith('/')) work.chop(1);
    const qsizetype last = work.lastIndexOf('/');
    if (last < 0) return;
    path = last == 0 ? QStringLiteral("/") : work.left(last);
}

bool FileExists(const QString& path) {
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly);
}

bool DirExists(const QString& path) {
    if (path.isEmpty()) return false;
    DIR* folder = ::opendir(QFile::encodeName(AddBackslash(path)).constData());
    if (folder == nullptr) return false;
    ::closedir(folder);
    return true;
}

std::optional<QString> LongName(const QString& path) {
    const GetLongPathNameCall call = SupportFunction();
    if (call == nullptr) return std::nullopt;
    const QByteArray bytes = QFile::encodeName(path);
    // A pane asks once per file: the usual path fits the buffer on the stack.
    std::array<char, LongNameBuffer> buffer{};
    const unsigned length = call(bytes.constData(), buffer.data(), LongNameBuffer);
    if (length == 0) return std::nullopt;
    if (length < LongNameBuffer) return QFile::decodeName(buffer.data());
    // Linux paths may be longer than the buffer: the call then names the size it needs.
    std::vector<char> longer(length + 1, '\0');
    const unsigned longLength =
        call(bytes.constData(), longer.data(), static_cast<unsigned>(longer.size()));
    if (longLength == 0 || longLength >= longer.size()) return std::nullopt;
    return QFile::decodeName(longer.data());
}

QString FileNameOf(QString path) {
    if (path.endsWith('/')) path.chop(1);
    return path.mid(path.lastIndexOf('/') + 1);
}

}  // namespace trackdeck
