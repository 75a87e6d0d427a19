#include "app/shell/frmDeck.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QShortcut>

#include "app/batch/BatchDecoder.h"
#include "app/common/ActivePane.h"
#include "app/common/Place.h"
#include "app/common/Twips.h"
#include "app/common/WindowHelpers.h"
#include "app/files/NewOrdner.h"
#include "app/names/NamesFromTags.h"
#include "app/names/TagsFromNames.h"
#include "app/pathlist/PathList.h"
#include "app/pathlist/VerzListe.h"
#include "app/player/Pictures.h"
#include "app/search/Such.h"
#include "app/shell/ApplySettings.h"
#include "app/shell/Options.h"
#include "app/shell/Shutdown.h"
#include "app/tags/TagArea.h"
#include "app/tags/TagEditing.h"

namespace trackdeck {

namespace {

// A caption above its field. Its box reaches into the field below it, so the text
// keeps to the box's top.
QLabel* Caption(QWidget* parent, const char* name, const QString& text, int left, int top,
                int width, int height = 255) {
    auto* caption = Place<QLabel>(parent, name, text, left, top, width, height);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return caption;
}

QLineEdit* Field(QWidget* parent, const char* name, int left, int top, int width,
                 const QString& sample = {}, int height = 300) {
    return Place<QLineEdit>(parent, name, sample, left, top, width, height);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, int left, int top,
                    int width, int height = 285) {
    return Place<QPushButton>(parent, name, text, left, top, width, height);
}

ClickableLabel* PictureButton(QWidget* parent, const char* name, pictures::Button kind,
                              const char* tip, int left, int top, int width, int height = 480) {
    auto* button = Place<ClickableLabel>(parent, name, left, top, width, height);
    button->setPixmap(pictures::ButtonPicture(kind, false, button->size()));
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(QString::fromUtf8(tip));
    return button;
}

// The key is shown in German whatever translations the machine has.
const char* const UndoText = "Letzte Stapelaktion rückgängig\tStrg+Z";

QAction* MenuItem(QMenu& menu, const char* name, const char* text) {
    QAction* action = menu.addAction(QString::fromUtf8(text));
    action->setObjectName(name);
    return action;
}

// Holds a released or pressed picture for its button, never shown.
QLabel* HiddenPicture(QWidget* parent, const char* name, pictures::Button kind, bool pressed) {
    auto* image = Place<QLabel>(parent, name, 0, 0, 480, 480);
    image->setPixmap(pictures::ButtonPicture(kind, pressed, image->size()));
    image->hide();
    return image;
}

}  // namespace

frmDeck::frmDeck(AppState& state, QWidget* parent) : QMainWindow(parent), m_state(state) {
    setObjectName("frmDeck");
    // A window of fixed size offers no maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    setCentralWidget(client);
    CreatePaneA();
    CreatePaneB();
    CreateTagArea();
    CreatePlayerPanel();
    CreateButtons();
    CreateMenus();
    FitNarrowFields();
    CreateParts();
    connect(Label12, &ClickableLabel::clicked, this, &frmDeck::ShowOptions);
    ConnectFileOperations();
    ConnectBatchUndo();
    ConnectSearchAndPathList();
    ConnectTagTools();
}

// Each part gets the widgets it works on and the parts below it.
void frmDeck::CreateParts() {
    m_panes =
        std::make_unique<browser::Panes>(m_state, browser::PaneWidgets{Drive1, Dir1, File1, List1},
                                         browser::PaneWidgets{Drive2, Dir2, File2, List2});
    m_tagArea = std::make_unique<tags::TagArea>(
        tags::TagAreaWidgets{Text5, Text1, Text2, Text6, Text8, Text7, Text12, Command11, Text3,
                             Text4, Text9, Label12, Image10, Command2, LabelID3v2},
        m_state);
    m_player = new player::PlayerPanel(
        player::PlayerWidgets{this, Text9, Text4, Text3, Image1, Image7, Image6, Image10, Picture5,
                              Label14, Picture6, Text11, Picture7, Label13, Picture8, Text10,
                              Shape1, Timer1, Aurion1},
        m_panes->Lists(), *m_tagArea, m_state, [this](int pane) { m_panes->RefreshPane(pane); },
        this);
    m_tagEditing = new tags::TagEditing(
        tags::TagEditingWidgets{Text12, Command11, Command4, Text13, Text14, Picture3, Command1},
        *m_tagArea, m_state,
        tags::TagEditingHooks{[this] { m_player->Stop(player::PlayerPanel::Wait::ForThread); },
                              [this](int pane) { m_panes->RefreshPane(pane); }},
        this);
    m_paneEvents = new browser::PaneEvents(
        browser::PaneEventWidgets{centralWidget(), Text13, Text14, Menu, Verzeichnis, mnuRename,
                                  mnuDelete},
        *m_panes, *m_player, *m_tagArea, *m_tagEditing, m_state, [this] { ShowSearchFolder(); },
        this);
    m_fileOperations =
        new files::FileOperations(*Command1, m_state, *m_panes, *m_player, *m_tagArea, this);
    m_batchUndo = new files::BatchUndo(m_state, *m_panes, *m_player, *m_tagArea, this);
    m_dragDrop = new browser::DragDrop(m_panes->Lists(), m_state,
                                       browser::DropActions{[this] { m_fileOperations->Copy(); },
                                                            [this] { m_fileOperations->Move(); }},
                                       this);
    m_tagsFromNames =
        new names::TagsFromNames(*Command1, m_state, *m_panes, *m_player, *m_tagArea, this);
    m_namesFromTags =
        new names::NamesFromTags(*this, *Command1, m_state, *m_panes, *m_player, *m_tagArea, this);
    m_decoder = new batch::BatchDecoder(batch::BatchWidgets{this, Command1, Aurion1}, m_state,
                                        *m_panes, *m_player, *m_tagArea, this);
}

frmDeck::~frmDeck() {
    // Their event filters watch the panes' widgets, which must not outlive them.
    delete m_dragDrop;
    delete m_fileOperations;
    delete m_tagEditing;
    delete m_paneEvents;
    delete m_player;
}

void frmDeck::CreatePaneA() {
    QWidget* c = centralWidget();
    Label3 = Caption(c, "Label3", "Ordner A:", 90, 480, 1095);
    Drive1 = Place<browser::DriveBox>(c, "Drive1", 90, 675, 2415, 315);
    Dir1 = Place<browser::FolderTree>(c, "Dir1", 90, 1155, 2415, 2505);
    File1 = Place<browser::FileList>(c, "File1", 90, 3735, 4635, 5520);
    List1 = Place<QListWidget>(c, "List1", 90, 3735, 4635, 5520);
    List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void frmDeck::CreatePaneB() {
    QWidget* c = centralWidget();
    Label4 = Caption(c, "Label4", "Ordner B:", 6810, 480, 1020);
    Drive2 = Place<browser::DriveBox>(c, "Drive2", 6810, 675, 2655, 315);
    Dir2 = Place<browser::FolderTree>(c, "Dir2", 6810, 1155, 2655, 2505);
    File2 = Place<browser::FileList>(c, "File2", 4770, 3735, 4695, 5520);
    List2 = Place<QListWidget>(c, "List2", 4770, 3735, 4695, 5520);
    List2->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void frmDeck::CreateTagArea() {
    QWidget* c = centralWidget();
    Label5 = Caption(c, "Label5", "Interpret:", 2970, 480, 1095);
    Text5 = Field(c, "Text5", 2970, 690, 3375);
    Label1 = Caption(c, "Label1", "Titel:", 2970, 1020, 1095);
    Text1 = Field(c, "Text1", 2970, 1215, 3375);
    Label2 = Caption(c, "Label2", "Album:", 2970, 1545, 1095);
    Text2 = Field(c, "Text2", 2970, 1755, 3375);
    Label8 = Caption(c, "Label8", "Jahr:", 2970, 2085, 570);
    Text6 = Field(c, "Text6", 2970, 2310, 570, "2001");
    for (QLineEdit* field : {Text5, Text1, Text2, Text6}) field->setMaxLength(30);
    Text6->setMaxLength(4);

    // The band above the panes: the file-name field with its rename button and the comment.
    Text12 = Field(c, "Text12", 90, 90, 4635, "01 - Interpret - Titel");
    Text12->setPlaceholderText("Dateiname");
    Command11 = Button(c, "Command11", "Dateiname übernehmen", 2970, 90, 1755, 300);
    Command11->hide();
    Text8 = Field(c, "Text8", 4770, 90, 4695);
    Text8->setMaxLength(30);
    Text8->setPlaceholderText("Kommentar");
    Text7 = Field(c, "Text7", 0, 0, 3375);
    Text7->hide();

    // Beside the artist's caption: the file's ID3v2 tag, which other players show,
    // says something else.
    LabelID3v2 = Caption(c, "LabelID3v2", "ID3v2 weicht ab", 4545, 480, 1800);
    LabelID3v2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelID3v2->setStyleSheet("QLabel { color: #f0a030; font-size: 8pt; }");
    LabelID3v2->setCursor(Qt::WhatsThisCursor);
    LabelID3v2->hide();

    // The commit button shares its place with the "OPTIONEN" label.
    Label12 = Place<ClickableLabel>(c, "Label12", 4590, 2925, 1245, 285);
    Label12->setText("OPTIONEN");
    Label12->setAlignment(Qt::AlignCenter);
    Label12->setCursor(Qt::PointingHandCursor);
    Label12->setToolTip("Optionen");
    Command2 = Button(c, "Command2", "TAG Übernehmen", 4560, 2895, 1305, 345);
    Command2->hide();
    Command2->setEnabled(false);

    // The insert buttons beside artist, title and album, and their close button.
    const std::array<int, 4> tops{690, 1215, 1755, 2310};
    const std::array<const char*, 4> names{"Command4(0)", "Command4(1)", "Command4(2)",
                                           "Command4(3)"};
    for (size_t i = 0; i < Command4.size(); ++i) {
        Command4[i] = Button(c, names[i], i == 3 ? "X" : "<", 6405, tops[i], 345, 300);
        Command4[i]->hide();
    }
    Text13 = Field(c, "Text13", 4440, 0, 1935, "Auswahl in TAG einfügen", 285);
    Text14 = Field(c, "Text14", 4440, 0, 1935, "Abbrechen", 285);
    for (QLineEdit* hint : {Text13, Text14}) {
        hint->setReadOnly(true);
        hint->hide();
    }
    // Only takes the focus: it lies outside the visible part of the window.
    Command1 = Button(c, "Command1", "", -2000, -2000, 300, 300);
}

void frmDeck::CreatePlayerPanel() {
    QWidget* c = centralWidget();
    Label11 = Caption(c, "Label11", "Bitrate:", 3615, 2100, 975);
    Text9 = Field(c, "Text9", 3615, 2310, 975, "128 kbps");
    Label10 = Caption(c, "Label10", "Aktuell:", 4680, 2100, 735);
    Text4 = Field(c, "Text4", 4680, 2310, 735, "00:00");
    Label9 = Caption(c, "Label9", "Total:", 5610, 2100, 735);
    Text3 = Field(c, "Text3", 5610, 2310, 735, "00:00");
    for (QLineEdit* field : {Text9, Text4, Text3}) field->setReadOnly(true);

    using pictures::Button;
    Image1 = PictureButton(c, "Image1", Button::Play, "Abspielen", 3000, 2820, 480);
    Image7 = PictureButton(c, "Image7", Button::Pause, "Pause", 3525, 2820, 450);
    Image6 = PictureButton(c, "Image6", Button::Stop, "Stopp", 4035, 2820, 450);
    Image10 = PictureButton(c, "Image10", Button::Search, "MP3-Dateien suchen", 5910, 2820, 420);
    HiddenImages = {HiddenPicture(c, "Image2", Button::Play, false),
                    HiddenPicture(c, "Image3", Button::Play, true),
                    HiddenPicture(c, "Image4", Button::Stop, false),
                    HiddenPicture(c, "Image5", Button::Stop, true),
                    HiddenPicture(c, "Image8", Button::Pause, true),
                    HiddenPicture(c, "Image9", Button::Pause, false),
                    HiddenPicture(c, "Image11", Button::Search, false),
                    HiddenPicture(c, "Image12", Button::Search, true)};

    // The position slider: a thin track between the folder trees and the lists.
    Picture5 = Place<QLabel>(c, "Picture5", 90, 3660, 9360, 75);
    Label14 = Place<QLabel>(c, "Label14", 105, 3660, 8970, 75);
    Picture6 = Place<QLabel>(c, "Picture6", 105, 3555, 375, 270);
    Picture6->setPixmap(pictures::KnobPicture(true, Picture6->size()));
    Picture6->hide();
    Text11 = Field(c, "Text11", 105, 3270, 735, "00:00", 285);
    Text11->setReadOnly(true);
    Text11->hide();

    // The volume slider between the left pane and the tag fields.
    // "Vol." is wider than its box in the font of the other captions.
    Label7 = Caption(c, "Label7", "Vol.", 2595, 480, 345);
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Picture7 = Place<QLabel>(c, "Picture7", 2730, 690, 90, 2625);
    Label13 = Place<QLabel>(c, "Label13", 2730, 705, 90, 2190);
    Picture8 = Place<QLabel>(c, "Picture8", 2640, 1000, 270, 375);
    Picture8->setPixmap(pictures::KnobPicture(false, Picture8->size()));
    Picture8->hide();
    Text10 = Field(c, "Text10", 2070, 1000, 525, "", 285);
    Text10->setReadOnly(true);
    Text10->setAlignment(Qt::AlignCenter);
    Text10->hide();

    // The level meter: a gradient covered from the top as the level falls.
    Picture3 = Place<QLabel>(c, "Picture3", 6420, 690, 300, 2550);
    Picture3->setPixmap(pictures::LevelGradient(Picture3->size()));
    Picture3->hide();
    Shape1 = Place<QLabel>(Picture3, "Shape1", 0, 0, 300, 2550);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(50);
    Aurion1 = new player::AurionControl(c);
}

void frmDeck::CreateButtons() {
    QWidget* c = centralWidget();
    Command9 = Button(c, "Command9", "TAG > Dateiname", 90, 9330, 1485);
    Command3 = Button(c, "Command3", "Dateiname > TAG", 1605, 9330, 1560);
    Command5 = Button(c, "Command5", "Kopieren", 3210, 9330, 1530);
    Command6 = Button(c, "Command6", "Bewegen", 4770, 9330, 1530);
    Command7 = Button(c, "Command7", "Verzeichnis", 6330, 9330, 1545);
    Command8 = Button(c, "Command8", "Löschen", 7920, 9330, 1530);
    // In the row of "Ordner B:", between the comment field and the drive box.
    Command10 = Button(c, "Command10", "Decodieren", 7905, 435, 1560, 240);
}

void frmDeck::ConnectTagTools() {
    auto tagsFromNames = [this] { m_tagsFromNames->Start(); };
    auto namesFromTags = [this] { m_namesFromTags->Start(); };
    auto decode = [this] { m_decoder->Start(); };
    connect(Command3, &QPushButton::clicked, this, tagsFromNames);
    connect(Command9, &QPushButton::clicked, this, namesFromTags);
    connect(Command10, &QPushButton::clicked, this, decode);
    connect(mnuWriteTAGfromName, &QAction::triggered, this, tagsFromNames);
    connect(mnuRename, &QAction::triggered, this, namesFromTags);
    connect(mnuDecode, &QAction::triggered, this, decode);
}

void frmDeck::CreateMenus() {
    Menu = menuBar()->addMenu("Menu");
    Menu->setObjectName("Menu");
    mnuRememberPath = MenuItem(*Menu, "mnuRememberPath", "Aktuellen Pfad merken");
    mnuShowPathList = MenuItem(*Menu, "mnuShowPathList", "Pfad-Liste zeigen");
    Menu->addSeparator();
    mnuRename = MenuItem(*Menu, "mnuRename", "ID3-TAG > Dateiname");
    mnuWriteTAGfromName = MenuItem(*Menu, "mnuWriteTAGfromName", "Dateiname > ID3-TAG");
    Menu->addSeparator();
    mnuCopy = MenuItem(*Menu, "mnuCopy", "Kopieren");
    mnuMove = MenuItem(*Menu, "mnuMove", "Umbewegen");
    Menu->addSeparator();
    mnuDecode = MenuItem(*Menu, "mnuDecode", "Decodieren");
    Menu->addSeparator();
    mnuDelete = MenuItem(*Menu, "mnuDelete", "Löschen");
    Menu->addSeparator();
    mnuUndo = MenuItem(*Menu, "mnuUndo", UndoText);
    Verzeichnis = menuBar()->addMenu("Verzeichnis");
    Verzeichnis->setObjectName("Verzeichnis");
    mnuDirRememberPath = MenuItem(*Verzeichnis, "mnuDirRememberPath", "Aktuellen Pfad merken");
    mnuDirShowPathList = MenuItem(*Verzeichnis, "mnuDirShowPathList", "Pfad-Liste zeigen");
    Verzeichnis->addSeparator();
    mnuDirUndo = MenuItem(*Verzeichnis, "mnuDirUndo", UndoText);
}

void frmDeck::ConnectFileOperations() {
    files::FileOperations* operations = m_fileOperations;
    using Operations = files::FileOperations;
    connect(Command5, &QPushButton::clicked, operations, &Operations::Copy);
    connect(Command6, &QPushButton::clicked, operations, &Operations::Move);
    connect(Command7, &QPushButton::clicked, operations, &Operations::NewFolder);
    connect(Command8, &QPushButton::clicked, operations, &Operations::Delete);
    connect(mnuCopy, &QAction::triggered, operations, &Operations::Copy);
    connect(mnuMove, &QAction::triggered, operations, &Operations::Move);
    connect(mnuDelete, &QAction::triggered, operations, &Operations::Delete);
}

void frmDeck::ConnectBatchUndo() {
    for (QAction* item : {mnuUndo, mnuDirUndo})
        connect(item, &QAction::triggered, m_batchUndo, &files::BatchUndo::Run);
    // The item says whether there is a batch to undo each time a menu opens.
    for (QMenu* menu : {Menu, Verzeichnis})
        connect(menu, &QMenu::aboutToShow, this, [this] {
            const bool available = files::BatchUndo::Available();
            mnuUndo->setEnabled(available);
            mnuDirUndo->setEnabled(available);
        });
    // Ctrl+Z in a list: the menus are context menus only, so their item's key would
    // never reach them.
    for (QListWidget* list : {List1, List2})
        connect(new QShortcut(QKeySequence::Undo, list, nullptr, nullptr, Qt::WidgetShortcut),
                &QShortcut::activated, m_batchUndo, &files::BatchUndo::Run);
}

void frmDeck::FitNarrowFields() {
    // The year field is narrow: four digits need all of it.
    Text6->setTextMargins(0, 0, 0, 0);
    Text6->setAlignment(Qt::AlignCenter);
}

void frmDeck::Load() {
    menuBar()->hide();  // "Menu" and "Verzeichnis" exist as context menus only
    setFixedSize(Twips(ClientWidth), Twips(ClientHeight));
    setWindowTitle(m_state.Caption);
    CenterForm(*this);
    Text12->clear();
    show();
    ApplySettings(m_state, *m_panes, *m_player);
    m_player->ShowKnobAtStart();
    m_tagArea->ShowIdle();
    m_state.TagModified = false;
    m_state.PlayerThreadEnded = true;
    m_state.PlayerStopRequested = true;
    m_state.PlayerEndReached = false;
    m_tagArea->ClearFields();
    m_panes->RefreshPane(1);
    m_panes->RefreshPane(2);
    Picture3->show();
}

void frmDeck::ShowOptions() {
    if (!m_options) {
        m_options = std::make_unique<Options>(m_state);
        // The tag shown was read in the code page before: read it again, unless an
        // edit of it is pending.
        m_options->OnTagCodePageChanged([this] {
            if (!m_state.TagModified && !m_tagArea->File().isEmpty())
                m_tagArea->ShowTag(m_tagArea->File());
        });
    }
    m_options->Load();
}

void frmDeck::ConnectSearchAndPathList() {
    connect(Image10, &ClickableLabel::clicked, this, &frmDeck::ShowSearch);
    for (QAction* remember : {mnuRememberPath, mnuDirRememberPath})
        connect(remember, &QAction::triggered, this,
                [this] { PathListWindow().Paths().Remember(); });
    for (QAction* show : {mnuShowPathList, mnuDirShowPathList})
        connect(show, &QAction::triggered, this, [this] { PathListWindow().Paths().Show(); });
}

void frmDeck::ShowSearch() {
    if (!m_search)
        m_search = std::make_unique<search::Such>(
            search::ResultTarget{this, m_panes.get(), m_paneEvents}, m_state);
    m_search->Open(ActivePath(m_state));
}

void frmDeck::ShowSearchFolder() {
    if (m_search) m_search->ShowFolder(ActivePath(m_state));
}

pathlist::VerzListe& frmDeck::PathListWindow() {
    if (!m_pathList)
        m_pathList = std::make_unique<pathlist::VerzListe>(*this, *m_paneEvents, m_state);
    return *m_pathList;
}

void frmDeck::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        Shutdown(m_state, *m_panes, *m_player, *m_tagArea);
        if (m_options) m_options->close();
        // Closing the search window also stops a search that is still walking.
        if (m_search) m_search->close();
        if (m_pathList) m_pathList->close();
        if (files::NewOrdner* dialog = m_fileOperations->NewFolderDialog()) dialog->close();
    }
    event->accept();
}

void frmDeck::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && !(windowState() & Qt::WindowMinimized))
        setWindowTitle(m_state.Caption);
    QMainWindow::changeEvent(event);
}

}  // namespace trackdeck
