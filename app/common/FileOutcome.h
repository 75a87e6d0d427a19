// What became of one step on a file (a rename, a copy, a move), and when it failed,
// the system's reason (its error number), so that the program can say why.
#pragma once

namespace trackdeck {

template <typename Result>
struct FileOutcome {
    // Implicit, so that a plain result (a step without a known reason) is an outcome.
    FileOutcome(Result result, int error = 0) : Value(result), Error(error) {}  // NOLINT

    Result Value;
    int Error;  // errno of a failure; 0 when there is none or it is unknown

    friend bool operator==(const FileOutcome& outcome, Result result) {
        return outcome.Value == result;
    }
};

}  // namespace trackdeck
