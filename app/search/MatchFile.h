// Whether a file is a hit of the file search: the search term found, without
// regard to case, in the artist or title of the file's ID3v1 tag, or in its file
// name without the last four characters (the extension is never searched).
#pragma once

#include <QString>

namespace trackdeck::search {

struct MatchOptions {
    bool FileNames = true;  // SearchFileNames
    bool Tags = true;       // SearchTags
};

struct MatchResult {
    bool Matches = false;
    bool TagRead = false;  // the file had a tag: Artist and Title hold it
    QString Artist;
    QString Title;
};

// A file without a tag (or one that cannot be read) is judged by its name only,
// and only when file names are searched.
[[nodiscard]] MatchResult MatchFile(const QString& path, const QString& term,
                                    const MatchOptions& options);

// True when `term` occurs in `text`, letters compared without regard to case.
[[nodiscard]] bool ContainsTerm(const QString& text, const QString& term);

}  // namespace trackdeck::search
