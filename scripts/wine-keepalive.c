/* Holds Wine's desktop open for the length of a test run.
 *
 * wineserver drops a desktop about a second after its last GUI program ends, and the next
 * program then waits seconds for a new one. One hidden window, kept for the whole run, keeps the
 * desktop alive between test programs. scripts/with-wine.sh starts this in the background, waits
 * for the "ready" line on stdout and kills it at the end of the run. */
#include <windows.h>
#include <stdio.h>

static LRESULT CALLBACK keepalive_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show)
{
    (void)previous;
    (void)command_line;
    (void)show;

    WNDCLASSA window_class = {0};
    window_class.lpfnWndProc = keepalive_proc;
    window_class.hInstance = instance;
    window_class.lpszClassName = "WineKeepaliveWindow";
    if (!RegisterClassA(&window_class)) {
        fprintf(stderr, "wine-keepalive: RegisterClass failed (%lu)\n", GetLastError());
        return 1;
    }
    /* Never shown: test programs that look for visible top-level windows do not see it. */
    HWND window = CreateWindowExA(0, window_class.lpszClassName, "wine-keepalive", WS_OVERLAPPED,
                                  0, 0, 1, 1, NULL, NULL, instance, NULL);
    if (!window) {
        fprintf(stderr, "wine-keepalive: CreateWindow failed (%lu)\n", GetLastError());
        return 1;
    }

    printf("ready\n");
    fflush(stdout);

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
