// The widgets of a pane: the drive box, the folder tree and the hidden file list
// whose path is the pane's folder. Setting a path fills the widget from disk.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QTreeWidget>

namespace trackdeck::browser {

// The mounted drives; the current one is the pane's.
class DriveBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveBox(QWidget* parent = nullptr);
    void SetDrive(const QString& drive);
    [[nodiscard]] QString Drive() const { return currentData().toString(); }

private:
    QStringList m_drives;
};

// The folder tree: the chain of folders from the drive's root to the current
// folder, opened, with the current folder's sub-folders below it.
class FolderTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);
    void SetPath(const QString& drive, const QString& folder);
    [[nodiscard]] const QString& Path() const { return m_path; }

private:
    QString m_path;
};

// The hidden file list: the folder's files matching "*.mp3" or "*.wav" without
// regard to case, sorted ignoring case.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    void SetPath(const QString& folder);
    void Refresh();
    [[nodiscard]] const QString& Path() const { return m_path; }

private:
    QString m_path;
};

}  // namespace trackdeck::browser
