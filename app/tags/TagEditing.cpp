#include "app/tags/TagEditing.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "app/common/FitNamesToTarget.h"
#include "app/common/MessageService.h"
#include "app/common/RenameNoReplace.h"
#include "app/common/Twips.h"
#include "app/tags/TagMessages.h"

namespace trackdeck::tags {

namespace {

constexpr int HintBelowButton = 45;  // twips between a button's top and its hint's
constexpr int HintGap = 30;          // twips between a hint and the buttons
constexpr int HintTextMargin = 10;   // pixels of frame and padding around a hint's text

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// A key that types a character, as a text box's key-press event sees it: Backspace
// and Enter count, keys that type nothing (arrows, Delete) or move the focus do not.
bool TypesCharacter(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            return !key.text().isEmpty();
    }
}

// The name field refuses what cannot stand in a file name, and the extension's dot.
bool NameFieldRefuses(char16_t code) {
    switch (code) {
        case 8:
        case ' ':
        case '!':
        case '&':
        case '\'':
        case '+':
        case '-':
            return false;
        default:
            break;
    }
    return code < 48 || (code >= 58 && code <= 62) || (code >= 91 && code <= 94);
}

}  // namespace

TagEditing::TagEditing(TagEditingWidgets widgets, TagArea& area, AppState& state,
                       TagEditingHooks hooks, QObject* parent)
    : QObject(parent), m_widgets(widgets), m_area(area), m_state(state), m_hooks(std::move(hooks)) {
    const TagAreaWidgets& fields = area.Widgets();
    for (QLineEdit* field :
         {fields.Text5, fields.Text1, fields.Text2, fields.Text6, fields.Text8}) {
        field->installEventFilter(this);
        // Deleting or pasting changes the tag as much as typing does.
        connect(field, &QLineEdit::textEdited, this, [this] { MarkModified(); });
    }
    fields.Text6->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), fields.Text6));
    widgets.Text12->installEventFilter(this);
    connect(widgets.Text12, &QLineEdit::textChanged, this, &TagEditing::FileNameChanged);
    connect(fields.Command2, &QPushButton::clicked, this, &TagEditing::CommitClicked);
    connect(widgets.Command11, &QPushButton::clicked, this, &TagEditing::RenameClicked);
    for (int i = 0; i < static_cast<int>(widgets.Command4.size()); ++i) {
        QPushButton* button = widgets.Command4[static_cast<size_t>(i)];
        // Taking the focus would take the name field's selection with it.
        button->setFocusPolicy(Qt::NoFocus);
        button->setMouseTracking(true);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, i] { InsertClicked(i); });
    }
    // Moving over these fields hides the hints again.
    fields.Text4->installEventFilter(this);
    for (QLineEdit* field : {fields.Text1, fields.Text2, fields.Text5, fields.Text4})
        field->setMouseTracking(true);
}

void TagEditing::MarkModified() {
    m_state.TagModified = true;
    m_area.ShowCommitButton();
}

bool TagEditing::Commit() {
    m_hooks.ReleasePlayedFile();
    if (!m_area.WritePendingTag()) {
        MarkModified();  // still pending: the next commit or move on tries again
        return false;
    }
    m_state.TagModified = false;
    m_area.ShowIdle();
    return true;
}

void TagEditing::CommitClicked() {
    m_widgets.Command1->setFocus();
    (void)Commit();
}

bool TagEditing::TagFieldKey(QLineEdit& field, const QKeyEvent& key) {
    if (!TypesCharacter(key)) return false;
    MarkModified();
    if (IsEnter(key)) {
        if (Commit()) {
            const TagAreaWidgets& fields = m_area.Widgets();
            QWidget* next = &field == fields.Text5   ? fields.Text1
                            : &field == fields.Text1 ? fields.Text2
                            : &field == fields.Text2 ? fields.Text6
                                                     : m_widgets.Command1;
            next->setFocus();
        }
        return true;
    }
    if (&field != m_area.Widgets().Text6 || key.key() == Qt::Key_Backspace) return false;
    const QString text = key.text();
    return !(text.size() == 1 && text[0] >= '0' && text[0] <= '9');
}

bool TagEditing::FileNameKey(const QKeyEvent& key) {
    if (IsEnter(key)) {
        RenameClicked();
        return true;
    }
    if (!TypesCharacter(key)) return false;
    return NameFieldRefuses(key.text()[0].unicode());
}

void TagEditing::FileNameChanged(const QString& text) {
    if (text.size() < 2) {
        if (!text.isEmpty()) m_widgets.Text12->clear();
        return;
    }
    m_widgets.Command11->show();
    m_area.Widgets().Image10->hide();
}

