// Writing what the tag fields hold to the file named in Text7: the commit button,
// Enter in a tag field and every automatic commit (moving on to another file or
// folder, closing) go through it, so an edit that cannot be written is always
// reported and never dropped silently.
#pragma once

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::tags {

// Stores the fields Text5, Text1, Text2, Text8 and Text6 with StoreTag. When that
// fails, shows the message and returns false. Without a file in the area there is
// nothing to write to: true, nothing shown. Leaves TagModified to the caller.
bool WritePendingTag(frmDeck& form);

// Before a file step that may move or replace the current file (copy, move, batch
// decoding): writes a pending edit (reporting a failure), then shows the tag area
// as having nothing pending.
void SettlePendingTag(frmDeck& form, AppState& state);

}  // namespace trackdeck::tags
