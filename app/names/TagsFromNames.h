// Tags from file names: the start command ("Dateiname > TAG"), the window's
// pattern, the single-file preview into the main window's tag fields, and the
// writing of one or many tags through StoreTag.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/names/FileNameTAG.h"
#include "app/player/PlayerPanel.h"
#include "app/tags/TagArea.h"

namespace trackdeck::names {

class TagsFromNames : public QObject {
public:
    // `focusHolder` takes the focus from the lists at the start; the preview of one
    // file goes into the tag area's fields.
    TagsFromNames(QWidget& focusHolder, AppState& state, browser::Panes& panes,
                  player::PlayerPanel& player, tags::TagArea& tagArea, QObject* parent);
    ~TagsFromNames() override;

    // Counts the marks; WAV files stop it with a message, MP3 files open the window.
    void Start();
    // The open window, or null.
    [[nodiscard]] FileNameTAG* Window() const { return m_window.get(); }

private:
    void Open();
    [[nodiscard]] QStringList Pattern() const;
    [[nodiscard]] bool SingleFile() const;
    void ShowPatternText();
    void Preview();
    void CheckClicked(int index, bool checked);
    void New();
    void Apply();
    void Cancel();
    void CloseWindow();

    QWidget& m_focusHolder;
    AppState& m_state;
    browser::Panes& m_panes;
    player::PlayerPanel& m_player;
    tags::TagArea& m_tagArea;
    std::unique_ptr<FileNameTAG> m_window;
};

}  // namespace trackdeck::names
