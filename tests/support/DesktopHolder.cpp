// Holds Wine's desktop open for a whole test run.
//
// Wine closes its desktop a second after the last program with a window on it
// ends, and starts a new one for the next program. Test programs come and go
// every few tenths of a second, so without a holder the desktop closes and
// reopens between most of them, and a program that starts while the old
// desktop is closing can be ended before it reaches its first line. This
// program owns one hidden window and waits until the run's wineserver ends it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    HWND holder = CreateWindowExW(0, L"STATIC", L"Desktop holder", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (holder == nullptr)
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
