// RunProgram: the frame of a program's main on the library, so that an error that leaves the
// program is read, not lost in an abort.
#pragma once

#include <functional>

namespace kw {

// Runs `body` and returns its result. An error that leaves it is written on standard error (the
// library's Error as ErrorReport words it, any other exception by its what()) after standard output
// is flushed, so that nothing the program printed is lost, and the result is then 1.
// For a screen: wrap main's body in it.
int RunProgram(const std::function<int()>& body);

}  // namespace kw
