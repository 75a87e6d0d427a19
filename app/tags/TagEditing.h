// Editing in the tag area: the key rules of the five tag fields (every typed
// character marks the edit pending and shows "TAG Übernehmen"; digits only in the
// year; Enter commits and moves the focus on), the commit sequence, the file-name
// field with its key filter and its rename, and the insert buttons that copy the
// selected part of the file name into a tag field, with their hints.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <array>
#include <functional>

#include "app/common/ActivePane.h"
#include "app/common/AppState.h"
#include "app/tags/TagArea.h"

class QKeyEvent;

namespace trackdeck::tags {

struct TagEditingWidgets {
    QLineEdit* Text12 = nullptr;             // the file name without its extension
    QPushButton* Command11 = nullptr;        // "Dateiname übernehmen"
    std::array<QPushButton*, 4> Command4{};  // "<" into artist, title and album; "X" closes
    QLineEdit* Text13 = nullptr;             // the hint of the "<" buttons
    QLineEdit* Text14 = nullptr;             // the hint of the "X" button
    QWidget* Picture3 = nullptr;             // the level meter, which the buttons cover
    QWidget* Command1 = nullptr;             // takes the focus from the fields
};

// What editing needs of the parts above the tag area; the main window fills it in.
struct TagEditingHooks {
    // Stops the player and waits for its thread, so that the control holds no file.
    std::function<void()> ReleasePlayedFile;
    // Reads a pane's list afresh from disk.
    std::function<void(int pane)> RefreshPane;
};

class TagEditing : public QObject {
public:
    TagEditing(TagEditingWidgets widgets, TagArea& area, PaneLists lists, AppState& state,
               TagEditingHooks hooks, QObject* parent);

    // Stops the player, waits for its thread and writes the fields to the file. An
    // edit that could not be written stays pending, its message shown; true when written.
    bool Commit();
    // "TAG Übernehmen": the focus goes to Command1 first.
    void CommitClicked();
    // "Dateiname übernehmen" (and Enter in the name field): renames the current file
    // to the name field's text with ".mp3", never onto an existing file.
    void RenameClicked();
    // Command4(0..2) copy the name field's selection into artist, title or album;
    // Command4(3) closes the buttons.
    void InsertClicked(int index);
    // The level meter shown again and the insert buttons hidden, as a click in a list
    // or a folder change leaves them.
    void HideInsertButtons();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key is discarded.
    bool TagFieldKey(QLineEdit& field, const QKeyEvent& key);
    bool FileNameKey(const QKeyEvent& key);
    void FileNameChanged(const QString& text);
    void MarkModified();
    void CloseInsertButtons();
    void ShowHint(int index);

    TagEditingWidgets m_widgets;
    TagArea& m_area;
    PaneLists m_lists;
    AppState& m_state;
    TagEditingHooks m_hooks;
};

}  // namespace trackdeck::tags
