#include "app/tags/TagArea.h"

#include <QSignalBlocker>
#include <algorithm>

#include "app/common/MessageService.h"
#include "app/tags/OtherTagHint.h"
#include "app/tags/StoreTag.h"
#include "app/tags/TagMessages.h"
#include "app/tags/UnstorableCharacter.h"

namespace trackdeck::tags {

TagArea::TagArea(TagAreaWidgets widgets, AppState& state) : m_widgets(widgets), m_state(state) {}

void TagArea::ShowTag(const QString& path) {
    TagFields fields;
    const bool tagged = LoadCleanTag(path, fields);
    ShowOtherTagHint(*m_widgets.LabelID3v2, path, fields);
    if (!tagged) return;
    const TagAreaWidgets& w = m_widgets;
    for (QLineEdit* field : {w.Text5, w.Text1, w.Text2, w.Text6, w.Text9}) field->setEnabled(true);
    ShowFields(fields);
}

void TagArea::ShowFields(const TagFields& fields) {
    m_widgets.Text5->setText(fields.Artist);
    m_widgets.Text1->setText(fields.Title);
    m_widgets.Text2->setText(fields.Album);
    m_widgets.Text6->setText(fields.Year.size() < 2 ? QString() : fields.Year);
    m_widgets.Text8->setText(fields.Comment);
}

TagFields TagArea::Fields() const {
    const TagAreaWidgets& w = m_widgets;
    return {w.Text5->text(), w.Text1->text(), w.Text2->text(), w.Text8->text(), w.Text6->text()};
}

void TagArea::ClearFields() {
    const TagAreaWidgets& w = m_widgets;
    for (QLineEdit* field :
         {w.Text1, w.Text2, w.Text3, w.Text4, w.Text5, w.Text6, w.Text8, w.Text9})
        field->clear();
    w.LabelID3v2->hide();
}

void TagArea::ShowFile(const QString& path) {
    m_widgets.Text7->setText(path);
    const QString name = path.mid(path.lastIndexOf('/') + 1);
    // Showing a name is no edit: the rename button stays hidden, a short name stays.
    const QSignalBlocker quiet(m_widgets.Text12);
    m_widgets.Text12->setText(name.left(std::max<qsizetype>(0, name.size() - 4)));
    m_widgets.Command11->hide();
}

QString TagArea::File() const { return m_widgets.Text7->text(); }

void TagArea::ShowIdle() {
    m_widgets.Label12->show();
    m_widgets.Image10->show();
    m_widgets.Command2->setEnabled(false);
    m_widgets.Command2->hide();
}

void TagArea::ShowCommitButton() {
    m_widgets.Label12->hide();
    m_widgets.Image10->hide();
    m_widgets.Command2->show();
    m_widgets.Command2->setEnabled(true);
}

void TagArea::Reset() {
    ShowIdle();
    ClearFields();
    ShowFile({});
    m_state.CurrentFile.clear();
}

bool TagArea::WritePendingTag() {
    const QString path = File();
    if (path.isEmpty()) return true;
    const TagFields fields = Fields();
    if (!AcceptUnstorableCharacters(fields)) return false;
    if (StoreTag(path, fields)) {
        ShowOtherTagHint(*m_widgets.LabelID3v2, path, fields);
        return true;
    }
    ShowMessage(TagNotWritten(path), MessageKind::Exclamation);
    return false;
}

void TagArea::SettlePendingTag() {
    if (m_state.TagModified) (void)WritePendingTag();
    m_state.TagModified = false;
    ShowIdle();
}

}  // namespace trackdeck::tags
