// The progress window of batch decoding: the file being decoded, the overall bar
// (Shape1 in Picture1), the current file's bar (Shape2 in Picture2) and
// "Abbrechen". Layout only; BatchDecoder drives it.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace trackdeck::batch {

class Decode : public QWidget {
    Q_OBJECT
public:
    static constexpr int FormWidth = 5400;

    explicit Decode(const QString& caption);

    // With one file the overall bar goes: the file bar takes its place and
    // Command1 moves up into the file bar's.
    void UseOneFileLayout();

    QLabel* Label1;
    QFrame* Picture1;
    QFrame* Shape1;
    QFrame* Picture2;
    QFrame* Shape2;
    QPushButton* Command1;
};

}  // namespace trackdeck::batch
