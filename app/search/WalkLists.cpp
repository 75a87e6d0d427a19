#include "app/search/WalkLists.h"

#include "app/common/PathHelpers.h"
#include "app/search/Mp3TreeWalk.h"

namespace trackdeck::search {

WalkList::WalkList(Shows shows, QWidget* parent) : QListWidget(parent), m_shows(shows) { hide(); }

void WalkList::SetPath(const QString& folder) {
    m_path = AddBackslash(folder);
    clear();
    const FolderListing listing = ListFolder(m_path);
    addItems(m_shows == Shows::SubFolders ? listing.SubFolders : listing.Files);
}

}  // namespace trackdeck::search
