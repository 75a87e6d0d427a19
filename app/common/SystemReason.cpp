#include "app/common/SystemReason.h"

#include <cerrno>
#include <cstring>

namespace trackdeck {

QString SystemReason(int error) {
    switch (error) {
        case EACCES:
            return "Keine Berechtigung";
        case EPERM:
            return "Die Operation ist nicht erlaubt";
        case EROFS:
            return "Das Dateisystem ist nur lesbar";
        case ENOSPC:
            return QString::fromUtf8("Auf dem Gerät ist kein Speicherplatz mehr verfügbar");
        case EDQUOT:
            return QString::fromUtf8("Der zugewiesene Plattenplatz (Quota) ist überschritten");
        case EFBIG:
            return QString::fromUtf8("Datei zu groß");
        case ENAMETOOLONG:
            return "Dateiname zu lang";
        case EEXIST:
            return "Datei existiert bereits";
        case ENOENT:
            return "Datei oder Verzeichnis nicht gefunden";
        case ENOTDIR:
            return "Ist kein Verzeichnis";
        case EISDIR:
            return "Ist ein Verzeichnis";
        case EBUSY:
            return QString::fromUtf8("Das Gerät oder die Ressource ist belegt");
        case EIO:
            return "Eingabe-/Ausgabefehler";
        case 0:
            return "Unbekannter Fehler";
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

}  // namespace trackdeck
