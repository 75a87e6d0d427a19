// The progress window of a copy or move that takes longer than about a second:
// "Kopiere 3 von 40: NAME" with the button "Abbrechen", titled with the program's
// caption. Cancelling stops the transfer before its next file, so no file is ever
// left half-copied by it.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;

namespace trackdeck::files {

class TransferProgress {
public:
    // `verb` is "Kopiere" or "Bewege"; the window shows once `delayMs` have passed.
    TransferProgress(const QString& caption, const QString& verb, qsizetype total, int delayMs);
    ~TransferProgress();
    TransferProgress(const TransferProgress&) = delete;
    TransferProgress& operator=(const TransferProgress&) = delete;

    // Before the file `index` (from 0) named `name`: shows where the transfer is and
    // lets the window's events run. False once the user has cancelled.
    [[nodiscard]] bool Next(qsizetype index, const QString& name);

private:
    QString m_caption;
    QString m_verb;
    qsizetype m_total;
    int m_delayMs;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_window;
};

}  // namespace trackdeck::files
