#include "app/common/MessageService.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <utility>

namespace trackdeck {

namespace {

MessageService& Current() {
    static MessageService service;
    return service;
}

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Plain:
            return QMessageBox::NoIcon;
        case MessageKind::Information:
            return QMessageBox::Information;
        case MessageKind::Exclamation:
            return QMessageBox::Warning;
        case MessageKind::Critical:
            return QMessageBox::Critical;
        case MessageKind::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageService MessageBoxService(const QString& caption) {
    MessageService service;
    service.Show = [caption](const QString& text, MessageKind kind) {
        QMessageBox box(IconOf(kind), caption, text, QMessageBox::Ok);
        box.exec();
    };
    service.Ask = [caption](const QString& text, MessageKind kind, Answer defaultButton) {
        QMessageBox box(IconOf(kind), caption, text, QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultButton == Answer::No ? QMessageBox::No : QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    };
    service.AskWithCancel = [caption](const QString& text, MessageKind kind, Answer defaultButton) {
        QMessageBox box(IconOf(kind), caption, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::Yes)->setText("Ja");
        box.button(QMessageBox::No)->setText("Nein");
        box.button(QMessageBox::Cancel)->setText("Abbrechen");
        box.setDefaultButton(defaultButton == Answer::No       ? QMessageBox::No
                             : defaultButton == Answer::Cancel ? QMessageBox::Cancel
                                                               : QMessageBox::Yes);
        switch (box.exec()) {
            case QMessageBox::Yes:
                return Answer::Yes;
            case QMessageBox::No:
                return Answer::No;
            default:
                return Answer::Cancel;
        }
    };
    return service;
}

MessageService InstallMessageService(MessageService service) {
    return std::exchange(Current(), std::move(service));
}

void ShowMessage(const QString& text, MessageKind kind) {
    if (Current().Show) Current().Show(text, kind);
}

Answer Ask(const QString& text, MessageKind kind, Answer defaultButton) {
    if (Current().Ask) return Current().Ask(text, kind, defaultButton);
    return defaultButton;
}

Answer AskWithCancel(const QString& text, MessageKind kind, Answer defaultButton) {
    if (Current().AskWithCancel) return Current().AskWithCancel(text, kind, defaultButton);
    return Ask(text, kind, defaultButton);
}

}  // namespace trackdeck
