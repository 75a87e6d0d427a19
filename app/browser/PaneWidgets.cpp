#include "app/browser/PaneWidgets.h"

#include <QDir>
#include <QFileIconProvider>
#include <algorithm>

#include "app/browser/Drives.h"
#include "app/browser/FolderFiles.h"
#include "app/common/PathHelpers.h"

namespace trackdeck::browser {

namespace {

QIcon FolderIcon() {
    static QFileIconProvider provider;
    static const QIcon folder = provider.icon(QFileIconProvider::Folder);
    return folder;
}

}  // namespace

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent), m_drives(Drives()) {
    for (const QString& drive : m_drives) addItem(drive, drive);
}

void DriveBox::SetDrive(const QString& drive) {
    int index = findData(drive);
    if (index < 0) {
        addItem(drive, drive);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(12);
    setUniformRowHeights(true);
}

void FolderTree::SetPath(const QString& drive, const QString& folder) {
    m_path = AddBackslash(folder);
    clear();
    // The chain from the drive's root down to the folder.
    QTreeWidgetItem* parentItem = new QTreeWidgetItem(this, QStringList{drive});
    parentItem->setIcon(0, FolderIcon());
    parentItem->setData(0, Qt::UserRole, drive);
    const QString below = m_path.mid(drive.size());
    QString walked = drive;
    for (const QString& part : below.split('/', Qt::SkipEmptyParts)) {
        walked += part + '/';
        auto* item = new QTreeWidgetItem(parentItem, QStringList{part});
        item->setIcon(0, FolderIcon());
        item->setData(0, Qt::UserRole, walked);
        parentItem->setExpanded(true);
        parentItem = item;
    }
    parentItem->setExpanded(true);
    setCurrentItem(parentItem);
    // Its sub-folders, sorted ignoring case; hidden ones are not shown.
    const QStringList children =
        QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::IgnoreCase | QDir::Name);
    for (const QString& child : children) {
        auto* item = new QTreeWidgetItem(parentItem, QStringList{child});
        item->setIcon(0, FolderIcon());
        item->setData(0, Qt::UserRole, m_path + child + '/');
    }
    scrollToItem(parentItem, QAbstractItemView::PositionAtTop);
}

FileList::FileList(QWidget* parent) : QListWidget(parent) { hide(); }

void FileList::SetPath(const QString& folder) {
    m_path = folder;
    Refresh();
}

void FileList::Refresh() {
    clear();
    addItems(PlayableFiles(m_path));
}

}  // namespace trackdeck::browser
