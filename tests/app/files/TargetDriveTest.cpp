#include <QDir>
#include <QProcess>

#include "app/common/TargetNameRules.h"
#include "tests/app/PaneTestSupport.h"
#include "tests/app/StrictDrive.h"

namespace trackdeck::test {
namespace {

// A name no FAT drive takes; "/" cannot be part of a Linux file name, "|" stands in.
const QString Refused = "AC|DC: Live?.mp3";
const QString Fitted = "AC_DC_ Live_.mp3";

class TargetDrive : public PaneTest {
protected:
    // Pane A on a folder with the refused name and one that fits, pane B active on the stick.
    std::unique_ptr<frmDeck> StartOnStick(Confirmations confirm) {
        WriteFile(m_left + Refused, "live");
        WriteFile(m_left + "ok.mp3", "ok");
        auto form = StartWith(m_left, m_stick, 1, confirm);
        Activate(*form, 1);
        return form;
    }

    const QString m_left = MakeFolder("left");
    const QString m_stick = MakeFolder("stick");
};

TEST_F(TargetDrive, ACopyWritesTheFittedNameOnYesSkipsTheFileOnNoAndCopiesNothingOnCancel) {
    const PretendStrictDrive drive(m_stick);
    auto form = StartOnStick({.Copy = false});
    const DeckControls ui(*form);

    const auto copyAnswering = [&](Answer answer) {
        Mark(*ui.List1, {Refused, "ok.mp3"});
        m_answers = {answer};
        ui.Command5->click();
    };
    copyAnswering(Answer::Cancel);
    EXPECT_EQ(FolderContents(m_stick), QStringList{}) << "not even the name that fits";
    copyAnswering(Answer::No);
    EXPECT_EQ(FolderContents(m_stick), QStringList{"ok.mp3"});
    copyAnswering(Answer::Yes);
    EXPECT_EQ(m_messages.size(), 3U) << "asked each time";
    EXPECT_EQ(FolderContents(m_stick), (QStringList{Fitted, "ok.mp3"}));
    EXPECT_EQ(ReadFile(m_stick + Fitted), "live");
    EXPECT_EQ(FolderContents(m_left), (QStringList{Refused, "ok.mp3"}));
    Close(form);
}

TEST_F(TargetDrive, AMoveThatSkipsARefusedNameLeavesThatFileWhereItWas) {
    const PretendStrictDrive drive(m_stick);
    auto form = StartOnStick({.Move = false});
    const DeckControls ui(*form);
    Mark(*ui.List1, {Refused, "ok.mp3"});
    m_answers = {Answer::No};
    ui.Command6->click();
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(FolderContents(m_stick), QStringList{"ok.mp3"});
    EXPECT_EQ(FolderContents(m_left), QStringList{Refused});
    Close(form);
}

// A real FAT file system in an image file, mounted for the test where the machine
// allows it: by the kernel (root, vfat in the kernel), else through FUSE (fusefat).
class VfatImage {
public:
    VfatImage(const QString& image, const QString& mountPoint) {
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(8 * 1024 * 1024)) {
            m_problem = "cannot make the image file";
            return;
        }
        file.close();
        m_problem = Run("mkfs.vfat", {image});
        if (!m_problem.isEmpty()) return;
        const QString kernel = Run("mount", {"-o", "loop", image, mountPoint});
        if (kernel.isEmpty()) {
            m_unmount = {"umount", {mountPoint}};
            return;
        }
        const QString fuse = Run("fusefat", {"-o", "rw+", image, mountPoint});
        if (fuse.isEmpty()) {
            m_unmount = {"fusermount", {"-u", mountPoint}};
            return;
        }
        m_problem = kernel + "; " + fuse;
    }
    ~VfatImage() {
        if (!m_unmount.first.isEmpty()) (void)Run(m_unmount.first, m_unmount.second);
    }
    VfatImage(const VfatImage&) = delete;
    VfatImage& operator=(const VfatImage&) = delete;

    // Why there is no mounted image, or empty.
    [[nodiscard]] QString Problem() const { return m_problem; }

private:
    static QString Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(60000)) return program + " did not run";
        if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return {};
        return program + ": " + QString::fromLocal8Bit(process.readAll()).trimmed();
    }

    QString m_problem;
    std::pair<QString, QStringList> m_unmount;
};

TEST_F(TargetDrive, OnARealVfatDriveTheCopyOffersTheFittedNameAndWritesIt) {
    const VfatImage image(MakeFolder("image") + "fat.img", m_stick);
    if (!image.Problem().isEmpty())
        GTEST_SKIP() << "no vfat image could be mounted here: " << image.Problem().toStdString();
    EXPECT_EQ(StrictFileSystem(m_stick), "FAT");
    EXPECT_FALSE(QFile(m_stick + Refused).open(QIODevice::WriteOnly))
        << "the drive refuses the name";
    auto form = StartOnStick({.Copy = false});
    const DeckControls ui(*form);
    Mark(*ui.List1, {Refused});
    m_answers = {Answer::No};
    ui.Command5->click();
    EXPECT_EQ(FolderContents(m_stick), QStringList{});
    Mark(*ui.List1, {Refused});
    m_answers = {Answer::Yes};
    ui.Command5->click();
    ASSERT_EQ(m_messages.size(), 2U);
    EXPECT_TRUE(m_messages[0].Text.contains(Refused + QString::fromUtf8("  →  ") + Fitted));
    EXPECT_EQ(FolderContents(m_stick), QStringList{Fitted});
    EXPECT_EQ(ReadFile(m_stick + Fitted), "live");
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
