// Qt's own texts (the buttons of its dialogs, the edit menu of text fields) in
// German, where the system has Qt's German translations installed.
#pragma once

class QCoreApplication;

namespace trackdeck {

// Installs the translations on the application; false where the system has none.
bool LoadQtGermanTexts(QCoreApplication& application);

}  // namespace trackdeck
