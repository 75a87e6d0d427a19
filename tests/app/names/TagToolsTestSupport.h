// The tag tools in tests: MP3 files with tags in a folder shown by pane A, marks
// set as the user sets them, and the tag a file ends with.
#pragma once

#include <QListWidget>
#include <initializer_list>

#include "app/names/FileNameTAG.h"
#include "app/names/Rename.h"
#include "app/shell/frmDeck.h"
#include "app/tags/MP3TagEditor.h"
#include "tests/app/DeckControls.h"
#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {

class TagToolsTest : public PlayerTest {
protected:
    // The first row becomes the current entry; the others are marked too.
    static void Mark(QListWidget* list, std::initializer_list<int> rows);
    // Marks the rows of list A and opens "TAG > Dateiname" or "Dateiname > TAG" with
    // its button; the window, or null when none opened.
    static names::Rename* OpenNamesFromTags(frmDeck& form, const DeckControls& ui,
                                            std::initializer_list<int> rows);
    static names::FileNameTAG* OpenTagsFromNames(frmDeck& form, const DeckControls& ui,
                                                 std::initializer_list<int> rows);
    // The file's tag as the program reads it.
    [[nodiscard]] static tags::MP3TagEditor TagOf(const QString& path);
    // The file's comment without the NULs other programs pad with.
    [[nodiscard]] static QString CommentOf(const QString& path);
    // Saves a picture of the window when TRACKDECK_PICTURE_DIR names a folder.
    static void Picture(QWidget& window, const char* name);
};

}  // namespace trackdeck::test
