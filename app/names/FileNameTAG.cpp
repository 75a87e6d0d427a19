#include "app/names/FileNameTAG.h"

#include "app/common/Looks.h"
#include "app/common/Place.h"
#include "app/names/PatternFields.h"
#include "app/names/WindowDrag.h"

namespace trackdeck::names {

FileNameTAG::FileNameTAG() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("FileNameTAG");
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(Twips(FormWidth), Twips(FormHeight));

    Label2 =
        Place<QLabel>(this, "Label2", "ID3-TAG aus Dateiname übernehmen:", 180, 150, 5220, 255);
    Text2 = Place<QLineEdit>(this, "Text2", "Interpret - Titel", 180, 480, 4620, 300);
    Text2->setReadOnly(true);
    Label3 = Place<QLabel>(this, "Label3", ".mp3", 4860, 510, 540, 255);
    Label1 = Place<QLabel>(this, "Label1", "Trenn Zeichen", 180, 945, 1275, 255);
    Text1 = Place<QLineEdit>(this, "Text1", DefaultSeparator, 1500, 915, 900, 300);

    const std::array<const char*, 4> names{"Check1", "Check2", "Check3", "Check4"};
    const std::array<const char*, 4> captions{"Interpret", "Titel", "Album", "Nummer"};
    for (size_t i = 0; i < Checks.size(); ++i)
        Checks[i] = Place<QCheckBox>(this, names[i], captions[i], 180 + static_cast<int>(i) * 1320,
                                     1395, 1230, 255);
    Checks[0]->setChecked(true);
    Checks[1]->setChecked(true);

    // The pattern itself; Text2 shows it.
    ErkennListe = Place<QListWidget>(this, "ErkennListe", 0, 0, 1200, 600);
    ErkennListe->hide();

    Command1 = Place<QPushButton>(this, "Command1", "Übernehmen", 180, 1890, 1650, 345);
    Command2 = Place<QPushButton>(this, "Command2", "Abbrechen", 1950, 1890, 1650, 345);
    Command3 = Place<QPushButton>(this, "Command3", "Neu", 3720, 1890, 1680, 345);
    ApplyLooks(*this);
    new WindowDrag(*this);
}

}  // namespace trackdeck::names
