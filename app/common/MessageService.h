// Every message box and question of the program goes through one service, titled
// with the program's caption. The program shows QMessageBox, with German buttons,
// above the window the user works in; tests replace the service with one that
// records each message and answers from a script.
#pragma once

#include <QString>
#include <functional>

namespace trackdeck {

enum class MessageKind { Plain = 0, Information = 1, Exclamation = 2, Critical = 3, Question = 4 };
enum class Answer { Yes, No, Ok, Cancel };

struct MessageService {
    std::function<void(const QString& text, MessageKind kind)> Show;
    std::function<Answer(const QString& text, MessageKind kind, Answer defaultButton)> Ask;
    // Yes, No or Cancel; where a service leaves it out, Ask answers instead.
    std::function<Answer(const QString& text, MessageKind kind, Answer defaultButton)>
        AskWithCancel;
};

// The message boxes of the program, titled `caption`.
[[nodiscard]] MessageService MessageBoxService(const QString& caption);

// The service in use; replaced by tests. Returns the previous one.
MessageService InstallMessageService(MessageService service);

void ShowMessage(const QString& text, MessageKind kind);
[[nodiscard]] Answer Ask(const QString& text, MessageKind kind, Answer defaultButton);
// The question with "Ja", "Nein" and "Abbrechen"; closing the box is Cancel.
[[nodiscard]] Answer AskWithCancel(const QString& text, MessageKind kind, Answer defaultButton);

}  // namespace trackdeck
