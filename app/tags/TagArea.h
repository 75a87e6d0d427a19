// The tag area of the main window: the five tag fields of the file in the panel,
// the hidden field Text7 naming that file, and the commit button "TAG Übernehmen",
// which takes the place of the "OPTIONEN" label and the search button while an edit
// is pending. This part shows a file's tag, empties the area and writes a pending
// edit; typing in the fields is TagEditing's.
//
// Every commit (the button, Enter in a field, moving on to another file or folder,
// closing) goes through WritePendingTag, so an edit that cannot be written is always
// reported and never dropped silently.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "app/common/AppState.h"
#include "app/tags/TagFields.h"

namespace trackdeck::tags {

struct TagAreaWidgets {
    QLineEdit* Text5 = nullptr;  // artist
    QLineEdit* Text1 = nullptr;  // title
    QLineEdit* Text2 = nullptr;  // album
    QLineEdit* Text6 = nullptr;  // year
    QLineEdit* Text8 = nullptr;  // comment
    QLineEdit* Text7 = nullptr;  // the path of the file the fields belong to; never shown
    QLineEdit* Text12 = nullptr;       // that file's name without its extension, which a rename
    QPushButton* Command11 = nullptr;  // ("Dateiname übernehmen") gives the file
    // The player panel's total and current time and bit rate, emptied with the area.
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text9 = nullptr;
    QWidget* Label12 = nullptr;       // "OPTIONEN"
    QWidget* Image10 = nullptr;       // the search button
    QPushButton* Command2 = nullptr;  // "TAG Übernehmen"
    QLabel* LabelID3v2 = nullptr;     // the hint that the file's ID3v2 tag says otherwise
};

class TagArea {
public:
    TagArea(TagAreaWidgets widgets, AppState& state);

    // Loads the file's tag with the shared tag editor and shows it; with a tag, the
    // fields and the bit-rate field are enabled (and stay so). A file without a tag
    // leaves the fields as they are. The ID3v2 hint shows whether the file's ID3v2
    // tag differs from its ID3v1 tag.
    void ShowTag(const QString& path);
    // Fills the five fields; a year shorter than two characters shows as an empty
    // field. Filling the fields is no edit: TagModified stays as it is.
    void ShowFields(const TagFields& fields);
    // What the five fields hold.
    [[nodiscard]] TagFields Fields() const;
    // Empties the five tag fields and the player panel's times and bit rate, and hides
    // the ID3v2 hint.
    void ClearFields();
    // The file that a pending edit is written to (Text7) and that the name field
    // renames: the name field shows its name, and nothing typed there is pending.
    void ShowFile(const QString& path);
    [[nodiscard]] QString File() const;

    // The options label and the search button shown, the commit button disabled and
    // hidden: nothing pending.
    void ShowIdle();
    // The commit button enabled and shown in their place.
    void ShowCommitButton();
    // Idle, every field, Text7 and the name field emptied, CurrentFile empty.
    void Reset();

    // Stores the fields with StoreTag into the file named in Text7. A character the
    // ID3v1 code page cannot hold is said first, and "Nein" leaves the tag unwritten
    // (false). When the writing fails, shows the message and returns false. Without a
    // file in the area there is nothing to write to: true, nothing shown. Leaves
    // TagModified to the caller.
    bool WritePendingTag();
    // Before a file step that may move or replace the current file (copy, move, batch
    // decoding): writes a pending edit (reporting a failure), then shows the area idle.
    void SettlePendingTag();

    [[nodiscard]] const TagAreaWidgets& Widgets() const { return m_widgets; }

private:
    TagAreaWidgets m_widgets;
    AppState& m_state;
};

}  // namespace trackdeck::tags
