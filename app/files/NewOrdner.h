// The dialog "Neuer Ordner": one field for the name of the folder to make below the
// active pane's folder; several levels may be typed, separated by "/". Not modal.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace trackdeck::files {

class NewOrdner : public QWidget {
public:
    explicit NewOrdner(QWidget* parent = nullptr);

    // Centred, topmost, the field emptied and focused; shown.
    void Load();

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command2;  // "OK"
    QPushButton* Command1;  // "Abbrechen"
};

}  // namespace trackdeck::files
