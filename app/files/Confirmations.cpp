#include "app/files/Confirmations.h"

#include "app/common/MessageService.h"
#include "app/files/FileOperationTexts.h"

namespace trackdeck::files {

namespace {

QString Subject(qsizetype count, const QString& currentEntry) {
    return count > 1 ? QString::fromUtf8(texts::MarkedFiles) : currentEntry;
}

}  // namespace

QString CopyQuestion(qsizetype count, const QString& currentEntry, const QString& targetFolder) {
    return Subject(count, currentEntry) + texts::To + targetFolder + texts::CopyEnd;
}

QString MoveQuestion(qsizetype count, const QString& currentEntry, const QString& targetFolder) {
    return Subject(count, currentEntry) + texts::To + targetFolder + texts::MoveEnd;
}

QString DeleteQuestion(qsizetype count, const QString& currentEntry) {
    return Subject(count, currentEntry) + QString::fromUtf8(texts::DeleteEnd);
}

bool Confirm(const QString& question) {
    return Ask(question, MessageKind::Exclamation, Answer::Yes) == Answer::Yes;
}

}  // namespace trackdeck::files
