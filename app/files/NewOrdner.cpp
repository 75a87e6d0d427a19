#include "app/files/NewOrdner.h"

#include "app/common/Twips.h"
#include "app/common/WindowHelpers.h"

namespace trackdeck::files {

namespace {

// The dialog's client area in twips.
constexpr int DialogWidth = 4320;
constexpr int DialogHeight = 1500;

}  // namespace

NewOrdner::NewOrdner(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName("NewOrdner");
    setWindowTitle("Neuer Ordner");
    setFixedSize(Twips(DialogWidth), Twips(DialogHeight));
    Label1 = new QLabel("Ordner erstellen:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(TwipsRect(180, 150, 3960, 255));
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setGeometry(TwipsRect(180, 435, 3960, 330));
    Command2 = new QPushButton("OK", this);
    Command2->setObjectName("Command2");
    Command2->setGeometry(TwipsRect(1560, 960, 1200, 375));
    Command2->setDefault(true);
    Command1 = new QPushButton("Abbrechen", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(TwipsRect(2940, 960, 1200, 375));
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(Text1, &QLineEdit::returnPressed, Command2, &QPushButton::click);
}

void NewOrdner::Load() {
    CenterForm(*this);
    MakeTopmost(*this);
    Text1->clear();
    show();
    raise();
    activateWindow();
    Text1->setFocus();
}

}  // namespace trackdeck::files
