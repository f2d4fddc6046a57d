#include "app/run_program.h"

#include "framework/resource.h"
#include "framework/win_app.h"
#include "res/resources.h"

int RunProgram(Backend& backend) {
    AfxSetResources(&QuillpostResources());
    SetBackend(&backend);
    const int status = AfxWinMain();
    SetBackend(nullptr);
    return status;
}
