#include "app/names/TagsFromNames.h"

#include "app/common/ActivePane.h"
#include "app/common/MarkedFiles.h"
#include "app/common/MessageService.h"
#include "app/common/StartBatchJournal.h"
#include "app/common/WindowHelpers.h"
#include "app/names/ParseFileName.h"
#include "app/names/PatternFields.h"
#include "app/tags/StoreTag.h"
#include "app/tags/UnstorableCharacter.h"

namespace trackdeck::names {

TagsFromNames::TagsFromNames(QWidget& focusHolder, AppState& state, browser::Panes& panes,
                             player::PlayerPanel& player, tags::TagArea& tagArea, QObject* parent)
    : QObject(parent),
      m_focusHolder(focusHolder),
      m_state(state),
      m_panes(panes),
      m_player(player),
      m_tagArea(tagArea) {}

TagsFromNames::~TagsFromNames() = default;

void TagsFromNames::Start() {
    m_focusHolder.setFocus();
    CountMarked(*ActiveList(m_panes.Lists(), m_state), m_state);
    if (m_state.SelectedWavCount != 0) {
        ShowMessage(QString::fromUtf8("WAV-Dateien können für diese Funktion nicht ausgewählt "
                                      "werden...   "),
                    MessageKind::Information);
        return;
    }
    if (m_state.SelectedMp3Count == 0) return;
    m_player.Stop(player::PlayerPanel::Wait::ForThread);
    // The preview fills the tag fields: an edit pending in them is written first.
    m_tagArea.SettlePendingTag();
    m_file = ActivePath(m_state) + FirstMarked(*ActiveList(m_panes.Lists(), m_state), "mp3");
    Open();
}

void TagsFromNames::Open() {
    m_window = std::make_unique<FileNameTAG>();
    FileNameTAG& w = *m_window;
    for (size_t i = 0; i < w.Checks.size(); ++i)
        connect(w.Checks[i], &QCheckBox::clicked, this,
                [this, i](bool checked) { CheckClicked(static_cast<int>(i), checked); });
    connect(w.Text1, &QLineEdit::textChanged, this, [this] {
        ShowPatternText();
        if (SingleFile()) Preview();
    });
    connect(w.Command1, &QPushButton::clicked, this, &TagsFromNames::Apply);
    connect(w.Command2, &QPushButton::clicked, this, &TagsFromNames::Cancel);
    connect(w.Command3, &QPushButton::clicked, this, &TagsFromNames::New);

    w.ErkennListe->clear();
    w.ErkennListe->addItems(DefaultPattern());
    w.Text2->setText(FieldArtist + DefaultSeparator + FieldTitle);
    w.Label2->setText(SingleFile()
                          ? QString::fromUtf8("ID3-TAG aus Dateiname übernehmen:")
                          : QString::fromUtf8("ID3-TAGs aus Dateinamen übernehmen: (z.B.)"));
    if (SingleFile()) Preview();
    // Setting the topmost flag hides a shown window: it comes before showing.
    CenterForm(w);
    MakeTopmost(w);
    w.show();
}

QStringList TagsFromNames::Pattern() const {
    QStringList pattern;
    for (int i = 0; i < m_window->ErkennListe->count(); ++i)
        pattern << m_window->ErkennListe->item(i)->text();
    return pattern;
}

bool TagsFromNames::SingleFile() const { return m_state.SelectedMp3Count < 2; }

void TagsFromNames::ShowPatternText() {
    m_window->Text2->setText(Pattern().join(m_window->Text1->text()));
}

void TagsFromNames::Preview() {
    m_tagArea.ShowFields(ParseFileName(m_file, m_window->Text1->text(), Pattern()));
}

void TagsFromNames::CheckClicked(int index, bool checked) {
    static const QString fields[] = {FieldArtist, FieldTitle, FieldAlbum, FieldNumber};
    // Unchecking leaves the entry; a full pattern takes no more.
    if (!checked || m_window->ErkennListe->count() >= MaxPatternEntries) return;
    m_window->ErkennListe->addItem(fields[index]);
    ShowPatternText();
    if (SingleFile()) Preview();
}

void TagsFromNames::New() {
    m_window->ErkennListe->clear();
    m_window->Text2->clear();
    for (QCheckBox* box : m_window->Checks) box->setChecked(false);
    m_window->Checks[0]->setFocus();
    const tags::TagAreaWidgets& fields = m_tagArea.Widgets();
    for (QLineEdit* field : {fields.Text5, fields.Text1, fields.Text2}) field->clear();
}

void TagsFromNames::Apply() {
    const QString folder = ActivePath(m_state);
    // A character the ID3v1 code page cannot hold is said before anything is written;
    // "Nein" leaves the window open.
    if (SingleFile()) {
        const TagFields fields = m_tagArea.Fields();
        if (!tags::AcceptUnstorableCharacters(fields)) return;
        tags::StoreTag(m_file, fields);
    } else {
        const QString separator = m_window->Text1->text();
        const QStringList pattern = Pattern();
        const QListWidget* list = ActiveList(m_panes.Lists(), m_state);
        std::vector<std::pair<QString, TagFields>> newTags;
        for (int row = 0; row < list->count(); ++row) {
            const QListWidgetItem* item = list->item(row);
            // The marks may have changed since the start: a tag never goes into a WAV file.
            if (!item->isSelected() || !EndsIn(item->text(), "mp3")) continue;
            const QString path = folder + item->text();
            newTags.emplace_back(path, ParseFileName(path, separator, pattern));
        }
        if (!tags::AcceptUnstorableCharacters(newTags)) return;
        std::vector<PlannedChange> plan;
        for (const auto& [path, fields] : newTags) plan.push_back({path, path});
        JournalWriter journal;
        if (!StartBatchJournal(journal, BatchKind::TagsFromNames, plan)) return;
        for (size_t i = 0; i < newTags.size(); ++i)
            if (tags::StoreTag(newTags[i].first, newTags[i].second) &&
                !journal.Changed(qsizetype(i)))
                break;
        journal.Finish();
    }
    CloseWindow();
}

void TagsFromNames::Cancel() {
    if (m_state.SelectedMp3Count == 1) {
        TagFields fields;
        (void)tags::LoadCleanTag(m_file, fields);
        m_tagArea.ShowFields(fields);
        m_state.CurrentFile = m_file;
    }
    CloseWindow();
}

void TagsFromNames::CloseWindow() {
    m_window->close();
    // Deleted later: this runs inside one of the window's own buttons.
    m_window.release()->deleteLater();
}

}  // namespace trackdeck::names
