#include "app/browser/PaneWidgets.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileIconProvider>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

#include "app/browser/Drives.h"
#include "app/browser/FolderFiles.h"
#include "app/browser/MountWatcher.h"
#include "app/common/PathHelpers.h"

namespace trackdeck::browser {

namespace {

QIcon FolderIcon() {
    static QFileIconProvider provider;
    static const QIcon folder = provider.icon(QFileIconProvider::Folder);
    return folder;
}

}  // namespace

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent) {
    ReadDrives();
    connect(new MountWatcher(this), &MountWatcher::Changed, this, &DriveBox::ReadDrives);
}

void DriveBox::ReadDrives() {
    const QString current = Drive();
    // Choosing a drive is the user's act: filling the box again is none.
    const QSignalBlocker quiet(this);
    clear();
    for (const QString& drive : Drives()) {
        addItem(drive, drive);
        setItemData(count() - 1, drive, Qt::ToolTipRole);
    }
    if (!current.isEmpty()) SetDrive(current);
}

void DriveBox::SetDrive(const QString& drive) {
    int index = findData(drive);
    if (index < 0) {
        addItem(drive, drive);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

void DriveBox::showPopup() {
    // The list is as wide as its longest drive, which may be wider than the box.
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)));
    view()->setMinimumWidth(widest + 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    QComboBox::showPopup();
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
