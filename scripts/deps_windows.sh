#!/bin/sh
# Installs what the Windows cross build and its tests under Wine need: the
# mingw-w64 compiler, Wine, the GoogleTest sources, Xvfb and openbox for the
# program's end-to-end tests, and the Japanese locale
# that gives Wine code page 932. Quick and silent when everything is there.
set -e
PACKAGES="g++-mingw-w64-x86-64-posix wine64 wine googletest locales cmake make xvfb openbox"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing:$missing"
        # Refresh the package lists only when one of them cannot be found.
        for p in $missing; do
            if ! apt-cache show "$p" >/dev/null 2>&1; then
                apt-get update -qq
                break
            fi
        done
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
    else
        echo "Missing packages. Run as root:"
        echo "  apt-get install -y$missing"
        exit 1
    fi
fi
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Generating the ja_JP.UTF-8 locale"
        if [ -f /etc/locale.gen ] && grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
            sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        elif ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
            echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
        fi
        locale-gen >/dev/null
    else
        echo "The ja_JP.UTF-8 locale is missing. Run as root:"
        echo "  echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen && locale-gen"
        exit 1
    fi
fi
