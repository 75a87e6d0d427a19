// The search of the search window ("Suchen"): the MP3 files of the active pane's
// folder (and its sub-folders) whose name or tag holds the term, listed as they
// are found. A large tree takes a while, so window events keep running during
// the walk: the window stays alive and Escape or closing it stops the search,
// keeping the results found so far.
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include "app/common/AppState.h"
#include "app/search/MatchFile.h"

namespace trackdeck::search {

class Such;

class FileSearch : public QObject {
public:
    FileSearch(Such& window, AppState& state);

    // The click on "Suchen". Returns when the search has ended or was stopped.
    void Search();
    // Stops a running search after the file being compared.
    void Cancel() { m_cancelled = true; }
    [[nodiscard]] bool Running() const { return m_running; }

private:
    bool Compare(const QString& path);
    // The fields show the last tag compared whenever window events run: laying
    // out text for every file would cost more than reading the files.
    void ShowComparedTag();
    void KeepWindowAlive();

    Such& m_window;
    AppState& m_state;
    MatchOptions m_options;
    QString m_term;
    QString m_artist;
    QString m_title;
    QElapsedTimer m_sinceEvents;
    bool m_firstTurn = true;
    bool m_running = false;
    bool m_cancelled = false;
};

}  // namespace trackdeck::search
