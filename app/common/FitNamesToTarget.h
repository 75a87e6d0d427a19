// The question before names are written into a folder whose drive refuses some of
// them: write those with "_" for what the drive refuses (Ja), skip those files
// (Nein) or stop (Abbrechen). Nothing is ever written under a refused name.
#pragma once

#include <QStringList>
#include <optional>

namespace trackdeck {

// The names `names` are to get in `folder`, in the same order: each as it is where
// the drive takes it; else, after the question, its fitted form (Ja) or an empty
// name for a file to skip (Nein). Empty when the user stops (Abbrechen). Asks
// nothing when every name fits.
[[nodiscard]] std::optional<QStringList> NamesForTarget(const QStringList& names,
                                                        const QString& folder);

// The question's text: the drive's type and each refused name with the one it would get.
[[nodiscard]] QString FitNamesQuestion(const QString& fileSystem, const QStringList& refused);

}  // namespace trackdeck
