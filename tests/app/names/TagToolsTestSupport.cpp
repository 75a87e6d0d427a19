#include "tests/app/names/TagToolsTestSupport.h"

#include <QTest>
#include <cstdlib>

#include "app/names/NamesFromTags.h"
#include "app/names/TagsFromNames.h"
#include "app/tags/TagText.h"

namespace trackdeck::test {

void TagToolsTest::Mark(QListWidget* list, std::initializer_list<int> rows) {
    list->clearSelection();
    bool first = true;
    for (int row : rows) {
        if (first)
            list->setCurrentRow(row);
        else
            list->item(row)->setSelected(true);
        first = false;
    }
}

names::Rename* TagToolsTest::OpenNamesFromTags(frmDeck& form, const DeckControls& ui,
                                                std::initializer_list<int> rows) {
    Mark(ui.List1, rows);
    QTest::mouseClick(ui.Command9, Qt::LeftButton);
    return form.NamesFromTagSet().Window();
}

names::FileNameTAG* TagToolsTest::OpenTagsFromNames(frmDeck& form, const DeckControls& ui,
                                                    std::initializer_list<int> rows) {
    Mark(ui.List1, rows);
    QTest::mouseClick(ui.Command3, Qt::LeftButton);
    return form.TagsFromNameSet().Window();
}

tags::MP3TagEditor TagToolsTest::TagOf(const QString& path) {
    tags::MP3TagEditor editor;
    EXPECT_TRUE(editor.LoadMP3(path)) << path.toStdString();
    return editor;
}

QString TagToolsTest::CommentOf(const QString& path) {
    QString comment = TagOf(path).Comment();
    tags::CleanTagText(comment);
    return comment;
}

void TagToolsTest::Picture(QWidget& window, const char* name) {
    if (const char* folder = std::getenv("TRACKDECK_PICTURE_DIR"))
        window.grab().save(QString(folder) + "/" + name);
}

}  // namespace trackdeck::test
