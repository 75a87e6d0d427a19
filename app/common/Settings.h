// The settings file Trackdeck.ini, read and written one key at a time through the
// platform's private-profile functions, and the read rules of its keys. Values are
// UTF-8 (folder paths included).
#pragma once

#include <QString>

#include "app/common/AppState.h"

namespace trackdeck {

// The lookup with upper-cased names, values of up to 2047 characters; the default
// when the key is missing or empty.
[[nodiscard]] QString GetSetting(const QString& section, const QString& key,
                                 const QString& defaultValue, const QString& file);
// Writes one key; a file that cannot be written is ignored (false).
bool WriteSetting(const QString& section, const QString& key, const QString& value,
                  const QString& file);

// "Loeschen" and its kind: off only for a value that is not empty and not "1".
[[nodiscard]] bool OnUnlessOtherThanOne(const QString& value);
// "KlickPlay" and its kind: on only for a value that is not empty and not "0".
[[nodiscard]] bool OffUnlessOtherThanZero(const QString& value);
// "LastOrdner" and "Aktion": 2 for a value that is not empty and not "1", else 1.
[[nodiscard]] int16_t OneOrTwo(const QString& value);
// The leading number of a text, as the volume is read ("1000x" is 1000, "x" is 0).
[[nodiscard]] int LeadingNumber(const QString& value);

// The flags of the "Confirm", "Player", "DragDrop" and "Search" sections.
void ReadFlagSettings(AppState& state);

}  // namespace trackdeck
