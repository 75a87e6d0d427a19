#include "app/search/Such.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "app/common/Looks.h"
#include "app/common/Place.h"
#include "app/common/Settings.h"
#include "app/common/Twips.h"
#include "app/common/WindowHelpers.h"
#include "app/search/FileSearch.h"

namespace trackdeck::search {

namespace {

// The width of the controls that span the window, in twips.
constexpr int FullWidth = Such::FormWidth - Such::FrameWidth - 240;

}  // namespace

Such::Such(ResultTarget target, AppState& state)
    : QWidget(nullptr, Qt::Window), m_target(target), m_state(state) {
    setObjectName("Such");
    CreateTermAndFolder();
    CreateOptions();
    CreateResults();
    ApplyLooks(*this);
    m_search = new FileSearch(*this, state);
    connect(Command1, &QPushButton::clicked, m_search, &FileSearch::Search);
    connect(lstFoundFiles, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* item) { ResultChosen(item); });
    lstFoundFiles->installEventFilter(this);
    connect(Text1, &QLineEdit::returnPressed, m_search, &FileSearch::Search);
}

Such::~Such() = default;

void Such::CreateTermAndFolder() {
    Label1 = Place<QLabel>(this, "Label1", "Suchbegriff:", 120, 120, 1500, 255);
    Text1 = Place<QLineEdit>(this, "Text1", 120, 375, 3900, 330);
    Command1 = Place<QPushButton>(this, "Command1", 4140, 360, FullWidth - 4020, 360);
    Command1->setText("Suchen");
    Label2 = Place<QLabel>(this, "Label2", "aktuelles Verzeichnis: ", 120, 840, FullWidth, 255);
    Label3 = Place<QLabel>(this, "Label3", "", 120, 1080, FullWidth, 255);
    // Hidden helpers of the walk and of the comparison.
    dirList = new WalkList(WalkList::Shows::SubFolders, this);
    dirList->setObjectName("dirList");
    filList = new WalkList(WalkList::Shows::Mp3Files, this);
    filList->setObjectName("filList");
    Text2 = Place<QLineEdit>(this, "Text2", 0, 0, 1500, 300);
    Text3 = Place<QLineEdit>(this, "Text3", 0, 0, 1500, 300);
    Text2->hide();
    Text3->hide();
}

void Such::CreateOptions() {
    Frame1 = new QGroupBox("Optionen", this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(TwipsRect(120, 1410, FullWidth, 1290));
    using namespace settings;
    Check1 =
        OptionBox("Check1", "Dateinamen suchen", 330, &AppState::SearchFileNames, SearchFileNames);
    Check2 = OptionBox("Check2", "ID3-TAGs suchen", 630, &AppState::SearchTags, SearchTags);
    Check3 = OptionBox("Check3", "mit Unterverzeichnissen", 930, &AppState::SearchSubDirs,
                       SearchSubDirs);
}

void Such::CreateResults() {
    Label4 = Place<QLabel>(this, "Label4", "Suchergebnis:", 120, 2880, 2000, 255);
    const int clientHeight = ResultsHeight - FrameHeight;
    lstFoundFiles =
        Place<QListWidget>(this, "lstFoundFiles", 120, 3135, FullWidth, clientHeight - 3135 - 120);
    lstFoundFiles->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QCheckBox* Such::OptionBox(const char* name, const QString& caption, int top, bool AppState::*flag,
                           const settings::Key& key) {
    auto* box = new QCheckBox(caption, Frame1);
    box->setObjectName(name);
    box->setGeometry(TwipsRect(150, top, FullWidth - 300, 255));
    connect(box, &QCheckBox::clicked, this, [this, flag, key](bool checked) {
        WriteSetting(key.Section, key.Name, checked ? "1" : "0", m_state.SettingsFile);
        m_state.*flag = checked;
        Text1->setFocus();
    });
    return box;
}

void Such::Load() {
    setWindowTitle("MP3-Dateien suchen");
    setFixedWidth(Twips(FormWidth - FrameWidth));
    resize(Twips(FormWidth - FrameWidth), Twips(FormHeight - FrameHeight));
    // A loaded window starts afresh, as the form always has.
    Text1->clear();
    lstFoundFiles->clear();
    CenterForm(*this);
    MakeTopmost(*this);
    Check3->setChecked(m_state.SearchSubDirs);
    Check1->setChecked(m_state.SearchFileNames);
    Check2->setChecked(m_state.SearchTags);
}

void Such::Open(const QString& folder) {
    if (!isVisible()) Load();
    ShowFolder(folder);
    show();
    raise();
    activateWindow();
    Text1->setFocus();
}

void Such::ShowFolder(const QString& folder) {
    Label3->setText(folder);
    Label3->setToolTip(folder);
    dirList->SetPath(folder);
    filList->SetPath(dirList->Path());
}

void Such::ResultChosen(const QListWidgetItem* item) {
    if (item != nullptr) ShowFoundFile(m_target, *this, m_state, item->text());
}

void Such::closeEvent(QCloseEvent* event) {
    m_search->Cancel();
    event->accept();
}

void Such::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_search->Running()) {
        m_search->Cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Such::eventFilter(QObject* watched, QEvent* event) {
    // Return on a result chooses it as a click does.
    if (watched == lstFoundFiles && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ResultChosen(lstFoundFiles->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trackdeck::search
