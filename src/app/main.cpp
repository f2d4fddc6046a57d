// The program's entry point: the framework runs the application object.
#include "platform/win_app.h"

int main() {
    return AfxWinMain();
}
