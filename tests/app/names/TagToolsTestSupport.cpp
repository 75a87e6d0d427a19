#include "tests/app/names/TagToolsTestSupport.h"

#include <cstdlib>

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
