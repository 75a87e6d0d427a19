// Creating a folder with every missing folder along its path.
#pragma once

#include <QString>

namespace trackdeck::files {

// Creates every missing folder of the absolute path; an existing folder is fine.
// Shows "Pfad ... konnte nicht erstellt werden." with the system's reason when a
// level cannot be made.
// True when the folder exists afterwards.
bool CreatePath(const QString& path);

}  // namespace trackdeck::files
