// The entry point of a windowed program: everything happens in the application object.
#include "platform/CWinApp_win32.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(hInstance);
}
