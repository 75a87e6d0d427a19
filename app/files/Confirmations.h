// The questions before copying, moving and deleting. One file is named by the
// list's current entry, several are "Markierte Dateien".
#pragma once

#include <QString>

namespace trackdeck::files {

[[nodiscard]] QString CopyQuestion(qsizetype count, const QString& currentEntry,
                                   const QString& targetFolder);
[[nodiscard]] QString MoveQuestion(qsizetype count, const QString& currentEntry,
                                   const QString& targetFolder);
[[nodiscard]] QString DeleteQuestion(qsizetype count, const QString& currentEntry);

// Asks with Yes and No and the exclamation icon; true for Yes.
[[nodiscard]] bool Confirm(const QString& question);

}  // namespace trackdeck::files
