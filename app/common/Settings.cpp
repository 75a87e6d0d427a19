#include "app/common/Settings.h"

#include "app/common/SettingsKeys.h"
#include "platform/profile/PrivateProfile.h"

namespace trackdeck {

namespace {

// The buffer of the lookup holds 2048 characters with the terminating NUL.
constexpr qsizetype MaxValueLength = 2047;

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue,
                   const QString& file) {
    const std::string value = platform::GetPrivateProfileString(
        Utf8(section.toUpper()), Utf8(key.toUpper()), "", Utf8(file));
    QString text = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    if (text.isEmpty()) return defaultValue;
    return text.left(MaxValueLength);
}

bool WriteSetting(const QString& section, const QString& key, const QString& value,
                  const QString& file) {
    return platform::WritePrivateProfileString(Utf8(section), Utf8(key), Utf8(value), Utf8(file));
}

bool OnUnlessOtherThanOne(const QString& value) { return value.isEmpty() || value == "1"; }

bool OffUnlessOtherThanZero(const QString& value) { return !value.isEmpty() && value != "0"; }

int16_t OneOrTwo(const QString& value) { return (!value.isEmpty() && value != "1") ? 2 : 1; }

int LeadingNumber(const QString& value) {
    const QString text = value.trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
    while (end < text.size() && text[end].isDigit()) ++end;
    bool ok = false;
    const int number = text.left(end).toInt(&ok);
    return ok ? number : 0;
}

void ReadFlagSettings(AppState& state) {
    using namespace settings;
    auto read = [&state](const Key& key) {
        return GetSetting(key.Section, key.Name, "", state.SettingsFile);
    };
    state.ConfirmDelete = OnUnlessOtherThanOne(read(ConfirmDelete));
    state.ConfirmCopy = OnUnlessOtherThanOne(read(ConfirmCopy));
    state.ConfirmMove = OnUnlessOtherThanOne(read(ConfirmMove));
    state.ConfirmDecode = OnUnlessOtherThanOne(read(ConfirmDecode));
    state.ClickPlay = OffUnlessOtherThanZero(read(ClickPlay));
    state.DirPlay = OnUnlessOtherThanOne(read(DirPlay));
    state.DragDropActive = OffUnlessOtherThanZero(read(DragDropActive));
    state.DragDropAction = OneOrTwo(read(DragDropAction));
    state.SearchSubDirs = OnUnlessOtherThanOne(read(SearchSubDirs));
    state.SearchFileNames = OnUnlessOtherThanOne(read(SearchFileNames));
    state.SearchTags = OnUnlessOtherThanOne(read(SearchTags));
}

}  // namespace trackdeck
