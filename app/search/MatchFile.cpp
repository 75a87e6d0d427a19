#include "app/search/MatchFile.h"

#include "app/common/PathHelpers.h"
#include "app/tags/MP3TagEditor.h"
#include "app/tags/TagText.h"

namespace trackdeck::search {

namespace {

// ".mp3": the last four characters of a name are its extension with the dot.
constexpr qsizetype ExtensionLength = 4;

}  // namespace

bool ContainsTerm(const QString& text, const QString& term) {
    if (text.size() < term.size()) return false;
    return text.contains(term, Qt::CaseInsensitive);
}

MatchResult MatchFile(const QString& path, const QString& term, const MatchOptions& options) {
    MatchResult result;
    if (options.Tags) {
        // A tag editor of its own: the program's shared one belongs to the tag area.
        tags::MP3TagEditor editor;
        if (editor.LoadMP3(path) && editor.TagExists()) {
            result.TagRead = true;
            result.Artist = editor.Artist();
            result.Title = editor.Title();
            tags::CleanTagText(result.Artist);
            tags::CleanTagText(result.Title);
            if (ContainsTerm(result.Title, term) || ContainsTerm(result.Artist, term)) {
                result.Matches = true;
                return result;
            }
        }
    }
    if (!options.FileNames) return result;
    QString name = FileNameOf(path);
    if (name.size() >= ExtensionLength) name.chop(ExtensionLength);
    result.Matches = ContainsTerm(name, term);
    return result;
}

}  // namespace trackdeck::search
