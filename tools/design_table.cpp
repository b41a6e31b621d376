// The window's design as the tests read it: every control where the design
// puts it in window pixels, on a desktop and on a phone. The tests work the
// design-to-device mapping out themselves.
//   design_table   prints it as JSON
#include "design.h"

#include <cstdio>

int main()
{
    using namespace Design;
    std::printf("{\"client\": [%d, %d],", pixels(ClientWidth), pixels(ClientHeight));
    const WindowRect phone = clientRect(Arrangement::Phone);
    std::printf("\n \"phoneClient\": [%d, %d], \"leverReach\": [%d, %d, %d, %d],\n \"controls\": {",
                phone.width, phone.height, pixels(LeverReach[0]), pixels(LeverReach[1]),
                pixels(LeverReach[2]), pixels(LeverReach[3]));
    const char *separator = "";
    for (const Control &c : Controls) {
        const WindowRect r = windowRect(c, Arrangement::Desktop);
        const WindowRect p = windowRect(c, Arrangement::Phone);
        std::printf("%s\n  \"%s\": {\"rect\": [%d, %d, %d, %d], \"phoneRect\": [%d, %d, %d, %d], "
                    "\"switch\": %d, \"name\": \"%s\"}",
                    separator, c.name, r.left, r.top, r.width, r.height, p.left, p.top, p.width,
                    p.height, c.switchNumber, c.accessibleName);
        separator = ",";
    }
    std::printf("\n }}\n");
    return 0;
}
