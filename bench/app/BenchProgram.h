// The desktop program as the app benchmarks run it: a program folder of its own
// with links to the control and the libraries, a settings file that puts pane A
// on the benchmark's folder, the null audio device and a registry and system
// folder of its own.
#pragma once

#include <QDir>
#include <QFile>
#include <memory>

#include "app/common/PathHelpers.h"
#include "app/shell/StartUp.h"
#include "app/shell/frmDeck.h"
#include "tests/support/NullAudio.h"
#include "tests/support/ScopedEnvironment.h"

namespace trackdeck::bench {

class BenchProgram {
public:
    // `settings` follows the [Directories] section's LastDirA and LastOrdner lines:
    // more of that section, then further sections.
    BenchProgram(const QString& folder, const QByteArray& settings) {
        const QString base = QString::fromStdString(m_environment.Folder());
        m_programFolder = base + "program/";
        QDir().mkpath(m_programFolder);
        QDir().mkpath(QString::fromStdString(m_environment.SystemDir()));
        UseSupportLibraryIn(m_programFolder);
        for (const char* name : {"Trackdeck.bin", "Trackdeck.dll", "libtrackdeck_platform.so"})
            QFile::link(QString(TRACKDECK_BIN_DIR "/") + name, m_programFolder + name);
        QFile file(m_programFolder + "Trackdeck.ini");
        (void)file.open(QIODevice::WriteOnly);
        file.write("[Directories]\nLastDirA=" + folder.toUtf8() + "\nLastOrdner=1\n" + settings);
        file.close();
        FillAppState(m_state, m_programFolder, QString::fromStdString(m_environment.SystemDir()));
        m_form = StartTrackdeck(m_state, {});
    }
    ~BenchProgram() {
        if (m_form) m_form->close();
    }
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    frmDeck& Form() { return *m_form; }
    // A control of the main window, by the name the layout gives it.
    template <class Control>
    Control* Find(const char* name) {
        return m_form->findChild<Control*>(name);
    }
    AppState& State() { return m_state; }
    [[nodiscard]] QString ProgramFolder() const { return m_programFolder; }

private:
    platform::test::NullAudio m_audio;
    platform::test::ScopedEnvironment m_environment;
    QString m_programFolder;
    AppState m_state;
    std::unique_ptr<frmDeck> m_form;
};

}  // namespace trackdeck::bench
