#include "app/shell/ApplySettings.h"

#include <cmath>

#include "app/common/PathHelpers.h"
#include "app/common/Settings.h"
#include "app/common/SettingsKeys.h"
#include "app/common/Twips.h"
#include "app/shell/frmDeck.h"
#include "host/AurionMembers.h"

namespace trackdeck {

namespace {

QString Setting(const AppState& state, const settings::Key& key) {
    return GetSetting(key.Section, key.Name, "", state.SettingsFile);
}

// A stored folder that is missing or gone gives way to the pane's default.
QString PaneFolder(const AppState& state, const settings::Key& key, const QString& fallback) {
    const QString folder = Setting(state, key);
    return (folder.isEmpty() || !DirExists(folder)) ? fallback : folder;
}

}  // namespace

int VolumePercent(int knobTop, int trackTop, int trackHeight) {
    return static_cast<int>(std::floor(122.0 - trackHeight / 100.0 - (knobTop - trackTop) / 22.5));
}

void ApplySettings(frmDeck& form, AppState& state) {
    browser::Panes& panes = form.PaneSet();
    panes.OpenFolder(1, PaneFolder(state, settings::LastDirA, state.ProgramFolder));
    panes.OpenFolder(2, PaneFolder(state, settings::LastDirB, "/"));

    state.ActivePane = OneOrTwo(Setting(state, settings::LastOrdner));
    panes.ShowActivePane(state.ActivePane);
    (state.ActivePane == 2 ? form.List2 : form.List1)->setFocus();

    ReadFlagSettings(state);

    const int knobTop = LeadingNumber(GetSetting(settings::Volume.Section, settings::Volume.Name,
                                                 settings::DefaultVolume, state.SettingsFile));
    form.Picture8Top = knobTop;
    form.Picture8->move(form.Picture8->x(), Twips(knobTop));
    const int percent =
        VolumePercent(knobTop, ToTwips(form.Label13->y()), ToTwips(form.Label13->height()));
    form.Text10->move(form.Text10->x(), Twips(knobTop));
    form.Text10->setText(QString::number(percent));
    (void)form.Aurion1->Caller().Call(aurion::host::members::SetVolumeP,
                                      {platform::Variant(static_cast<int16_t>(percent)),
                                       platform::Variant(static_cast<int16_t>(percent))});
    form.Picture8->show();
}

}  // namespace trackdeck
