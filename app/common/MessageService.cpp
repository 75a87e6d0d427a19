#include "app/common/MessageService.h"

#include <QAbstractButton>
#include <QApplication>
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

// The window the user works in: a modal one first, else the active one.
QWidget* WorkingWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

// A box above the window the user works in, even when that one stays on top of
// all others, with German buttons whether or not the system has Qt's German texts.
int ShowBox(const QString& caption, const QString& text, MessageKind kind,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QWidget* parent = WorkingWindow();
    QMessageBox box(IconOf(kind), caption, text, buttons, parent);
    if (parent != nullptr && parent->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const std::pair<QMessageBox::StandardButton, const char*> germanTexts[] = {
        {QMessageBox::Yes, "Ja"},
        {QMessageBox::No, "Nein"},
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "Abbrechen"},
    };
    for (const auto& [button, german] : germanTexts)
        if (QAbstractButton* shown = box.button(button)) shown->setText(german);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    return box.exec();
}

}  // namespace

MessageService MessageBoxService(const QString& caption) {
    MessageService service;
    service.Show = [caption](const QString& text, MessageKind kind) {
        (void)ShowBox(caption, text, kind, QMessageBox::Ok, QMessageBox::NoButton);
    };
    service.Ask = [caption](const QString& text, MessageKind kind, Answer defaultButton) {
        const int pressed =
            ShowBox(caption, text, kind, QMessageBox::Yes | QMessageBox::No,
                    defaultButton == Answer::No ? QMessageBox::No : QMessageBox::Yes);
        return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
    };
    service.AskWithCancel = [caption](const QString& text, MessageKind kind, Answer defaultButton) {
        const int pressed = ShowBox(caption, text, kind,
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                    defaultButton == Answer::No       ? QMessageBox::No
                                    : defaultButton == Answer::Cancel ? QMessageBox::Cancel
                                                                      : QMessageBox::Yes);
        switch (pressed) {
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
