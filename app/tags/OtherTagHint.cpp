#include "app/tags/OtherTagHint.h"

#include "app/tags/MP3TagEditor.h"

namespace trackdeck::tags {

namespace {

bool Differs(const QString& id3v2, const QString& id3v1, int width) {
    if (id3v2.isEmpty()) return false;
    return id3v2.left(width).trimmed() != id3v1.trimmed();
}

}  // namespace

bool Id3v2Differs(const Id3v2Values& id3v2, const TagFields& id3v1) {
    constexpr int text = MP3TagEditor::TextWidth;
    return Differs(id3v2.Artist, id3v1.Artist, text) || Differs(id3v2.Title, id3v1.Title, text) ||
           Differs(id3v2.Album, id3v1.Album, text) ||
           Differs(id3v2.Year, id3v1.Year, MP3TagEditor::YearWidth);
}

QString Id3v2ToolTip(const Id3v2Values& id3v2) {
    QString tip = QStringLiteral("ID3v2:");
    for (const auto& [caption, value] :
         {std::pair{"Interpret", &id3v2.Artist}, std::pair{"Titel", &id3v2.Title},
          std::pair{"Album", &id3v2.Album}, std::pair{"Jahr", &id3v2.Year}}) {
        if (!value->isEmpty()) tip += QString("\n%1: %2").arg(caption, *value);
    }
    return tip;
}

void ShowOtherTagHint(QLabel& hint, const QString& path, const TagFields& id3v1) {
    const std::optional<Id3v2Values> id3v2 = ReadId3v2(path);
    if (!id3v2 || !Id3v2Differs(*id3v2, id3v1)) {
        hint.hide();
        hint.setToolTip({});
        return;
    }
    hint.setToolTip(Id3v2ToolTip(*id3v2));
    hint.show();
}

}  // namespace trackdeck::tags
