// Editing in the tag area: the key rules of the five tag fields (every typed
// character marks the edit pending and shows "TAG Übernehmen"; digits only in the
// year; Enter commits and moves the focus on), the commit sequence, the file-name
// field with its key filter and its rename, and the insert buttons that copy the
// selected part of the file name into a tag field, with their hints.
#pragma once

#include <QObject>

class QKeyEvent;
class QLineEdit;

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::browser {
class PaneEvents;
}

namespace trackdeck::tags {

class TagEditing : public QObject {
public:
    TagEditing(frmDeck& form, AppState& state, browser::PaneEvents& panes);

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key is discarded.
    bool TagFieldKey(QLineEdit& field, const QKeyEvent& key);
    bool FileNameKey(const QKeyEvent& key);
    void FileNameChanged(const QString& text);
    void MarkModified();
    void ShowCommitButton();
    void ShowIdle();
    // Stop, Close and the wait for the player's thread, as a program-made stop.
    void CloseInsertButtons();
    void ShowHint(int index);

    frmDeck& m_form;
    AppState& m_state;
    browser::PaneEvents& m_panes;
};

}  // namespace trackdeck::tags
