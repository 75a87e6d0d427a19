#include "app/files/DeleteFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

#include "app/files/ClearAttributes.h"

namespace trackdeck::files {

namespace {

// Qt establishes the home trash only inside an existing data folder, which a user
// who has never run a desktop does not have yet: the trash's folders are made here,
// as the freedesktop.org trash lays them out (private to the user). True when the
// trash can take files.
bool MakeHomeTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data)) return false;
    for (const char* folder : {"/Trash", "/Trash/files", "/Trash/info"})
        (void)::mkdir(QFile::encodeName(data + folder).constData(), S_IRWXU);
    for (const char* folder : {"/Trash/files", "/Trash/info"}) {
        const QFileInfo made(data + folder);
        if (!made.isDir() || !made.isWritable()) return false;
    }
    return true;
}

}  // namespace

bool MoveToTrash(const QString& path) {
    (void)ClearAttributes(path);
    // Without a home trash Qt moves the file into a folder "files" below the
    // working folder and calls it trashed: it is not asked to then.
    return MakeHomeTrash() && QFile::moveToTrash(path);
}

int DeleteForGood(const QString& path) {
    return ::unlink(QFile::encodeName(path).constData()) == 0 ? 0 : errno;
}

QString DeleteForGoodQuestion(const QString& entry) {
    return entry + QString::fromUtf8(
                       " kann nicht in den Papierkorb verschoben werden. Endgültig löschen?");
}

}  // namespace trackdeck::files