void TagEditing::RenameClicked() {
    const int pane = ActivePane(m_state);
    // The file renamed is the one whose name the field shows (the file in the area),
    // whatever the list's current entry has become meanwhile; only to a name in its
    // own folder.
    const QString from = m_area.File();
    const QString name = m_widgets.Text12->text();
    if (!from.isEmpty() && !name.isEmpty() && !name.contains('/')) {
        const QString folder = from.left(from.lastIndexOf('/') + 1);
        // A name the drive refuses is fitted or left alone, as the user says.
        const std::optional<QStringList> fitted = NamesForTarget({name + ".mp3"}, folder);
        const QString to = fitted && !fitted->front().isEmpty() ? folder + fitted->front() : from;
        if (from != to) {
            m_hooks.ReleasePlayedFile();
            // A pending edit belongs to the file under its old name: written first.
            if (m_state.TagModified) (void)m_area.WritePendingTag();
            m_state.TagModified = false;
            QFile::setPermissions(from, QFile::permissions(from) | QFile::WriteOwner);
            // A name that exists leaves both files alone.
            const RenameOutcome renamed = RenameNoReplace(from, to);
            if (renamed.Value != RenameResult::Renamed)
                ShowMessage(RenameFailureText(QFileInfo(from).fileName(), name + ".mp3", renamed.Error),
                            MessageKind::Exclamation);
        }
    }
    m_hooks.RefreshPane(pane);
    m_widgets.Command11->hide();
    // The area is empty now: no name of a file stays in the field.
    m_widgets.Text12->clear();
    m_area.Reset();
}

void TagEditing::HideInsertButtons() {
    m_widgets.Picture3->show();
    for (QPushButton* button : m_widgets.Command4) button->hide();
}

void TagEditing::CloseInsertButtons() {
    HideInsertButtons();
    m_widgets.Text13->hide();
    m_widgets.Text14->hide();
}

void TagEditing::InsertClicked(int index) {
    CloseInsertButtons();
    if (index < 3) {
        if (m_widgets.Text12->hasSelectedText()) {
            const TagAreaWidgets& fields = m_area.Widgets();
            QLineEdit* target = index == 0   ? fields.Text5
                                : index == 1 ? fields.Text1
                                             : fields.Text2;
            target->setText(m_widgets.Text12->selectedText());
            m_area.ShowCommitButton();
        } else {
            ShowMessage(NothingSelectedInName, MessageKind::Information);
        }
    } else {
        m_area.ShowIdle();
    }
    m_widgets.Text12->setFocus();
}

void TagEditing::ShowHint(int index) {
    QLineEdit* hint = index == 3 ? m_widgets.Text14 : m_widgets.Text13;
    const QPushButton* button = m_widgets.Command4[static_cast<size_t>(index)];
    // Wide enough for its text, ending just left of the buttons.
    const int width = std::max(
        hint->width(), hint->fontMetrics().horizontalAdvance(hint->text()) + HintTextMargin);
    hint->setGeometry(button->x() - Twips(HintGap) - width, button->y() + Twips(HintBelowButton),
                      width, hint->height());
    hint->setCursorPosition(0);
    hint->show();
    hint->raise();
}

bool TagEditing::eventFilter(QObject* watched, QEvent* event) {
    const TagAreaWidgets& fields = m_area.Widgets();
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (watched == m_widgets.Text12) return FileNameKey(key);
            for (QLineEdit* field :
                 {fields.Text5, fields.Text1, fields.Text2, fields.Text6, fields.Text8}) {
                if (watched == field) return TagFieldKey(*field, key);
            }
            break;
        }
        case QEvent::MouseButtonPress:
            if (watched == m_widgets.Text12 && m_widgets.Text12->text().size() >= 2) {
                m_widgets.Picture3->hide();
                for (QPushButton* button : m_widgets.Command4) button->show();
            }
            break;
        case QEvent::MouseMove:
            for (size_t i = 0; i < m_widgets.Command4.size(); ++i) {
                if (watched != m_widgets.Command4[i]) continue;
                ShowHint(static_cast<int>(i));
                // A button ignores a move without a pressed button; the window
                // background below it would hide the hint again.
                return !static_cast<QMouseEvent*>(event)->buttons();
            }
            for (QLineEdit* field : {fields.Text1, fields.Text2, fields.Text5, fields.Text4}) {
                if (watched == field) {
                    m_widgets.Text13->hide();
                    m_widgets.Text14->hide();
                }
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace trackdeck::tags
