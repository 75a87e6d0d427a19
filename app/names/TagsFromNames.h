// Tags from file names: the start command ("Dateiname > TAG"), the window's
// pattern, the single-file preview into the main window's tag fields, and the
// writing of one or many tags through StoreTag.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "app/names/FileNameTAG.h"

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::names {

class TagsFromNames : public QObject {
public:
    TagsFromNames(frmDeck& form, AppState& state);
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

    frmDeck& m_form;
    AppState& m_state;
    std::unique_ptr<FileNameTAG> m_window;
};

}  // namespace trackdeck::names
