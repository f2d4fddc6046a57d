#include "app/run_program.h"

#include <cstdio>

#include "platform/resource.h"
#include "platform/terminal/terminal_backend.h"
#include "platform/win_app.h"
#include "res/resources.h"

int RunProgram(Backend& backend) {
    AfxSetResources(&QuillpostResources());
    SetBackend(&backend);
    const int status = AfxWinMain();
    SetBackend(nullptr);
    return status;
}

int RunInTerminal() {
    TerminalBackend terminal;
    if (!terminal.Open()) {
        std::fputs("quillpost: standard input and output must be a terminal\n", stderr);
        return 1;
    }
    const int status = RunProgram(terminal);
    terminal.Close();
    return status;
}
