#include "tests/app/AppTestSupport.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

#include "app/common/Looks.h"
#include "app/common/PathHelpers.h"
#include "app/common/Settings.h"
#include "app/tags/TagCodePage.h"

namespace trackdeck::test {

QApplication& Application() {
    static QApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("TRACKDECK_AUDIO", "null", 1);
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        auto* made = new QApplication(argc, argv);
        // The program's look, so that what the tests measure and grab is what users see.
        ApplyLooks(*made);
        return made;
    }();
    return *application;
}

AppTest::AppTest() {
    Application();
    m_programFolder = QString::fromStdString(m_environment.Folder()) + "program/";
    QDir().mkpath(m_programFolder);
    QDir().mkpath(SystemFolder());
    UseSupportLibraryIn(m_programFolder);
    for (const char* name : {"Trackdeck.bin", "Trackdeck.dll", "libtrackdeck_platform.so"}) {
        QFile::link(QString(TRACKDECK_BIN_DIR "/") + name, m_programFolder + name);
    }
    MessageService recorder;
    recorder.Show = [this](const QString& text, MessageKind kind) {
        m_messages.push_back({text, kind});
    };
    recorder.Ask = [this](const QString& text, MessageKind kind, Answer defaultButton) {
        m_messages.push_back({text, kind});
        if (m_answers.empty()) return defaultButton;
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    };
    m_previous = InstallMessageService(std::move(recorder));
}

AppTest::~AppTest() {
    InstallMessageService(std::move(m_previous));
    // The ID3v1 code page holds for the process: the next test starts from the default.
    tags::UseTagCodePage(tags::CodePage::Windows1252);
}

QString AppTest::MakeFolder(const QString& name) const {
    const QString folder = QString::fromStdString(m_environment.Folder()) + name + "/";
    QDir().mkpath(folder);
    return folder;
}

void AppTest::WriteFile(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

QByteArray AppTest::ReadFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QString AppTest::Setting(const char* section, const char* key) const {
    return GetSetting(section, key, "", SettingsFile());
}

std::unique_ptr<frmDeck> AppTest::Start(const QString& argument) {
    m_state = AppState{};
    FillAppState(m_state, m_programFolder, SystemFolder());
    return StartTrackdeck(m_state, argument);
}

void AppTest::Close(std::unique_ptr<frmDeck>& form) {
    form->close();
    form.reset();
}

}  // namespace trackdeck::test
