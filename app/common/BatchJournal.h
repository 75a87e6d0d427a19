// The journal that lets a batch over several files be undone. Before the batch
// touches the first file it records, for each file, the old and the new path, the
// size and modification time the file has and the 128 bytes of the ID3v1 tag it
// ends with (or that it has none); then, file by file as the batch goes, the size
// and modification time each changed file was left with. Each line reaches the
// system as it is written, so a batch cut short by a crash is known up to the last
// file it changed. One file per batch in $XDG_STATE_HOME/trackdeck/; the newest 10
// are kept.
//
// A journal file, one record per line, paths percent-encoded:
//     trackdeck-batch 1
//     kind names-from-tags
//     time 2026-12-09T17:40:12Z
//     file /music/a.mp3 /music/Artist%20-%20Title.mp3 4096 1765297212000000000 5441...
//     planned
//     changed 0 4096 1765297212000000000
//     finished
//     restored 0
//     undone
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace trackdeck {

enum class BatchKind {
    TagsFromNames,  // "Dateiname > ID3-TAG": the files' tags are written
    NamesFromTags,  // "ID3-TAG > Dateiname": the files are renamed in their folder
    Move,           // "Umbewegen": the files go to another folder
};

inline constexpr qsizetype JournalTagSize = 128;
// How many batches the journal folder keeps.
inline constexpr int KeptBatches = 10;

// What tells a file changed since: its size and its modification time.
struct FileStamp {
    qint64 Size = 0;
    qint64 ModifiedNs = 0;  // nanoseconds since the epoch
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The file's stamp; none when it cannot be examined or is no regular file.
[[nodiscard]] std::optional<FileStamp> StampOf(const QString& path);

struct JournalEntry {
    QString OldPath;
    QString NewPath;                   // the same as OldPath where only the tag changes
    std::optional<FileStamp> Before;   // none when the file could not be examined
    std::optional<QByteArray> OldTag;  // the last 128 bytes when they hold a tag
    std::optional<FileStamp> After;    // set once the batch has changed the file
    bool Restored = false;
};

struct BatchRecord {
    QString JournalFile;
    BatchKind Kind = BatchKind::TagsFromNames;
    QDateTime Started;
    std::vector<JournalEntry> Entries;
    // The batch went through to its end; one cut short may have changed the file
    // after its last "changed" line without saying so.
    bool Finished = false;
    bool Undone = false;
};

struct PlannedChange {
    QString OldPath;
    QString NewPath;
};

// $XDG_STATE_HOME/trackdeck/ (~/.local/state/trackdeck/), ending with "/".
[[nodiscard]] QString JournalFolder();

// Writes one batch's journal. Without a successful Begin every call does nothing.
class JournalWriter {
public:
    JournalWriter() = default;
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // Records the plan in a new journal file of `folder` and removes the oldest
    // beyond the kept ones; 0, or the system's error number.
    [[nodiscard]] int Begin(BatchKind kind, const std::vector<PlannedChange>& plan,
                            const QString& folder = JournalFolder());
    // After the batch changed the file of plan entry `index`. False when the batch
    // must stop here: only the test hook below asks that.
    [[nodiscard]] bool Changed(qsizetype index);
    // After the last file.
    void Finish();

    // For tests: after this many changed files, Changed says stop and the journal
    // is left as a crash would leave it. 0 never stops.
    static void StopAfterForTests(int files);

private:
    bool WriteLine(const QByteArray& line);
    void Close();

    int m_descriptor = -1;
    std::vector<QString> m_newPaths;
    int m_changed = 0;
};

// Reads a journal file; none when it is no journal. A line torn by a crash, and
// everything after a line that does not read, count as not written.
[[nodiscard]] std::optional<BatchRecord> ReadJournal(const QString& file);
// The journal files of `folder`, oldest first.
[[nodiscard]] QStringList JournalFiles(const QString& folder = JournalFolder());
// The stamp the batch left the entry's file with while it is still to be undone:
// changed by the batch and not restored yet.
[[nodiscard]] std::optional<FileStamp> ToUndo(const BatchRecord& batch, const JournalEntry& entry);
// How many files of the batch are still to be undone; none once it was undone.
[[nodiscard]] qsizetype FilesToUndo(const BatchRecord& batch);
[[nodiscard]] inline bool CanBeUndone(const BatchRecord& batch) { return FilesToUndo(batch) > 0; }
// The newest batch that can be undone.
[[nodiscard]] std::optional<BatchRecord> LastUndoableBatch(const QString& folder = JournalFolder());
// Appends "restored INDEX" and "undone" to a batch's journal; false when it cannot.
bool MarkRestored(const BatchRecord& batch, qsizetype index);
bool MarkUndone(const BatchRecord& batch);

}  // namespace trackdeck
