// The desktop program with both panes on folders of the test: the start with the
// confirmations chosen, the lists' entries, marking entries as a person does, and
// making a pane active through its list's focus.
#pragma once

#include <QStringList>

#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {

struct Confirmations {
    bool Copy = true;
    bool Move = true;
    bool Delete = true;
};

class PaneTest : public PlayerTest {
protected:
    // Starts the program with pane A on `left`, pane B on `right` and `active` active.
    std::unique_ptr<frmDeck> StartWith(const QString& left, const QString& right, int active,
                                       Confirmations confirm = {}, bool clickPlay = false);
    // Gives the pane's list the focus, which makes its pane the active one.
    void Activate(frmDeck& form, int pane);
    // Marks exactly the named entries, the first of them the current entry.
    static void Mark(QListWidget& list, const QStringList& names);
    [[nodiscard]] static QStringList Entries(const QListWidget& list);
    // The file names in a folder, hidden ones too, sorted.
    [[nodiscard]] static QStringList FolderContents(const QString& folder);
    [[nodiscard]] QStringList MessageTexts() const;
};

}  // namespace trackdeck::test
