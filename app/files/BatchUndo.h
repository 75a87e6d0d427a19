// "Letzte Stapelaktion rückgängig" (the lists' context menus, Ctrl+Z in the lists):
// names the newest batch the journal can undo, asks, stops the player, restores the
// files and says how many came back and which were left alone, and why.
#pragma once

#include <QObject>

#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/player/PlayerPanel.h"
#include "app/tags/TagArea.h"

namespace trackdeck::files {

class BatchUndo : public QObject {
public:
    BatchUndo(AppState& state, browser::Panes& panes, player::PlayerPanel& player,
              tags::TagArea& tagArea, QObject* parent);

    // True when the journal holds a batch to undo.
    [[nodiscard]] static bool Available();
    void Run();

private:
    AppState& m_state;
    browser::Panes& m_panes;
    player::PlayerPanel& m_player;
    tags::TagArea& m_tagArea;
};

}  // namespace trackdeck::files
