#include "app/common/FitNamesToTarget.h"

#include "app/common/MessageService.h"
#include "app/common/TargetNameRules.h"

namespace trackdeck {

namespace {

// More would push the buttons off a small screen.
constexpr qsizetype MaxNamesShown = 12;

}  // namespace

QString FitNamesQuestion(const QString& fileSystem, const QStringList& refused) {
    QString text =
        QString::fromUtf8("Diese Namen sind auf dem Ziellaufwerk (%1) nicht erlaubt:\n\n")
            .arg(fileSystem);
    for (qsizetype i = 0; i < refused.size() && i < MaxNamesShown; ++i)
        text += refused[i] + QString::fromUtf8("  →  ") + FittedName(refused[i]) + "\n";
    if (refused.size() > MaxNamesShown)
        text += QString::fromUtf8("… und %1 weitere\n").arg(refused.size() - MaxNamesShown);
    text += QString::fromUtf8(
        "\nJa: mit \"_\" statt der unerlaubten Zeichen schreiben\n"
        "Nein: diese Dateien überspringen\n"
        "Abbrechen: nichts tun");
    return text;
}

std::optional<QStringList> NamesForTarget(const QStringList& names, const QString& folder) {
    QStringList refused;
    for (const QString& name : names)
        if (!FitsStrictRules(name)) refused.append(name);
    if (refused.isEmpty()) return names;
    // Only a strict drive is asked about; Linux takes these names as they are.
    const QString fileSystem = StrictFileSystem(folder);
    if (fileSystem.isEmpty()) return names;
    const Answer answer =
        AskWithCancel(FitNamesQuestion(fileSystem, refused), MessageKind::Question, Answer::Yes);
    if (answer != Answer::Yes && answer != Answer::No) return std::nullopt;
    QStringList result;
    for (const QString& name : names) {
        if (FitsStrictRules(name))
            result.append(name);
        else
            result.append(answer == Answer::Yes ? FittedName(name) : QString());
    }
    return result;
}

}  // namespace trackdeck
