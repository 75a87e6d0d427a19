#include <gtest/gtest.h>

#include <QListWidget>

#include "app/search/ElidedPath.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::search {
namespace {

const QString Ellipsis = QString::fromUtf8("…");
const QString LongPath = "/home/anna/Musik/Sammlung/Progressive/Album/03 - Titel.mp3";

class ElidedPathTest : public ::testing::Test {
protected:
    [[nodiscard]] int Width(const QString& text) const { return m_metrics.horizontalAdvance(text); }
    // The program's font, so the application (and its look) must exist first.
    static QFont ProgramFont() {
        (void)test::Application();
        return QApplication::font();
    }
    QFontMetrics m_metrics{ProgramFont()};
};

TEST_F(ElidedPathTest, APathThatFitsIsShownWhole) {
    EXPECT_EQ(ElidedPath(LongPath, m_metrics, Width(LongPath)), LongPath);
}

TEST_F(ElidedPathTest, ATooLongPathLosesWholeFoldersInItsMiddleAndKeepsTheFileName) {
    const QString expected = "/home/" + Ellipsis + "/Album/03 - Titel.mp3";
    // Exactly the room of the expected text, and a little more that is not enough
    // for the next folder on either side.
    for (int extra : {0, 3}) {
        const QString shown = ElidedPath(LongPath, m_metrics, Width(expected) + extra);
        EXPECT_EQ(shown, expected) << extra;
    }
    // One pixel less: a folder goes, the file's side keeps its nearest one first.
    EXPECT_EQ(ElidedPath(LongPath, m_metrics, Width(expected) - 1),
              "/" + Ellipsis + "/Album/03 - Titel.mp3");
    // Much room: only one folder is left out.
    const QString wide = "/home/anna/Musik/" + Ellipsis + "/Progressive/Album/03 - Titel.mp3";
    EXPECT_EQ(ElidedPath(LongPath, m_metrics, Width(wide)), wide);
}

TEST_F(ElidedPathTest, AFileNameTooLongAloneKeepsItsBeginningAndItsEndWithinTheWidth) {
    const QString path = "/home/anna/" + QString(80, 'x') + " - Ende.mp3";
    const int width = Width("/" + Ellipsis + "/xxxxxxxxxx" + Ellipsis + "Ende.mp3");
    const QString shown = ElidedPath(path, m_metrics, width);
    EXPECT_LE(Width(shown), width);
    EXPECT_TRUE(shown.startsWith("/" + Ellipsis + "/x")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("mp3")) << shown.toStdString();
}

TEST_F(ElidedPathTest, TheListDrawsTheShortenedPathInTheEntrysWidth) {
    QListWidget list;
    auto* delegate = new ElidedPathDelegate(&list);
    list.setItemDelegate(delegate);
    list.addItem(LongPath);
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.widget = &list;
    option.rect = QRect(0, 0, Width("/home/" + Ellipsis + "/Album/03 - Titel.mp3") + 40, 16);
    const QString shown = delegate->ShownText(option, list.model()->index(0, 0));
    EXPECT_TRUE(shown.contains(Ellipsis)) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/03 - Titel.mp3")) << shown.toStdString();
    EXPECT_LE(Width(shown), option.rect.width());
    EXPECT_EQ(delegate->sizeHint(option, list.model()->index(0, 0)).width(), 1)
        << "never wider than the list, so no sideways scrolling";
}

}  // namespace
}  // namespace trackdeck::search
