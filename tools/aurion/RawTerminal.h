// The keys of an interactive command: while a RawTerminal lives, the terminal on
// standard input delivers each key at once and does not echo it (Ctrl-C still
// raises SIGINT). The previous settings come back on destruction, which every way
// out of a command passes through.
#pragma once

#include <termios.h>

#include <optional>
#include <string>
#include <vector>

namespace aurion::host {

enum class Key { Space, Left, Right, Plus, Minus, Next, Quit, Other };

class RawTerminal {
public:
    RawTerminal();
    ~RawTerminal();
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;

    // The keys typed since the last call, without waiting.
    [[nodiscard]] std::string ReadPending();

private:
    std::optional<termios> m_saved;
};

// The keys in bytes read from a terminal; the arrows come as ESC [ C and ESC [ D
// (or ESC O C and ESC O D). A sequence cut at the end is left in `pending`.
[[nodiscard]] std::vector<Key> ParseKeys(std::string& pending);

}  // namespace aurion::host
