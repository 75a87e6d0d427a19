// The tag area's display: the tag of the current file loaded, cleaned and shown in
// the five tag fields. Editing and committing belong to the area's editing part.
#pragma once

#include <QString>

namespace trackdeck {
class frmDeck;
}

namespace trackdeck::tags {

// Loads the file's tag with the shared tag editor and fills Text5, Text1, Text2,
// Text6 and Text8; with a tag, the fields and the bit-rate field are enabled (and
// stay so). A year shorter than two characters shows as an empty field.
void ShowTag(frmDeck& form, const QString& path);

}  // namespace trackdeck::tags
