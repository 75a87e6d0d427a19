#include "app/shell/Options.h"

#include "app/common/Settings.h"
#include "app/common/Twips.h"
#include "app/common/WindowHelpers.h"
#include "app/tags/TagCodePage.h"

namespace trackdeck {

namespace {

// The dialog's client area and frames, in twips.
constexpr int DialogWidth = 4560;
constexpr int DialogHeight = 4980;

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption, int top, int height) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(TwipsRect(120, top, DialogWidth - 240, height));
    return frame;
}

}  // namespace

Options::Options(AppState& state, QWidget* parent) : QWidget(parent, Qt::Dialog), m_state(state) {
    setObjectName("Options");
    setWindowTitle("Optionen");
    setFixedSize(Twips(DialogWidth), Twips(DialogHeight));

    using namespace settings;
    // "&&" is the escaped ampersand of frame and box captions: it shows as one "&".
    Frame1 = Frame(this, "Frame1", "Bestätigungen", 120, 1590);
    Check6 =
        FlagBox(Frame1, "Check6", "Kopieren bestätigen", 300, &AppState::ConfirmCopy, ConfirmCopy);
    Check3 = FlagBox(Frame1, "Check3", "Decodieren bestätigen", 600, &AppState::ConfirmDecode,
                     ConfirmDecode);
    Check2 =
        FlagBox(Frame1, "Check2", "Bewegen bestätigen", 900, &AppState::ConfirmMove, ConfirmMove);
    Check1 = FlagBox(Frame1, "Check1", "Löschen bestätigen", 1200, &AppState::ConfirmDelete,
                     ConfirmDelete);

    Frame2 = Frame(this, "Frame2", "Play-Optionen", 1800, 960);
    Check5 = FlagBox(Frame2, "Check5", "Verzeichnisse kontinuierlich abspielen", 300,
                     &AppState::DirPlay, DirPlay);
    Check4 = FlagBox(Frame2, "Check4", "Klick in Dateiliste spielt automatisch ab", 600,
                     &AppState::ClickPlay, ClickPlay);

    Frame3 = Frame(this, "Frame3", "Drag && Drop", 2850, 1230);
    Check8 = FlagBox(Frame3, "Check8", "Drag && Drop aktivieren", 300, &AppState::DragDropActive,
                     DragDropActive);
    Label1 = new QLabel("Aktion bei Drag & Drop:", Frame3);
    Label1->setObjectName("Label1");
    Label1->setGeometry(TwipsRect(150, 630, 2400, 255));
    Option1 = new QRadioButton("Kopieren", Frame3);
    Option1->setObjectName("Option1");
    Option1->setGeometry(TwipsRect(150, 870, 1200, 255));
    Option2 = new QRadioButton("Umbewegen", Frame3);
    Option2->setObjectName("Option2");
    Option2->setGeometry(TwipsRect(1500, 870, 1500, 255));
    connect(Option1, &QRadioButton::clicked, this, [this] { ChooseAction(1); });
    connect(Option2, &QRadioButton::clicked, this, [this] { ChooseAction(2); });

    Frame4 = Frame(this, "Frame4", "ID3v1-Zeichentabelle", 4170, 690);
    Combo1 = new QComboBox(Frame4);
    Combo1->setObjectName("Combo1");
    Combo1->setGeometry(TwipsRect(150, 300, DialogWidth - 540, 300));
    for (tags::CodePage page : tags::AllCodePages)
        Combo1->addItem(tags::CodePageCaption(page), tags::CodePageSetting(page));
    connect(Combo1, &QComboBox::activated, this, &Options::ChooseTagCodePage);
}

QCheckBox* Options::FlagBox(QGroupBox* frame, const char* name, const QString& caption, int top,
                            bool AppState::*flag, const settings::Key& key) {
    auto* box = new QCheckBox(caption, frame);
    box->setObjectName(name);
    box->setGeometry(TwipsRect(150, top, DialogWidth - 540, 255));
    connect(box, &QCheckBox::clicked, this, [this, flag, key](bool checked) {
        WriteSetting(key.Section, key.Name, checked ? "1" : "0", m_state.SettingsFile);
        m_state.*flag = checked;
    });
    return box;
}

void Options::ChooseAction(int16_t action) {
    WriteSetting(settings::DragDropAction.Section, settings::DragDropAction.Name,
                 QString::number(action), m_state.SettingsFile);
    m_state.DragDropAction = action;
}

void Options::ChooseTagCodePage(int index) {
    const QString value = Combo1->itemData(index).toString();
    WriteSetting(settings::Id3v1CodePage.Section, settings::Id3v1CodePage.Name, value,
                 m_state.SettingsFile);
    tags::UseTagCodePage(tags::CodePageFromSetting(value));
    if (m_tagCodePageChanged) m_tagCodePageChanged();
}

void Options::Load() {
    CenterForm(*this);
    MakeTopmost(*this);
    Check6->setChecked(m_state.ConfirmCopy);
    Check3->setChecked(m_state.ConfirmDecode);
    Check2->setChecked(m_state.ConfirmMove);
    Check1->setChecked(m_state.ConfirmDelete);
    Check5->setChecked(m_state.DirPlay);
    Check4->setChecked(m_state.ClickPlay);
    Check8->setChecked(m_state.DragDropActive);
    (m_state.DragDropAction == 2 ? Option2 : Option1)->setChecked(true);
    Combo1->setCurrentIndex(Combo1->findData(tags::CodePageSetting(tags::TagCodePage())));
    show();
    raise();
}

}  // namespace trackdeck
