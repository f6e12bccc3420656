// The program that starts a desktop entry for the bar, so that nothing the
// entry needs (its file, GLib, the session bus) can hold the bar up.
//   tamblewick-entry ENTRY   (a desktop entry's path, or a desktop file ID)
// Exits with 0 when the application was started.
#include "platform/linux/desktop_entry.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    return tw::RunDesktopEntry(argv[1]) ? 0 : 1;
}
