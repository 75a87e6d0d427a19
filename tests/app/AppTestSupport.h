// The desktop program in tests: the offscreen platform and the null audio device,
// one QApplication for the test program, a temporary registry, system folder and
// program folder (with the Trackdeck.bin and Trackdeck.dll of the build linked into
// it) and a message service that records every message and answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/common/AppState.h"
#include "app/common/MessageService.h"
#include "app/shell/StartUp.h"
#include "app/shell/frmDeck.h"
#include "tests/app/DeckControls.h"
#include "tests/support/ScopedEnvironment.h"

namespace trackdeck::test {

// Made once, before the first window, under the offscreen platform.
QApplication& Application();

struct RecordedMessage {
    QString Text;
    MessageKind Kind;
};

class AppTest : public ::testing::Test {
protected:
    AppTest();
    ~AppTest() override;

    // The program folder (ends with "/"), with the control and the support library.
    [[nodiscard]] QString ProgramFolder() const { return m_programFolder; }
    [[nodiscard]] QString SettingsFile() const { return m_programFolder + "Trackdeck.ini"; }
    [[nodiscard]] QString SystemFolder() const {
        return QString::fromStdString(m_environment.SystemDir());
    }
    // A fresh folder under the test's temporary folder, ending with "/".
    [[nodiscard]] QString MakeFolder(const QString& name) const;
    void WriteFile(const QString& path, const QByteArray& bytes) const;
    [[nodiscard]] QByteArray ReadFile(const QString& path) const;
    void WriteSettings(const QByteArray& content) const { WriteFile(SettingsFile(), content); }
    [[nodiscard]] QString Setting(const char* section, const char* key) const;

    // The entry procedure with a fresh AppState, as a start of the program.
    std::unique_ptr<frmDeck> Start(const QString& argument = {});
    // Closes the window as the user does; the program's shutdown runs.
    void Close(std::unique_ptr<frmDeck>& form);

    AppState m_state;
    std::vector<RecordedMessage> m_messages;
    std::deque<Answer> m_answers;

private:
    platform::test::ScopedEnvironment m_environment;
    // The batch journal goes to the test's folder, never to the user's.
    platform::test::ScopedVariable m_stateHome{"XDG_STATE_HOME", m_environment.Folder() + "state"};
    QString m_programFolder;
    MessageService m_previous;
};

}  // namespace trackdeck::test
