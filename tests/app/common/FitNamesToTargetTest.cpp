#include "app/common/FitNamesToTarget.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/StrictDrive.h"

namespace trackdeck::test {
namespace {

using FitNamesToTarget = AppTest;

const QStringList Names{"ok.mp3", "AC/DC: Live?.mp3", "b|c.mp3"};

TEST_F(FitNamesToTarget, NamesThatFitOrAFolderWithoutStricterRulesAskNothing) {
    const QString stick = MakeFolder("stick");
    const QString home = MakeFolder("home");
    const PretendStrictDrive drive(stick);
    EXPECT_EQ(NamesForTarget({"ok.mp3", "Vol. 2.mp3"}, stick),
              (QStringList{"ok.mp3", "Vol. 2.mp3"}));
    EXPECT_EQ(NamesForTarget(Names, home), Names);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(FitNamesToTarget, YesFitsTheRefusedNamesNoSkipsThemAndCancelStops) {
    const QString stick = MakeFolder("stick");
    const PretendStrictDrive drive(stick);

    m_answers = {Answer::Yes};
    EXPECT_EQ(NamesForTarget(Names, stick), (QStringList{"ok.mp3", "AC_DC_ Live_.mp3", "b_c.mp3"}));
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Question);
    EXPECT_EQ(m_messages[0].Text,
              QString::fromUtf8("Diese Namen sind auf dem Ziellaufwerk (FAT) nicht erlaubt:\n\n"
                                "AC/DC: Live?.mp3  →  AC_DC_ Live_.mp3\n"
                                "b|c.mp3  →  b_c.mp3\n\n"
                                "Ja: mit \"_\" statt der unerlaubten Zeichen schreiben\n"
                                "Nein: diese Dateien überspringen\n"
                                "Abbrechen: nichts tun"));

    m_answers = {Answer::No};
    EXPECT_EQ(NamesForTarget(Names, stick), (QStringList{"ok.mp3", "", ""}));
    m_answers = {Answer::Cancel};
    EXPECT_EQ(NamesForTarget(Names, stick), std::nullopt);
    EXPECT_EQ(m_messages.size(), 3U);
}

TEST_F(FitNamesToTarget, TheQuestionShowsTwelveNamesAndCountsTheRest) {
    QStringList refused;
    for (int i = 0; i < 15; ++i) refused << QString("n%1?.mp3").arg(i);
    const QString text = FitNamesQuestion("exFAT", refused);
    EXPECT_TRUE(text.contains("n11?.mp3  →  n11_.mp3\n"));
    EXPECT_FALSE(text.contains("n12?.mp3"));
    EXPECT_TRUE(text.contains(QString::fromUtf8("… und 3 weitere\n")));
}

}  // namespace
}  // namespace trackdeck::test
