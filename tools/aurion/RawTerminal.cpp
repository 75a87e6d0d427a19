#include "tools/aurion/RawTerminal.h"

#include <poll.h>
#include <unistd.h>

namespace aurion::host {

RawTerminal::RawTerminal() {
    termios settings{};
    if (tcgetattr(STDIN_FILENO, &settings) != 0) return;
    m_saved = settings;
    settings.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &settings);
}

RawTerminal::~RawTerminal() {
    if (m_saved) tcsetattr(STDIN_FILENO, TCSANOW, &*m_saved);
}

std::string RawTerminal::ReadPending() {
    std::string bytes;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    while (poll(&input, 1, 0) > 0 && (input.revents & POLLIN) != 0) {
        char buffer[64];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

std::vector<Key> ParseKeys(std::string& pending) {
    std::vector<Key> keys;
    size_t i = 0;
    while (i < pending.size()) {
        const char c = pending[i];
        if (c == '\x1b') {
            if (i + 2 >= pending.size()) break;  // the rest of the sequence comes later
            const char kind = pending[i + 1];
            const char code = pending[i + 2];
            if ((kind == '[' || kind == 'O') && (code == 'C' || code == 'D')) {
                keys.push_back(code == 'C' ? Key::Right : Key::Left);
            } else {
                keys.push_back(Key::Other);
            }
            i += 3;
            continue;
        }
        switch (c) {
            case ' ':
                keys.push_back(Key::Space);
                break;
            case '+':
            case '=':
                keys.push_back(Key::Plus);
                break;
            case '-':
                keys.push_back(Key::Minus);
                break;
            case 'n':
            case 'N':
                keys.push_back(Key::Next);
                break;
            case 'q':
            case 'Q':
                keys.push_back(Key::Quit);
                break;
            default:
                keys.push_back(Key::Other);
                break;
        }
        ++i;
    }
    pending.erase(0, i);
    return keys;
}

}  // namespace aurion::host
