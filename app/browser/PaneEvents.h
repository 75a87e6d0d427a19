// What the user does in the panes: drive and folder changes, the lists' focus,
// clicks (by mouse or keys), double clicks, keys, the right button with its two
// context menus, and the step that stops the player before the tag area changes.
#pragma once

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QPushButton>
#include <functional>

#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/player/PlayerPanel.h"
#include "app/tags/TagArea.h"
#include "app/tags/TagEditing.h"

namespace trackdeck::browser {

struct PaneEventWidgets {
    QWidget* Client = nullptr;         // the window's background
    QLineEdit* Text12 = nullptr;       // the file-name field: a click shows the entry's name
    QPushButton* Command11 = nullptr;  // "Dateiname übernehmen"
    QWidget* Image10 = nullptr;        // the search button
    QLineEdit* Text13 = nullptr;       // the tag area's hints, which mouse moves hide
    QLineEdit* Text14 = nullptr;
    QMenu* Menu = nullptr;         // the lists' context menu when MP3 or WAV files are marked
    QMenu* Verzeichnis = nullptr;  // the folder menu
    QAction* Rename = nullptr;     // "ID3-TAG > Dateiname", also a double click in a list
    QAction* Delete = nullptr;     // "Löschen", also the Delete and Backspace keys
};

// When StopForBrowse waits for the player's thread to end. (The file operations
// always wait: they stop the player themselves.)
enum class WaitRule {
    Browsing,  // drive and folder changes: only with a pending tag edit
    Click,     // list clicks: with click-to-play or a pending tag edit
};

class PaneEvents : public QObject {
public:
    // `folderShown` is called when the active pane shows another folder or the other
    // pane becomes active: the search window follows.
    PaneEvents(PaneEventWidgets widgets, Panes& panes, player::PlayerPanel& player,
               tags::TagArea& tagArea, tags::TagEditing& tagEditing, AppState& state,
               std::function<void()> folderShown, QObject* parent);

    void DriveChanged(int pane);
    void FolderChanged(int pane, const QString& folder);
    void ListFocused(int pane);
    void ListClicked(int pane);
    void RightButton();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] int PaneOf(QObject* widget) const;
    void ListKey(int pane, QEvent* event);
    // Stops and closes the player, waits as the rule says, writes a pending tag edit
    // and resets the tag area; a click keeps Text7 and CurrentFile, which it sets itself.
    void StopForBrowse(WaitRule rule, bool keepCurrentFile = false);

    PaneEventWidgets m_widgets;
    Panes& m_panes;
    player::PlayerPanel& m_player;
    tags::TagArea& m_tagArea;
    tags::TagEditing& m_tagEditing;
    AppState& m_state;
    std::function<void()> m_folderShown;
    int m_previousDrive[2] = {0, 0};
};

}  // namespace trackdeck::browser
