#!/bin/sh
# Checks the direction of the source layers by their include lines:
#   core            only core headers and system headers, nothing of Qt or GLib;
#   forms           core and its own headers, nothing of Qt, GLib, the windows or the services;
#   platform/linux  core and its own headers, nothing of Qt, the windows, the Qt adapters
#                   or the Windows services;
#   platform/win    core and its own headers, nothing of Qt, the windows, the Qt adapters
#                   or the Linux services;
#   ui, ui/qt       never the Linux or Windows services (only the program entry joins them);
#   win32           the Windows windows: nothing of Qt, GLib, the Qt windows or the Linux
#                   services (its program entry joins the Windows services).
# Prints each offending line and fails when there is one.
set -u
src=${1:-$(dirname "$0")/../src}
status=0

offend() {  # folder, pattern of forbidden include lines, what is forbidden
    hits=$(grep -nE "$2" "$src/$1"/*.h "$src/$1"/*.cpp 2>/dev/null)
    if [ -n "$hits" ]; then
        echo "$1 must not include $3:"
        echo "$hits"
        status=1
    fi
}

offend core '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<Q|<q|<gio|<glib|"(platform|ui|forms)/)' \
    "Qt, GLib, the forms, the platform folder or the windows"
offend forms '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<Q|<q|<gio|<glib|"(platform|ui)/)' \
    "Qt, GLib, the services or the windows"
offend platform/linux '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<Q|<q|"ui/|"platform/win/|"forms/)' \
    "Qt, the windows, the forms or the Windows services"
offend platform/win '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<Q|<q|<gio|<glib|"ui/|"platform/linux/|"forms/)' \
    "Qt, GLib, the windows, the forms or the Linux services"
for layer in ui ui/qt; do
    offend "$layer" '^[[:space:]]*#[[:space:]]*include[[:space:]]*"platform/(linux|win)/' \
        "the Linux or Windows services"
done
offend win32 '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<Q|<q|<gio|<glib|"ui/|"platform/linux/)' \
    "Qt, GLib, the Qt windows or the Linux services"
for layer in core forms platform/linux platform/win ui ui/qt; do
    offend "$layer" '^[[:space:]]*#[[:space:]]*include[[:space:]]*"win32/' "the Windows windows"
done
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
