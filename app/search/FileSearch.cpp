#include "app/search/FileSearch.h"

#include <QApplication>

#include "app/common/ActivePane.h"
#include "app/common/ControlEventPump.h"
#include "app/common/MessageService.h"
#include "app/common/Settings.h"
#include "app/common/SettingsKeys.h"
#include "app/common/Twips.h"
#include "app/search/Mp3TreeWalk.h"
#include "app/search/Such.h"

namespace trackdeck::search {

namespace {

// How long the walk runs between two turns of the window's events: short enough
// that the window answers at once, long enough that repainting the results costs
// nothing measurable. The first turn comes after the first file, so that the
// caption shows and even a short search can be stopped.
constexpr qint64 EventTurnMs = 25;

const QString Searching = QStringLiteral("Bitte warten...");
const QString Idle = QStringLiteral("MP3-Dateien suchen");
const QString NothingFound = QStringLiteral("Keine entsprechenden Dateien gefunden.");
const QString ChooseAnOption =
    QStringLiteral("Mindestens eine der beiden Optionen muss ausgewählt sein...   ");

}  // namespace

FileSearch::FileSearch(Such& window, AppState& state)
    : QObject(&window), m_window(window), m_state(state) {}

void FileSearch::Search() {
    if (m_running) return;  // a click while the walk lets events run
    if (m_window.Text1->text().isEmpty()) {
        m_window.Text1->setFocus();
        return;
    }
    if (!m_window.Check1->isChecked() && !m_window.Check2->isChecked()) {
        ShowMessage(ChooseAnOption, MessageKind::Exclamation);
        m_window.Check1->setChecked(true);
        WriteSetting(settings::SearchFileNames.Section, settings::SearchFileNames.Name, "1",
                     m_state.SettingsFile);
        m_state.SearchFileNames = true;
    }
    m_running = true;
    m_cancelled = false;
    m_window.resize(m_window.width(), Twips(Such::ResultsHeight - Such::FrameHeight));
    m_window.setWindowTitle(Searching);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    const QString folder = ActivePath(m_state);
    m_window.ShowFolder(folder);
    m_window.lstFoundFiles->clear();
    // The options and the term hold for the whole walk, though the boxes stay live.
    m_options = {m_state.SearchFileNames, m_state.SearchTags};
    m_term = m_window.Text1->text();
    m_artist = m_window.Text2->text();
    m_title = m_window.Text3->text();
    m_sinceEvents.start();
    m_firstTurn = true;
    (void)WalkMp3Files(m_window.dirList->Path(), m_state.SearchSubDirs,
                       [this](const QString& path) { return Compare(path); });

    ShowComparedTag();
    if (m_window.lstFoundFiles->count() == 0) m_window.lstFoundFiles->addItem(NothingFound);
    QApplication::restoreOverrideCursor();
    m_window.setWindowTitle(Idle);
    m_running = false;
}

bool FileSearch::Compare(const QString& path) {
    const MatchResult result = MatchFile(path, m_term, m_options);
    if (result.TagRead) {
        m_artist = result.Artist;
        m_title = result.Title;
    }
    if (result.Matches) m_window.lstFoundFiles->addItem(path);
    KeepWindowAlive();
    return !m_cancelled;
}

void FileSearch::ShowComparedTag() {
    m_window.Text2->setText(m_artist);
    m_window.Text3->setText(m_title);
}

void FileSearch::KeepWindowAlive() {
    if (!m_firstTurn && m_sinceEvents.elapsed() < EventTurnMs) return;
    ShowComparedTag();
    LetPendingEventsRun();
    m_sinceEvents.restart();
    m_firstTurn = false;
}

}  // namespace trackdeck::search
