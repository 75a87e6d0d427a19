#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/batch/Decode.h"
#include "app/common/Looks.h"
#include "app/files/NewOrdner.h"
#include "app/names/FileNameTAG.h"
#include "app/names/Rename.h"
#include "app/pathlist/VerzListe.h"
#include "app/search/Such.h"
#include "app/shell/Options.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

// The caption as it is drawn: "&&" is one "&", a single "&" marks the shortcut.
QString Drawn(QString caption) {
    caption.replace("&&", QChar(1));
    caption.remove('&');
    return caption.replace(QChar(1), '&');
}

// Every caption of the window that is cut off or touches its edges: buttons with a
// pixel to spare on each side inside their border, labels within their box, check
// boxes and radio buttons with their mark, frames with their title.
QStringList ClippedCaptions(QWidget& window) {
    QStringList clipped;
    auto check = [&clipped](const QWidget& widget, const QString& text, int needed, int room) {
        if (needed > room)
            clipped.append(QString("%1 \"%2\" needs %3 px, has %4")
                               .arg(widget.objectName(), text)
                               .arg(needed)
                               .arg(room));
    };
    const QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (QWidget* widget : widgets) widget->ensurePolished();
    for (QWidget* widget : widgets) {
        const QFontMetrics metrics(widget->font());
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            const QString text = Drawn(button->text());
            if (text.isEmpty()) continue;
            check(*button, text, metrics.horizontalAdvance(text) + 4, button->width() - 2);
            check(*button, text, metrics.height(), button->height() - 2);
            // A button the window shows lies inside it.
            const QRect inside = button->parentWidget()->rect();
            if (!button->isHidden() && !inside.contains(button->geometry()))
                clipped.append(QString("%1 \"%2\" reaches out of its window").arg(
                    button->objectName(), text));
        } else if (auto* box = qobject_cast<QAbstractButton*>(widget)) {
            check(*box, Drawn(box->text()), box->sizeHint().width(), box->width());
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText)
                continue;
            check(*label, label->text(), metrics.horizontalAdvance(label->text()),
                  label->contentsRect().width());
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            const QString title = Drawn(frame->title());
            check(*frame, title, metrics.horizontalAdvance(title) + 16, frame->width());
        }
    }
    return clipped;
}

void ExpectWhole(QWidget& window) {
    const QStringList clipped = ClippedCaptions(window);
    EXPECT_TRUE(clipped.isEmpty()) << window.objectName().toStdString() << ": "
                                   << clipped.join("; ").toStdString();
}

class CaptionsFit : public AppTest {
protected:
    void SetUp() override {
        if (QFontInfo(QApplication::font()).family() != FontFamily)
            GTEST_SKIP() << "the forms are fitted to " << FontFamily << ", not installed here";
    }
};

TEST_F(CaptionsFit, InTheMainWindowAndTheWindowsItOpens) {
    auto form = Start();
    ASSERT_TRUE(form);
    ExpectWhole(*form);
    form->ShowOptions();
    ASSERT_NE(form->OptionsDialog(), nullptr);
    ExpectWhole(*form->OptionsDialog());
    emit DeckControls(*form).Image10->clicked();
    ASSERT_NE(form->SearchWindow(), nullptr);
    ExpectWhole(*form->SearchWindow());
    ExpectWhole(form->PathListWindow());
    Close(form);
}

TEST_F(CaptionsFit, InTheToolWindowsWhichNameThemselvesToTheTaskList) {
    names::FileNameTAG fromNames;
    names::Rename rename;
    batch::Decode decode("Decodieren");
    files::NewOrdner newFolder;
    for (QWidget* window : std::initializer_list<QWidget*>{&fromNames, &rename, &decode, &newFolder}) {
        ExpectWhole(*window);
        EXPECT_FALSE(window->windowTitle().isEmpty()) << window->objectName().toStdString();
    }
}

}  // namespace
}  // namespace trackdeck::test
