#pragma once
// The silent end of a command: thrown when the user answers Cancel to a confirmation, so that the
// command that asked stops where it is. The application's error display lets it pass without a word.
#include <exception>

class EKanvoAbort : public std::exception {
public:
    const char *what() const noexcept override { return "Operation aborted"; }
};
