#include "app/tags/UnstorableCharacter.h"

#include <utility>

#include "app/common/MessageService.h"
#include "app/common/PathHelpers.h"
#include "app/tags/CodePageText.h"
#include "app/tags/TagMessages.h"

namespace trackdeck::tags {

std::optional<UnstorableCharacter> FirstUnstorableCharacter(const TagFields& fields,
                                                            CodePage page) {
    for (const auto& [caption, text] :
         {std::pair{"Interpret", &fields.Artist}, std::pair{"Titel", &fields.Title},
          std::pair{"Album", &fields.Album}, std::pair{"Jahr", &fields.Year},
          std::pair{"Kommentar", &fields.Comment}}) {
        if (const std::optional<char32_t> missing = FirstCharacterNotIn(*text, page))
            return UnstorableCharacter{QString::fromUtf8(caption), *missing};
    }
    return std::nullopt;
}

bool AcceptUnstorableCharacters(const TagFields& fields) {
    const CodePage page = TagCodePage();
    const std::optional<UnstorableCharacter> found = FirstUnstorableCharacter(fields, page);
    if (!found) return true;
    return Ask(CharacterNotInCodePage(found->Field, found->Character, CodePageName(page)),
               MessageKind::Question, Answer::No) == Answer::Yes;
}

bool AcceptUnstorableCharacters(const std::vector<std::pair<QString, TagFields>>& tags) {
    const CodePage page = TagCodePage();
    std::optional<std::pair<QString, UnstorableCharacter>> first;
    int files = 0;
    for (const auto& [path, fields] : tags) {
        const std::optional<UnstorableCharacter> found = FirstUnstorableCharacter(fields, page);
        if (!found) continue;
        if (files++ == 0) first = {path, *found};
    }
    if (!first) return true;
    return Ask(CharactersNotInCodePage(files, FileNameOf(first->first), first->second.Field,
                                       first->second.Character, CodePageName(page)),
               MessageKind::Question, Answer::No) == Answer::Yes;
}

}  // namespace trackdeck::tags
