// Lets writes past a size fail for the life of the object, as a full disk would
// refuse them: the file-size limit of the process, with its signal ignored so that
// a write beyond it fails with EFBIG instead of ending the process. Child processes
// started meanwhile inherit both.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace aurion::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    [[nodiscard]] bool Set() const { return m_set; }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_set = false;
};

}  // namespace aurion::test
