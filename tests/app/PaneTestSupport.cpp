#include "tests/app/PaneTestSupport.h"

#include <QDir>


namespace trackdeck::test {

namespace {

QByteArray Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

std::unique_ptr<frmDeck> PaneTest::StartWith(const QString& left, const QString& right, int active,
                                             Confirmations confirm, bool clickPlay) {
    WriteSettings("[Directories]\nLastDirA=" + left.toUtf8() + "\nLastDirB=" + right.toUtf8() +
                  "\nLastOrdner=" + QByteArray::number(active) +
                  "\n[Confirm]\nKopieren=" + Flag(confirm.Copy) +
                  "\nBewegen=" + Flag(confirm.Move) + "\nLoeschen=" + Flag(confirm.Delete) +
                  "\n[Player]\nKlickPlay=" + Flag(clickPlay) + "\nDirPlay=0\n");
    return Start();
}

void PaneTest::Activate(frmDeck& form, int pane) {
    const DeckControls ui(form);
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    (pane == 2 ? ui.List2 : ui.List1)->setFocus();
    ASSERT_TRUE(WaitFor([&] { return m_state.ActivePane == pane; }, 2000));
}

void PaneTest::Mark(QListWidget& list, const QStringList& names) {
    list.clearSelection();
    for (const QString& name : names) {
        const QList<QListWidgetItem*> found = list.findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        if (name == names.first())
            list.setCurrentItem(found.first(), QItemSelectionModel::Select);
        else
            found.first()->setSelected(true);
    }
}

QStringList PaneTest::Entries(const QListWidget& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries.append(list.item(i)->text());
    return entries;
}

QStringList PaneTest::FolderContents(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QStringList PaneTest::MessageTexts() const {
    QStringList texts;
    for (const RecordedMessage& message : m_messages) texts.append(message.Text);
    return texts;
}

}  // namespace trackdeck::test
