#include "app/batch/Decode.h"

#include "app/common/Looks.h"
#include "app/common/Place.h"

namespace trackdeck::batch {

namespace {

constexpr int BarTop = 480;
constexpr int FileBarTop = 900;
constexpr int ButtonTop = 1380;
constexpr int BarHeight = 300;
constexpr int ButtonHeight = 345;
constexpr int Margin = 180;

}  // namespace

Decode::Decode(const QString& caption)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("Decode");
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(caption);
    setFixedSize(Twips(FormWidth), Twips(ButtonTop + ButtonHeight + Margin));

    Label1 = Place<QLabel>(this, "Label1", "Decodiere ", 180, 150, 5040, 255);
    Picture1 = Place<QFrame>(this, "Picture1", 180, BarTop, 5040, BarHeight);
    Shape1 = Place<QFrame>(Picture1, "Shape1", 0, 0, 0, BarHeight);
    Picture2 = Place<QFrame>(this, "Picture2", 180, FileBarTop, 5040, BarHeight);
    Shape2 = Place<QFrame>(Picture2, "Shape2", 0, 0, 0, BarHeight);
    Command1 =
        Place<QPushButton>(this, "Command1", "Abbrechen", 1980, ButtonTop, 1440, ButtonHeight);
    ApplyLooks(*this);
}

void Decode::UseOneFileLayout() {
    Picture1->hide();
    Picture2->move(Picture2->x(), Twips(BarTop));
    Command1->move(Command1->x(), Twips(FileBarTop));
    setFixedSize(Twips(FormWidth), Twips(FileBarTop + ButtonHeight + Margin));
}

}  // namespace trackdeck::batch
