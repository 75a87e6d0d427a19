// The system's reason for a failed file step, in German, as the program says it
// after "Grund: ". The common reasons have fixed texts, so that the program speaks
// German whatever the machine's language; others come from the C library.
#pragma once

#include <QString>

namespace trackdeck {

[[nodiscard]] QString SystemReason(int error);

}  // namespace trackdeck
