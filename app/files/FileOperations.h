// Copying, moving and deleting the marked files of the active pane, and making new
// folders below its folder. The buttons, the lists' context menu and keys, and
// drops start them. Before a file is touched the player is stopped and its thread
// awaited, so the control holds no file; the panes are re-read afterwards and show
// what really happened, as single files that fail are skipped without a message.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/files/MoveFile.h"
#include "app/player/PlayerPanel.h"
#include "app/tags/TagArea.h"

namespace trackdeck::files {

class NewOrdner;

class FileOperations : public QObject {
public:
    // `focusHolder` takes the focus from the lists when an operation starts.
    FileOperations(QWidget& focusHolder, AppState& state, browser::Panes& panes,
                   player::PlayerPanel& player, tags::TagArea& tagArea, QObject* parent);
    ~FileOperations() override;

    void Copy();
    void Move();
    void Delete();
    // Shows the dialog "Neuer Ordner".
    void NewFolder();

    [[nodiscard]] NewOrdner* NewFolderDialog() const { return m_newOrdner.get(); }
    // The steps of a move; tests put failures in.
    void SetMoveSteps(MoveSteps steps) { m_moveSteps = std::move(steps); }
    // How long a copy or move runs before its progress window shows.
    void SetProgressDelay(int milliseconds) { m_progressDelay = milliseconds; }

private:
    // The common start: focus away from the lists; the names of the marked entries.
    QStringList MarkedEntries();
    [[nodiscard]] QString CurrentEntry() const;
    void ReadPanePaths();
    // Asks the copy or move question after refusing a copy onto the source folder;
    // false when the operation stops.
    bool MayTransfer(bool confirm, const char* ontoItself, const QString& question);
    void CreateFolder();

    QWidget& m_focusHolder;
    AppState& m_state;
    browser::Panes& m_panes;
    player::PlayerPanel& m_player;
    tags::TagArea& m_tagArea;
    MoveSteps m_moveSteps;
    int m_progressDelay = 1000;
    std::unique_ptr<NewOrdner> m_newOrdner;
};

}  // namespace trackdeck::files
