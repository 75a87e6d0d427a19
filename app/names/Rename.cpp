#include "app/names/Rename.h"

#include "app/common/Looks.h"
#include "app/common/Place.h"
#include "app/names/WindowDrag.h"

namespace trackdeck::names {

namespace {

constexpr int Margin = 180;
constexpr int ButtonHeight = 345;

}  // namespace

Rename::Rename() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("Rename");
    setAttribute(Qt::WA_StyledBackground);

    Label2 =
        Place<QLabel>(this, "Label2", QString::fromUtf8("Dateiname ändern:"), 180, 150, 5220, 255);
    Text1 = Place<QLineEdit>(this, "Text1", 180, 480, 4620, 300);
    Label1 = Place<QLabel>(this, "Label1", ".mp3", 4860, 510, 540, 255);
    Text2 = Place<QLineEdit>(this, "Text2", 0, 0, 1200, 300);
    Text2->hide();

    Frame2 = Place<QWidget>(this, "Frame2", 180, 810, 5220, 255);
    Option1 = Place<QRadioButton>(Frame2, "Option1", "Normal", 0, 0, 1200, 255);
    Option2 = Place<QRadioButton>(Frame2, "Option2", "Name aus ID3-TAG holen", 1320, 0, 3900, 255);
    Option2->setChecked(true);

    Picture2 = Place<QWidget>(this, "Picture2", 180, 1185, 5220, 345);
    const std::array<const char*, 4> names{"Check1", "Check2", "Check3", "Check4"};
    const std::array<const char*, 4> captions{"Interpret", "Titel", "Album", "Nummer"};
    const std::array<int, 4> lefts{0, 1230, 2190, 3210};
    const std::array<int, 4> widths{1170, 900, 960, 1260};
    for (size_t i = 0; i < Checks.size(); ++i)
        Checks[i] = Place<QCheckBox>(Picture2, names[i], captions[i], lefts[i], 45, widths[i], 255);
    Command3 = Place<QPushButton>(Picture2, "Command3", "Neu", 4560, 0, 660, 315);

    ErkennListe = Place<QListWidget>(this, "ErkennListe", 0, 0, 1200, 600);
    ErkennListe->hide();

    Frame1 = Place<QWidget>(this, "Frame1", 180, Frame1TopWithPattern, 5220, ButtonHeight);
    Command1 = Place<QPushButton>(Frame1, "Command1", "Übernehmen", 0, 0, 1650, ButtonHeight);
    Command2 = Place<QPushButton>(Frame1, "Command2", "Abbrechen", 1770, 0, 1650, ButtonHeight);
    PlaceFrame1(Frame1TopWithPattern);
    ApplyLooks(*this);
    new WindowDrag(*this);
}

void Rename::PlaceFrame1(int top) {
    Frame1->move(Frame1->x(), Twips(top));
    setFixedSize(Twips(FormWidth), Twips(top + ButtonHeight + Margin));
}

}  // namespace trackdeck::names
