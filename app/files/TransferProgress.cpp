#include "app/files/TransferProgress.h"

#include <QProgressDialog>

#include "app/common/ControlEventPump.h"
#include "app/common/Looks.h"
#include "app/files/FileOperationTexts.h"

namespace trackdeck::files {

TransferProgress::TransferProgress(const QString& caption, const QString& verb, qsizetype total,
                                   int delayMs)
    : m_caption(caption), m_verb(verb), m_total(total), m_delayMs(delayMs) {
    m_clock.start();
}

TransferProgress::~TransferProgress() = default;

bool TransferProgress::Next(qsizetype index, const QString& name) {
    if (!m_window && m_clock.elapsed() >= m_delayMs) {
        m_window = std::make_unique<QProgressDialog>();
        m_window->setObjectName("TransferProgress");
        m_window->setWindowTitle(m_caption);
        m_window->setCancelButtonText(QString::fromUtf8(texts::Cancel));
        m_window->setRange(0, static_cast<int>(m_total));
        m_window->setMinimumDuration(0);
        m_window->setAutoReset(false);
        m_window->setMinimumWidth(420);
        // The looks of the program's other windows, with the decode window's green bar.
        ApplyLooks(*m_window);
        // The panes must not change under a running transfer.
        m_window->setWindowModality(Qt::ApplicationModal);
        m_window->show();
    }
    if (!m_window) return true;
    m_window->setLabelText(m_verb + " " + QString::number(index + 1) + texts::Of +
                           QString::number(m_total) + ": " + name);
    m_window->setValue(static_cast<int>(index));
    LetPendingEventsRun();
    return !m_window->wasCanceled();
}

}  // namespace trackdeck::files
