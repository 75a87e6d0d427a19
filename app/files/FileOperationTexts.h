// The messages and questions of copying, moving and deleting, word for word.
#pragma once

namespace trackdeck::files::texts {

inline constexpr char CopyOntoItself[] =
    "Dateien können nicht auf sich selbst kopiert werden...   ";
inline constexpr char MoveOntoItself[] = "Quell- und Zielpfad sind gleich...   ";
inline constexpr char MarkedFiles[] = "Markierte Dateien";
inline constexpr char To[] = " nach ";
inline constexpr char CopyEnd[] = " kopieren ?";
inline constexpr char MoveEnd[] = " umbewegen ?";
inline constexpr char DeleteEnd[] = " löschen ?";
inline constexpr char Copying[] = "Kopiere";
inline constexpr char Moving[] = "Bewege";
inline constexpr char Of[] = " von ";
inline constexpr char Cancel[] = "Abbrechen";

}  // namespace trackdeck::files::texts
