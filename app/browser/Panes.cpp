#include "app/browser/Panes.h"

#include <QSignalBlocker>

#include "app/browser/Drives.h"
#include "app/common/PathHelpers.h"
#include "app/common/SameFolder.h"

namespace trackdeck::browser {

namespace {

void SetTextColour(QListWidget& list, const QColor& colour) {
    QPalette palette = list.palette();
    palette.setColor(QPalette::Text, colour);
    list.setPalette(palette);
}

}  // namespace

Panes::Panes(AppState& state, PaneWidgets left, PaneWidgets right)
    : m_state(state), m_left(left), m_right(right) {
    // Entries are one line of text each: laying out thousands needs no measuring of each.
    for (const PaneWidgets& widgets : {m_left, m_right}) widgets.List->setUniformItemSizes(true);
}

void Panes::OpenFolder(int pane, const QString& folder) {
    const PaneWidgets& widgets = Pane(pane);
    const QString drive = DriveOf(folder, Drives());
    widgets.Drive->SetDrive(drive);
    widgets.Dir->SetPath(drive, folder);
    widgets.File->SetPath(widgets.Dir->Path());
    PanePath(m_state, pane) = AddBackslash(widgets.File->Path());
    RefreshPane(pane);
}

void Panes::FillList(const PaneWidgets& widgets, const QString& path) {
    widgets.File->Refresh();
    // Re-reading is not a click: the emptied selection must not load anything.
    const QSignalBlocker quiet(widgets.List);
    widgets.List->clear();
    QStringList entries;
    entries.reserve(widgets.File->count());
    for (int i = 0; i < widgets.File->count(); ++i) {
        const QString name = widgets.File->item(i)->text();
        // A name whose long form cannot be had is listed as the folder lists it.
        const std::optional<QString> longName = LongName(path + name);
        entries.append(longName ? FileNameOf(*longName) : name);
    }
    widgets.List->addItems(entries);
}

void Panes::RefreshPane(int pane) {
    const QString& path = PanePath(m_state, pane);
    FillList(Pane(pane), path);
    const QString& other = PanePath(m_state, OtherPane(pane));
    if (SameFolder(path, other)) FillList(Pane(OtherPane(pane)), other);
}

void Panes::ShowActivePane(int pane) {
    SetTextColour(*Pane(pane).List, m_state.ActiveListColor);
    SetTextColour(*Pane(OtherPane(pane)).List, m_state.InactiveListColor);
}

}  // namespace trackdeck::browser
