// The files a copy, move or delete could not handle, each with the system's reason,
// said in one message when the operation ends: one file by name with its reason,
// several as a list of names and reasons.
#pragma once

#include <QString>
#include <QStringList>

namespace trackdeck::files {

class FailedFiles {
public:
    void Add(const QString& entry, int error);
    [[nodiscard]] bool Empty() const { return m_lines.isEmpty(); }

    // Shows the message, with the exclamation icon, when a file failed: `where` is
    // " nach " and the target folder, or empty; `done` the participle ("kopiert").
    void Say(const QString& where, const QString& done) const;

private:
    QString m_firstEntry;
    QString m_firstReason;
    QStringList m_lines;
};

}  // namespace trackdeck::files
