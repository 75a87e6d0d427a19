// The two panes of the main window: each a drive box, a folder tree, the hidden
// file list and the visible list. This part opens a pane at a folder and fills
// its list (RefreshPane); what the user does in a pane is wired elsewhere.
#pragma once

#include <QListWidget>

#include "app/browser/PaneWidgets.h"
#include "app/common/ActivePane.h"
#include "app/common/AppState.h"

namespace trackdeck::browser {

struct PaneWidgets {
    DriveBox* Drive = nullptr;
    FolderTree* Dir = nullptr;
    FileList* File = nullptr;
    QListWidget* List = nullptr;
};

class Panes {
public:
    Panes(AppState& state, PaneWidgets left, PaneWidgets right);

    // Drive, folder tree and file list of pane 1 (left) or 2 (right) go to the folder.
    void OpenFolder(int pane, const QString& folder);
    // Re-reads the pane's files and lists their long names; with both panes on the
    // same folder, the other pane too. Clears the selection.
    void RefreshPane(int pane);
    // Shows which pane is active by the colour of the lists.
    void ShowActivePane(int pane);

    [[nodiscard]] const PaneWidgets& Pane(int pane) const { return pane == 2 ? m_right : m_left; }
    [[nodiscard]] PaneLists Lists() const { return {m_left.List, m_right.List}; }

private:
    void FillList(const PaneWidgets& widgets, const QString& path);

    AppState& m_state;
    PaneWidgets m_left;
    PaneWidgets m_right;
};

}  // namespace trackdeck::browser
