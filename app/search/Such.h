// The search window "MP3-Dateien suchen": the search term, the folder searched
// (the active pane's), the three options, the "Suchen" button and the result
// list. Not modal; it stays beside the main window until the user closes it.
// A form is layout and wiring only: the search itself is FileSearch's, a click on
// a result is ShowFoundFile's.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "app/common/AppState.h"
#include "app/common/SettingsKeys.h"
#include "app/search/ShowFoundFile.h"
#include "app/search/WalkLists.h"

namespace trackdeck::search {

class FileSearch;

class Such : public QWidget {
public:
    // The form's outer width and its height before and while it shows results, in
    // twips; the client area is what the frame leaves (as on the main window).
    static constexpr int FormWidth = 5610;
    static constexpr int FormHeight = 3210;
    static constexpr int ResultsHeight = 7560;
    static constexpr int FrameWidth = 120;
    static constexpr int FrameHeight = 390;

    Such(ResultTarget target, AppState& state);
    ~Such() override;

    // The search button of the main window: loads the window unless it is open,
    // shows `folder` as the one to search and puts the focus on the term.
    void Open(const QString& folder);
    // Label3, dirList and filList take the folder (the main window keeps it current).
    void ShowFolder(const QString& folder);
    [[nodiscard]] FileSearch& Search() { return *m_search; }

    QLabel* Label1;  // "Suchbegriff:"
    QLineEdit* Text1;
    QPushButton* Command1;  // "Suchen"
    QLabel* Label2;         // "aktuelles Verzeichnis: "
    QLabel* Label3;
    QGroupBox* Frame1;  // "Optionen"
    QCheckBox* Check1;
    QCheckBox* Check2;
    QCheckBox* Check3;
    QLabel* Label4;  // "Suchergebnis:"
    QListWidget* lstFoundFiles;
    WalkList* dirList;
    WalkList* filList;
    QLineEdit* Text2;  // the artist of the file being compared
    QLineEdit* Text3;  // its title

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Load();
    void CreateTermAndFolder();
    void CreateOptions();
    void CreateResults();
    QCheckBox* OptionBox(const char* name, const QString& caption, int top, bool AppState::*flag,
                         const settings::Key& key);
    void ResultChosen(const QListWidgetItem* item);

    ResultTarget m_target;
    AppState& m_state;
    FileSearch* m_search = nullptr;  // owned as the window's child
};

}  // namespace trackdeck::search
