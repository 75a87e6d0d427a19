// The program's one process-wide state record, owned by the entry procedure and
// passed by reference to whatever needs it. Folder paths end with "/"; flags are
// true (1) and false (0) as the settings file stores them.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

namespace trackdeck {

struct AppState {
    QString ProgramFolder;
    // The program folder cannot be written (an installed program): the settings and
    // the path list live in the user's folder, and the panes start at home.
    bool ProgramFolderReadOnly = false;
    QString SystemFolder;
    QString SettingsFile;
    QString PathListFile;
    QString Caption;
    QColor ActiveListColor;
    QColor InactiveListColor;

    // 1 = left pane (A), 2 = right pane (B); 0 until the settings are applied.
    int16_t ActivePane = 0;
    QString PathA;
    QString PathB;
    QString CurrentFile;
    int16_t CurrentIndex = 0;

    bool ConfirmDelete = true;
    bool ConfirmCopy = true;
    bool ConfirmMove = true;
    bool ConfirmDecode = true;
    bool ClickPlay = false;
    bool DirPlay = true;
    bool DragDropActive = false;
    int16_t DragDropAction = 1;  // 1 = a drop copies, 2 = a drop moves
    bool SearchSubDirs = true;
    bool SearchFileNames = true;
    bool SearchTags = true;

    bool TagModified = false;
    bool PlayerStopRequested = false;
    bool PlayerThreadEnded = false;
    bool PlayerEndReached = false;
    int32_t TotalSeconds = 0;

    int16_t SelectedWavCount = 0;
    int16_t SelectedMp3Count = 0;

    bool Decoding = false;
    bool DecodeCancelled = false;
};

}  // namespace trackdeck
