// The start of every batch that can be undone: its journal is written before the
// first file changes. Where it cannot be written (a full or read-only home), the
// user decides whether the batch goes on without a way back.
#pragma once

#include <vector>

#include "app/common/BatchJournal.h"

namespace trackdeck {

// False when the batch must not start.
[[nodiscard]] bool StartBatchJournal(JournalWriter& journal, BatchKind kind,
                                     const std::vector<PlannedChange>& plan);

}  // namespace trackdeck
