#include "app/files/FailedFiles.h"

#include "app/common/MessageService.h"
#include "app/common/SystemReason.h"

namespace trackdeck::files {

void FailedFiles::Add(const QString& entry, int error) {
    const QString reason = SystemReason(error);
    if (m_lines.isEmpty()) {
        m_firstEntry = entry;
        m_firstReason = reason;
    }
    m_lines << entry + ": " + reason;
}

void FailedFiles::Say(const QString& where, const QString& done) const {
    if (m_lines.isEmpty()) return;
    const QString text =
        m_lines.size() == 1
            ? "Die Datei " + m_firstEntry + " konnte nicht" + where + " " + done +
                  " werden.\nGrund: " + m_firstReason
            : "Folgende Dateien konnten nicht" + where + " " + done + " werden:\n" +
                  m_lines.join('\n');
    ShowMessage(text, MessageKind::Exclamation);
}

}  // namespace trackdeck::files
