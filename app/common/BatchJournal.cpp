#include "app/common/BatchJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "app/common/PathHelpers.h"
#include "platform/system/UserFolders.h"

namespace trackdeck {

namespace {

constexpr char Header[] = "trackdeck-batch 1";
const QString FilePrefix = QStringLiteral("batch-");
const QString FileSuffix = QStringLiteral(".journal");

std::atomic<int> stopAfterForTests{0};

const char* KindWord(BatchKind kind) {
    switch (kind) {
        case BatchKind::TagsFromNames:
            return "tags-from-names";
        case BatchKind::NamesFromTags:
            return "names-from-tags";
        case BatchKind::Move:
            return "move";
    }
    return "";
}

std::optional<BatchKind> KindOf(const QByteArray& word) {
    for (BatchKind kind : {BatchKind::TagsFromNames, BatchKind::NamesFromTags, BatchKind::Move})
        if (word == KindWord(kind)) return kind;
    return std::nullopt;
}

QByteArray EncodedPath(const QString& path) {
    return QFile::encodeName(path).toPercentEncoding("/");
}

// Only an absolute path without NUL counts: anything else is no path this program wrote.
std::optional<QString> DecodedPath(const QByteArray& field) {
    const QByteArray bytes = QByteArray::fromPercentEncoding(field);
    if (!bytes.startsWith('/') || bytes.contains('\0')) return std::nullopt;
    return QFile::decodeName(bytes);
}

QByteArray StampFields(const FileStamp& stamp) {
    return QByteArray::number(stamp.Size) + ' ' + QByteArray::number(stamp.ModifiedNs);
}

std::optional<qint64> Number(const QByteArray& field) {
    bool ok = false;
    const qint64 value = field.toLongLong(&ok);
    if (!ok || value < 0) return std::nullopt;
    return value;
}

std::optional<FileStamp> StampFrom(const QByteArray& size, const QByteArray& modified) {
    const std::optional<qint64> bytes = Number(size);
    const std::optional<qint64> time = Number(modified);
    if (!bytes || !time) return std::nullopt;
    return FileStamp{*bytes, *time};
}

std::optional<QByteArray> TagFrom(const QByteArray& field) {
    if (field.size() != 2 * JournalTagSize) return std::nullopt;
    for (char c : field)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    return QByteArray::fromHex(field);
}

// The file's last 128 bytes when they are an ID3v1 tag. A file of 128 bytes or
// fewer has none: the tag class reads it so, and a tag write appends to it.
std::optional<QByteArray> TagOf(const QString& path, const std::optional<FileStamp>& stamp) {
    if (!stamp || stamp->Size <= JournalTagSize) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(stamp->Size - JournalTagSize))
        return std::nullopt;
    const QByteArray bytes = file.read(JournalTagSize);
    if (bytes.size() != JournalTagSize || !bytes.startsWith("TAG")) return std::nullopt;
    return bytes;
}

// The number in "batch-NUMBER.journal"; none for any other name.
std::optional<qint64> JournalNumber(const QString& name) {
    if (!name.startsWith(FilePrefix) || !name.endsWith(FileSuffix)) return std::nullopt;
    const QString digits =
        name.mid(FilePrefix.size(), name.size() - FilePrefix.size() - FileSuffix.size());
    bool ok = false;
    const qint64 number = digits.toLongLong(&ok);
    // Far beyond any count of batches: the next number never overflows.
    if (!ok || number < 0 || number > 999'999'999'999) return std::nullopt;
    return number;
}

int MakeFolder(const QString& folder) {
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    return error ? error.value() : 0;
}

bool AppendLine(const QString& file, const QByteArray& line) {
    const int descriptor =
        ::open(QFile::encodeName(file).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (descriptor < 0) return false;
    const QByteArray whole = line + '\n';
    const bool written =
        ::write(descriptor, whole.constData(), size_t(whole.size())) == ssize_t(whole.size());
    ::close(descriptor);
    return written;
}

// One line of a journal, read field by field.
bool ReadLine(const QByteArray& line, BatchRecord& batch, bool& planned) {
    const QList<QByteArray> fields = line.split(' ');
    const QByteArray& word = fields.front();
    const auto index = [&](const QByteArray& field) -> std::optional<size_t> {
        const std::optional<qint64> number = Number(field);
        if (!number || *number >= qint64(batch.Entries.size())) return std::nullopt;
        return size_t(*number);
    };
    if (!planned) {
        if (word == "kind" && fields.size() == 2) {
            const std::optional<BatchKind> kind = KindOf(fields[1]);
            if (kind) batch.Kind = *kind;
            return kind.has_value();
        }
        if (word == "time" && fields.size() == 2) {
            batch.Started = QDateTime::fromString(QString::fromLatin1(fields[1]), Qt::ISODate);
            return batch.Started.isValid();
        }
        if (word == "file" && fields.size() == 6) {
            JournalEntry entry;
            const std::optional<QString> oldPath = DecodedPath(fields[1]);
            const std::optional<QString> newPath = DecodedPath(fields[2]);
            if (!oldPath || !newPath) return false;
            entry.OldPath = *oldPath;
            entry.NewPath = *newPath;
            if (fields[3] != "-") {
                entry.Before = StampFrom(fields[3], fields[4]);
                if (!entry.Before) return false;
            }
            if (fields[5] != "-") {
                entry.OldTag = TagFrom(fields[5]);
                if (!entry.OldTag) return false;
            }
            batch.Entries.push_back(std::move(entry));
            return true;
        }
        planned = word == "planned" && fields.size() == 1;
        return planned;
    }
    if (word == "changed" && fields.size() == 4) {
        const std::optional<size_t> at = index(fields[1]);
        const std::optional<FileStamp> stamp = StampFrom(fields[2], fields[3]);
        if (!at || !stamp) return false;
        batch.Entries[*at].After = stamp;
        return true;
    }
    if (word == "restored" && fields.size() == 2) {
        const std::optional<size_t> at = index(fields[1]);
        if (at) batch.Entries[*at].Restored = true;
        return at.has_value();
    }
    if (fields.size() != 1) return false;
    if (word == "finished") batch.Finished = true;
    if (word == "undone") batch.Undone = true;
    return word == "finished" || word == "undone";
}

// The stamp the batch left the entry's file with; none when it did not change it.
std::optional<FileStamp> ChangedTo(const BatchRecord& batch, const JournalEntry& entry) {
    if (entry.After) return entry.After;
    // A batch cut short may have renamed one more file before it could say so: a
    // rename keeps size and time, so the file is found under its new name as it was.
    if (batch.Finished || batch.Kind == BatchKind::TagsFromNames || !entry.Before ||
        entry.OldPath == entry.NewPath || StampOf(entry.NewPath) != entry.Before ||
        QFileInfo::exists(entry.OldPath))
        return std::nullopt;
    return entry.Before;
}

}  // namespace

std::optional<FileStamp> StampOf(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileStamp{qint64(status.st_size),
                     qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

QString JournalFolder() {
    return AddBackslash(QFile::decodeName(platform::UserStateFolder().c_str())) + "trackdeck/";
}

JournalWriter::~JournalWriter() { Close(); }

void JournalWriter::StopAfterForTests(int files) { stopAfterForTests = files; }

void JournalWriter::Close() {
    if (m_descriptor >= 0) ::close(m_descriptor);
    m_descriptor = -1;
}

bool JournalWriter::WriteLine(const QByteArray& line) {
    if (m_descriptor < 0) return false;
    const QByteArray whole = line + '\n';
    qsizetype done = 0;
    while (done < whole.size()) {
        const ssize_t written =
            ::write(m_descriptor, whole.constData() + done, size_t(whole.size() - done));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += written;
    }
    return true;
}

int JournalWriter::Begin(BatchKind kind, const std::vector<PlannedChange>& plan,
                         const QString& folder) {
    Close();
    if (const int error = MakeFolder(folder)) return error;
    const QStringList existing = JournalFiles(folder);
    qint64 number =
        existing.isEmpty() ? 1 : *JournalNumber(QFileInfo(existing.back()).fileName()) + 1;
    QString file;
    for (int attempt = 0; attempt < 100 && m_descriptor < 0; ++attempt, ++number) {
        // Another instance of the program may take the number first.
        file = folder + FilePrefix + QString::number(number).rightJustified(6, '0') + FileSuffix;
        m_descriptor = ::open(QFile::encodeName(file).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
        if (m_descriptor < 0 && errno != EEXIST) return errno;
    }
    if (m_descriptor < 0) return EEXIST;
    errno = 0;  // a failed write below says its own reason

    bool written =
        WriteLine(Header) && WriteLine(QByteArray("kind ") + KindWord(kind)) &&
        WriteLine("time " + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1());
    m_newPaths.clear();
    for (const PlannedChange& change : plan) {
        const std::optional<FileStamp> before = StampOf(change.OldPath);
        const std::optional<QByteArray> tag = TagOf(change.OldPath, before);
        written = written && WriteLine("file " + EncodedPath(change.OldPath) + ' ' +
                                       EncodedPath(change.NewPath) + ' ' +
                                       (before ? StampFields(*before) : QByteArray("- -")) + ' ' +
                                       (tag ? tag->toHex() : QByteArray("-")));
        m_newPaths.push_back(change.NewPath);
    }
    // On the disk before the first file changes, whatever happens to the machine then.
    written = written && WriteLine("planned") && ::fdatasync(m_descriptor) == 0;
    if (!written) {
        const int error = errno != 0 ? errno : EIO;
        Close();
        QFile::remove(file);
        return error;
    }
    m_changed = 0;
    const QStringList all = JournalFiles(folder);
    for (qsizetype i = 0; i + KeptBatches < all.size(); ++i) QFile::remove(all[i]);
    return 0;
}

bool JournalWriter::Changed(qsizetype index) {
    if (m_descriptor < 0 || index < 0 || size_t(index) >= m_newPaths.size()) return true;
    if (const std::optional<FileStamp> stamp = StampOf(m_newPaths[size_t(index)]))
        (void)WriteLine("changed " + QByteArray::number(index) + ' ' + StampFields(*stamp));
    const int stopAfter = stopAfterForTests;
    if (stopAfter > 0 && ++m_changed >= stopAfter) {
        Close();
        return false;
    }
    return true;
}

void JournalWriter::Finish() {
    (void)WriteLine("finished");
    Close();
}

std::optional<BatchRecord> ReadJournal(const QString& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) return std::nullopt;
    QList<QByteArray> lines = input.readAll().split('\n');
    // What follows the last line end is a line the crash tore, or nothing.
    lines.removeLast();
    if (lines.isEmpty() || lines.front() != Header) return std::nullopt;
    BatchRecord batch;
    batch.JournalFile = file;
    bool planned = false;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!ReadLine(lines[i], batch, planned)) break;
    // A plan cut short was never acted on.
    if (!planned) batch.Entries.clear();
    return batch;
}

QStringList JournalFiles(const QString& folder) {
    QStringList files;
    std::vector<std::pair<qint64, QString>> numbered;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        if (const std::optional<qint64> number = JournalNumber(name))
            numbered.emplace_back(*number, name);
    std::sort(numbered.begin(), numbered.end());
    for (const auto& [number, name] : numbered) files.append(AddBackslash(folder) + name);
    return files;
}

std::optional<FileStamp> ToUndo(const BatchRecord& batch, const JournalEntry& entry) {
    if (entry.Restored) return std::nullopt;
    return ChangedTo(batch, entry);
}

qsizetype FilesToUndo(const BatchRecord& batch) {
    if (batch.Undone) return 0;
    return std::count_if(
        batch.Entries.begin(), batch.Entries.end(),
        [&](const JournalEntry& entry) { return ToUndo(batch, entry).has_value(); });
}

std::optional<BatchRecord> LastUndoableBatch(const QString& folder) {
    const QStringList files = JournalFiles(folder);
    for (qsizetype i = files.size() - 1; i >= 0; --i) {
        std::optional<BatchRecord> batch = ReadJournal(files[i]);
        if (batch && CanBeUndone(*batch)) return batch;
    }
    return std::nullopt;
}

bool MarkRestored(const BatchRecord& batch, qsizetype index) {
    return AppendLine(batch.JournalFile, "restored " + QByteArray::number(index));
}

bool MarkUndone(const BatchRecord& batch) { return AppendLine(batch.JournalFile, "undone"); }

}  // namespace trackdeck
