#include "app/common/StartBatchJournal.h"

#include "app/common/MessageService.h"
#include "app/common/SystemReason.h"

namespace trackdeck {

bool StartBatchJournal(JournalWriter& journal, BatchKind kind,
                       const std::vector<PlannedChange>& plan) {
    const int error = journal.Begin(kind, plan);
    if (error == 0) return true;
    const QString question = QString::fromUtf8(
                                 "Das Protokoll zum Rückgängigmachen kann nicht geschrieben werden "
                                 "(%1).\nGrund: %2\n\nOhne Rückgängig fortfahren?")
                                 .arg(JournalFolder(), SystemReason(error));
    return Ask(question, MessageKind::Exclamation, Answer::No) == Answer::Yes;
}

}  // namespace trackdeck
