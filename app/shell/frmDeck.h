// The main window: two panes, the player panel and the tag area, laid out in twips
// as the form has always been. A form is layout and wiring only: it makes the
// program's parts (the panes and their events, the player panel, the tag area, the
// file operations and the undo of a batch, the tag tools, the batch decoder, the
// search window and the path list) and hands each the widgets it works on;
// start-up's steps are ApplySettings, the shutdown is Shutdown.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <memory>

#include "app/browser/DragDrop.h"
#include "app/browser/PaneEvents.h"
#include "app/browser/PaneWidgets.h"
#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/common/ClickableLabel.h"
#include "app/files/BatchUndo.h"
#include "app/files/FileOperations.h"
#include "app/player/AurionControl.h"
#include "app/player/PlayerPanel.h"

namespace trackdeck {

class Options;
namespace tags {
class TagArea;
class TagEditing;
}  // namespace tags
namespace search {
class Such;
}
namespace pathlist {
class VerzListe;
}
namespace names {
class TagsFromNames;
class NamesFromTags;
}  // namespace names
namespace batch {
class BatchDecoder;
}

class frmDeck : public QMainWindow {
    Q_OBJECT
public:
    // The form's outer size in twips; the client area is what the frame leaves.
    static constexpr int FormWidth = 9650;
    static constexpr int FormHeight = 10080;
    static constexpr int ClientWidth = 9530;
    static constexpr int ClientHeight = 9690;

    explicit frmDeck(AppState& state, QWidget* parent = nullptr);
    ~frmDeck() override;

    // The form's load: size, caption, settings applied, panes filled, shown.
    void Load();
    // The options dialog, created on first use.
    void ShowOptions();
    [[nodiscard]] Options* OptionsDialog() const { return m_options.get(); }
    // The search window (search button) and the path list, each made on first use.
    void ShowSearch();
    [[nodiscard]] search::Such* SearchWindow() const { return m_search.get(); }
    [[nodiscard]] pathlist::VerzListe& PathListWindow();

    // The parts the window is made of. Its widgets are its own: a part gets those it
    // works on from the window, a test finds them by their names.
    [[nodiscard]] browser::Panes& PaneSet() { return *m_panes; }
    [[nodiscard]] browser::PaneEvents& PaneEventSet() { return *m_paneEvents; }
    [[nodiscard]] browser::DragDrop& DragDropSet() { return *m_dragDrop; }
    [[nodiscard]] player::PlayerPanel& Player() { return *m_player; }
    [[nodiscard]] files::FileOperations& FileOperationSet() { return *m_fileOperations; }
    [[nodiscard]] names::TagsFromNames& TagsFromNameSet() { return *m_tagsFromNames; }
    [[nodiscard]] names::NamesFromTags& NamesFromTagSet() { return *m_namesFromTags; }
    [[nodiscard]] batch::BatchDecoder& Decoder() { return *m_decoder; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreatePaneA();
    void CreatePaneB();
    void CreateTagArea();
    void CreatePlayerPanel();
    void CreateButtons();
    void CreateMenus();
    void CreateParts();
    void ConnectFileOperations();
    void ConnectBatchUndo();
    void FitNarrowFields();
    void ConnectSearchAndPathList();
    void ConnectTagTools();
    // The search window's folder label follows the active pane's folder.
    void ShowSearchFolder();

    // Pane A
    QLabel* Label3;
    browser::DriveBox* Drive1;
    browser::FolderTree* Dir1;
    browser::FileList* File1;
    QListWidget* List1;
    // Pane B
    QLabel* Label4;
    browser::DriveBox* Drive2;
    browser::FolderTree* Dir2;
    browser::FileList* File2;
    QListWidget* List2;
    // Tag area
    QLabel* Label5;
    QLineEdit* Text5;
    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QLineEdit* Text2;
    QLabel* Label8;
    QLineEdit* Text6;
    QLineEdit* Text8;
    QLineEdit* Text7;
    QLabel* LabelID3v2;  // "ID3v2 weicht ab", the ID3v2 values as its tool tip
    QLineEdit* Text12;
    QPushButton* Command2;
    QPushButton* Command11;
    std::array<QPushButton*, 4> Command4;
    QLineEdit* Text13;
    QLineEdit* Text14;
    QPushButton* Command1;
    ClickableLabel* Label12;
    // Player panel
    QLabel* Label11;
    QLineEdit* Text9;
    QLabel* Label10;
    QLineEdit* Text4;
    QLabel* Label9;
    QLineEdit* Text3;
    ClickableLabel* Image1;
    ClickableLabel* Image7;
    ClickableLabel* Image6;
    ClickableLabel* Image10;
    std::array<QLabel*, 8> HiddenImages;  // Image2..Image5, Image8, Image9, Image11, Image12
    QLabel* Picture5;
    QLabel* Label14;
    QLabel* Picture6;
    QLineEdit* Text11;
    QLabel* Label7;
    QLabel* Picture7;
    QLabel* Label13;
    QLabel* Picture8;
    QLineEdit* Text10;
    QLabel* Picture3;
    QLabel* Shape1;
    QTimer* Timer1;
    player::AurionControl* Aurion1;
    // Buttons
    QPushButton* Command9;
    QPushButton* Command3;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command10;
    // Context menus
    QMenu* Menu;
    QMenu* Verzeichnis;
    // The items of the context menus: "Menu" with marked files, "Verzeichnis" without.
    QAction* mnuRememberPath;
    QAction* mnuShowPathList;
    QAction* mnuRename;
    QAction* mnuWriteTAGfromName;
    QAction* mnuCopy;
    QAction* mnuMove;
    QAction* mnuDecode;
    QAction* mnuDelete;
    QAction* mnuUndo;
    QAction* mnuDirRememberPath;
    QAction* mnuDirShowPathList;
    QAction* mnuDirUndo;

    AppState& m_state;
    std::unique_ptr<browser::Panes> m_panes;
    std::unique_ptr<Options> m_options;
    std::unique_ptr<search::Such> m_search;
    std::unique_ptr<pathlist::VerzListe> m_pathList;
    std::unique_ptr<tags::TagArea> m_tagArea;
    player::PlayerPanel* m_player = nullptr;            // owned by the form as its child
    browser::PaneEvents* m_paneEvents = nullptr;        // owned by the form as its child
    tags::TagEditing* m_tagEditing = nullptr;           // owned by the form as its child
    files::FileOperations* m_fileOperations = nullptr;  // owned by the form as its child
    files::BatchUndo* m_batchUndo = nullptr;            // owned by the form as its child
    browser::DragDrop* m_dragDrop = nullptr;            // owned by the form as its child

    // The tag tools, owned by the form as its children.
    names::TagsFromNames* m_tagsFromNames = nullptr;
    names::NamesFromTags* m_namesFromTags = nullptr;
    batch::BatchDecoder* m_decoder = nullptr;
    bool m_closed = false;
};

}  // namespace trackdeck
