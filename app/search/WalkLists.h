// The search window's two hidden lists: dirList, the sub-folders of the folder to
// search, and filList, its MP3 files, which follows dirList's folder.
#pragma once

#include <QListWidget>
#include <QString>

namespace trackdeck::search {

class WalkList : public QListWidget {
public:
    enum class Shows { SubFolders, Mp3Files };

    WalkList(Shows shows, QWidget* parent);
    // Lists the folder's sub-folders or MP3 files, sorted ignoring case.
    void SetPath(const QString& folder);
    [[nodiscard]] const QString& Path() const { return m_path; }

private:
    Shows m_shows;
    QString m_path;
};

}  // namespace trackdeck::search
