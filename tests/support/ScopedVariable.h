// Sets one environment variable for the life of an object and gives it back its
// previous value (or removes it) on destruction. It changes the process
// environment: make it before a test starts threads, end it after they end.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace platform::test {

class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : m_name(name) {
        if (const char* previous = std::getenv(name)) m_saved = previous;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (m_saved)
            setenv(m_name, m_saved->c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_saved;
};

}  // namespace platform::test
