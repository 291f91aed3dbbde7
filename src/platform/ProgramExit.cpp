#include "platform/ProgramExit.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace kv::platform {

namespace {
EndProgramHandler& handler() {
    static EndProgramHandler h;
    return h;
}
}  // namespace

void endProgram(int exitCode) {
    if (handler()) {
        handler()(exitCode);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

EndProgramHandler setEndProgramHandler(EndProgramHandler h) {
    EndProgramHandler old = std::move(handler());
    handler() = std::move(h);
    return old;
}

}  // namespace kv::platform
