// Ending the program at the fixed points where the client stops (login cancelled, update
// started, request sent, after the exit notice). Tests put a handler in place of the real end.
#pragma once

#include <functional>

namespace kv::platform {

// Ends the process with the code; with a handler installed, calls it instead and returns.
void endProgram(int exitCode);

// Installs a handler in place of ending the process (nullptr restores the real end). Returns
// the previous handler.
using EndProgramHandler = std::function<void(int exitCode)>;
EndProgramHandler setEndProgramHandler(EndProgramHandler handler);

}  // namespace kv::platform
