// What the user does in the panes: drive and folder changes, the lists' focus,
// clicks (by mouse or keys), double clicks, keys, the right button with its two
// context menus, and the step that stops the player before the tag area changes.
#pragma once

#include <QObject>

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::player {
class PlayerPanel;
}

namespace trackdeck::browser {

// When StopForBrowse waits for the player's thread to end.
enum class WaitRule {
    Browsing,       // drive and folder changes: only with a pending tag edit
    Click,          // list clicks: with click-to-play or a pending tag edit
    FileOperation,  // copies, moves, deletes: always
};

class PaneEvents : public QObject {
public:
    PaneEvents(frmDeck& form, AppState& state, player::PlayerPanel& player);

    // Stops and closes the player, waits as the rule says, writes a pending tag edit
    // and resets the tag area.
    void StopForBrowse(WaitRule rule);

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
    void StopForBrowse(WaitRule rule, bool keepCurrentFile);

    frmDeck& m_form;
    AppState& m_state;
    player::PlayerPanel& m_player;
    int m_previousDrive[2] = {0, 0};
};

}  // namespace trackdeck::browser
