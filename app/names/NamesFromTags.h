// File names from tags: the start command ("TAG > Dateiname"), the typed or built
// name of one file, and the batch that renames every marked MP3 file after its own
// tag. Renames never replace a file: in the batch a name that is taken is skipped,
// the one file's rename that fails is said with its reason.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/names/Rename.h"
#include "app/player/PlayerPanel.h"
#include "app/tags/TagArea.h"

namespace trackdeck::names {

class NamesFromTags : public QObject {
public:
    // The main window is disabled while the window is open; `focusHolder` takes the
    // focus from the lists at the start.
    NamesFromTags(QWidget& mainWindow, QWidget& focusHolder, AppState& state, browser::Panes& panes,
                  player::PlayerPanel& player, tags::TagArea& tagArea, QObject* parent);
    ~NamesFromTags() override;

    // Counts the marks; mixed or several WAV files stop it with a message.
    void Start();
    // The open window, or null.
    [[nodiscard]] Rename* Window() const { return m_window.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create();
    [[nodiscard]] QStringList Pattern() const;
    [[nodiscard]] bool SeveralFiles() const;
    void SetDefaultPattern();
    // False (and the window switched to typing) when the current file has no tag.
    bool CurrentFileHasTag();
    void Preview();
    void TypedChosen();
    void BuiltChosen();
    void CheckClicked(int index, bool checked);
    void New();
    void Apply();
    // False when the user stops at the question about names the drive refuses.
    [[nodiscard]] bool RenameMarked();
    void CloseWindow();

    QWidget& m_mainWindow;
    QWidget& m_focusHolder;
    AppState& m_state;
    browser::Panes& m_panes;
    player::PlayerPanel& m_player;
    tags::TagArea& m_tagArea;
    std::unique_ptr<Rename> m_window;
    // With one marked file: that file, as the start found it.
    QString m_file;
};

}  // namespace trackdeck::names
