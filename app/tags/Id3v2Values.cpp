#include "app/tags/Id3v2Values.h"

#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tstring.h>

#include <QFile>

namespace trackdeck::tags {

namespace {

QString FromTagLib(const TagLib::String& text) {
    const TagLib::ByteVector utf8 = text.data(TagLib::String::UTF8);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).trimmed();
}

}  // namespace

std::optional<Id3v2Values> ReadId3v2(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Without the audio properties TagLib reads only the tags, not the whole stream.
    TagLib::MPEG::File file(name.constData(), false);
    if (!file.isOpen() || !file.hasID3v2Tag()) return std::nullopt;
    const TagLib::ID3v2::Tag* tag = file.ID3v2Tag(false);
    if (tag == nullptr) return std::nullopt;
    const unsigned int year = tag->year();
    return Id3v2Values{FromTagLib(tag->artist()), FromTagLib(tag->title()),
                       FromTagLib(tag->album()), year == 0 ? QString() : QString::number(year)};
}

}  // namespace trackdeck::tags
