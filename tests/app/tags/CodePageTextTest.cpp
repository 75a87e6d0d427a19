#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <string>

#include "app/tags/CodePageText.h"
#include "app/tags/MP3TagEditor.h"
#include "app/tags/StoreTag.h"
#include "app/tags/TagCodePage.h"
#include "platform/text/Windows1252.h"
#include "tests/support/ScopedEnvironment.h"

namespace trackdeck::tags {
namespace {

// The code page for one test, Windows-1252 again after it.
class ScopedCodePage {
public:
    explicit ScopedCodePage(CodePage page) { UseTagCodePage(page); }
    ~ScopedCodePage() { UseTagCodePage(CodePage::Windows1252); }
    ScopedCodePage(const ScopedCodePage&) = delete;
    ScopedCodePage& operator=(const ScopedCodePage&) = delete;
};

std::string AllBytes() {
    std::string bytes(256, '\0');
    for (int i = 0; i < 256; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(i);
    return bytes;
}

TEST(TagCodePages, Windows1252ReadsAndWritesEveryByteAsTheProgramAlwaysHas) {
    const std::string bytes = AllBytes();
    const std::string utf8 = platform::Utf8FromWindows1252(bytes);
    const QString text = TextFromCodePage(bytes.data(), bytes.size(), CodePage::Windows1252);
    EXPECT_EQ(text, QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    EXPECT_EQ(CodePageBytes(text, CodePage::Windows1252), bytes);
}

TEST(TagCodePages, EveryByteOfEachPageWritesBackUnchanged) {
    const std::string bytes = AllBytes();
    for (CodePage page : AllCodePages) {
        const QString text = TextFromCodePage(bytes.data(), bytes.size(), page);
        EXPECT_EQ(text.size(), 256) << CodePageName(page).toStdString();
        EXPECT_EQ(CodePageBytes(text, page), bytes) << CodePageName(page).toStdString();
        EXPECT_FALSE(FirstCharacterNotIn(text, page)) << CodePageName(page).toStdString();
    }
}

TEST(TagCodePages, LettersOfEachPageHaveTheirOwnBytes) {
    EXPECT_EQ(CodePageBytes(QString::fromUtf8("Привет"), CodePage::Windows1251),
              "\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_EQ(CodePageBytes(QString::fromUtf8("Dvořák Łódź"), CodePage::Windows1250),
              "Dvo\xF8\xE1k \xA3\xF3\x64\x9F");
    EXPECT_EQ(CodePageBytes(QString::fromUtf8("Motörhead €"), CodePage::Windows1252),
              "Mot\xF6rhead \x80");
    // The same byte is a different letter in each page.
    const char byte = '\xE8';
    EXPECT_EQ(TextFromCodePage(&byte, 1, CodePage::Windows1252), QString::fromUtf8("è"));
    EXPECT_EQ(TextFromCodePage(&byte, 1, CodePage::Windows1250), QString::fromUtf8("č"));
    EXPECT_EQ(TextFromCodePage(&byte, 1, CodePage::Windows1251), QString::fromUtf8("и"));
}

TEST(TagCodePages, ACharacterAPageCannotHoldIsFoundAndWrittenAsQuestionMark) {
    EXPECT_EQ(FirstCharacterNotIn(QString::fromUtf8("ab Привет"), CodePage::Windows1252), U'П');
    EXPECT_EQ(FirstCharacterNotIn(QString::fromUtf8("Motörhead"), CodePage::Windows1251), U'ö');
    EXPECT_EQ(FirstCharacterNotIn(QString::fromUtf8("a😀"), CodePage::Windows1251), U'😀');
    EXPECT_EQ(CodePageBytes(QString::fromUtf8("a😀b"), CodePage::Windows1251), "a?b");
    // Half of a surrogate pair, as a cut at the field's width leaves it.
    const QString cut = QString::fromUtf8("😀").left(1);
    EXPECT_EQ(CodePageBytes(cut, CodePage::Windows1250), "?");
    EXPECT_TRUE(FirstCharacterNotIn(cut, CodePage::Windows1250));
    EXPECT_FALSE(FirstCharacterNotIn(QString::fromUtf8("Dvořák"), CodePage::Windows1250));
}

TEST(TagCodePages, TheSettingReadsAsWindows1252UnlessItNamesAnotherPage) {
    EXPECT_EQ(CodePageFromSetting(""), CodePage::Windows1252);
    EXPECT_EQ(CodePageFromSetting("1252"), CodePage::Windows1252);
    EXPECT_EQ(CodePageFromSetting("1250"), CodePage::Windows1250);
    EXPECT_EQ(CodePageFromSetting(" 1251 "), CodePage::Windows1251);
    EXPECT_EQ(CodePageFromSetting("866"), CodePage::Windows1252);
    for (CodePage page : AllCodePages) EXPECT_EQ(CodePageFromSetting(CodePageSetting(page)), page);
}

class CodePageTagFile : public ::testing::Test {
protected:
    QString Path() const { return QString::fromStdString(m_env.Folder()) + "song.mp3"; }
    QByteArray Read() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    platform::test::ScopedEnvironment m_env;
};

TEST_F(CodePageTagFile, ACyrillicTitleWrittenWithWindows1251ReadsBackTheSame) {
    const ScopedCodePage page(CodePage::Windows1251);
    Write(QByteArray(1000, '\x55'));
    const QString title = QString::fromUtf8("Калинка");
    const QString artist = QString::fromUtf8("Хор Пятницкого");
    ASSERT_TRUE(StoreTag(Path(), {artist, title, "", "", "1950"}));

    const QByteArray record = Read().right(128);
    EXPECT_EQ(record.mid(3, 7), QByteArray("\xCA\xE0\xEB\xE8\xED\xEA\xE0"));
    EXPECT_EQ(record.mid(33, 14),
              QByteArray("\xD5\xEE\xF0 \xCF\xFF\xF2\xED\xE8\xF6\xEA\xEE\xE3\xEE"));
    MP3TagEditor editor;
    ASSERT_TRUE(editor.LoadMP3(Path()));
    EXPECT_EQ(editor.Title(), title);
    EXPECT_EQ(editor.Artist(), artist);
}

}  // namespace
}  // namespace trackdeck::tags
