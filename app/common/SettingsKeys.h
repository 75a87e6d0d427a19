// Every section and key of the settings file Trackdeck.ini, as written.
#pragma once

namespace trackdeck::settings {

struct Key {
    const char* Section;
    const char* Name;
};

inline constexpr Key LastDirA{"Directories", "LastDirA"};
inline constexpr Key LastDirB{"Directories", "LastDirB"};
inline constexpr Key LastOrdner{"Directories", "LastOrdner"};
inline constexpr Key ConfirmDelete{"Confirm", "Loeschen"};
inline constexpr Key ConfirmCopy{"Confirm", "Kopieren"};
inline constexpr Key ConfirmMove{"Confirm", "Bewegen"};
inline constexpr Key ConfirmDecode{"Confirm", "Decodieren"};
inline constexpr Key ClickPlay{"Player", "KlickPlay"};
inline constexpr Key DirPlay{"Player", "DirPlay"};
inline constexpr Key Volume{"Player", "Volume"};
inline constexpr Key DragDropActive{"DragDrop", "Aktiv"};
inline constexpr Key DragDropAction{"DragDrop", "Aktion"};
inline constexpr Key SearchSubDirs{"Search", "SubDirs"};
inline constexpr Key SearchFileNames{"Search", "FileNames"};
inline constexpr Key SearchTags{"Search", "ID3TAGs"};
// The code page of ID3v1 text ("1252", "1250" or "1251"); older files lack it.
inline constexpr Key Id3v1CodePage{"Options", "ID3v1CodePage"};

// The volume knob's top in twips when nothing is stored.
inline constexpr const char* DefaultVolume = "1000";

}  // namespace trackdeck::settings
