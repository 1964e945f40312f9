#!/usr/bin/env bash
# The running program read through the desktop's accessibility bus (AT-SPI),
# as a screen reader reads it: its own X server on a free display number, its
# own session bus (dbus-run-session), Qt's bridge switched on. Everything it
# starts is ended when it leaves. Exit 77 (skipped) when a tool is missing.
#
# usage: atspi_end_to_end.sh VELMAR VELMAR-CLI SCRIPT.py
set -u

velmar=${1:?velmar binary}
cli=${2:?velmar-cli binary}
script=${3:?test script}

skip() {
    echo "SKIP: $*"
    exit 77
}

command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is not installed (xvfb)"
command -v xdpyinfo >/dev/null 2>&1 || skip "xdpyinfo is not installed (x11-utils)"
command -v xdotool >/dev/null 2>&1 || skip "xdotool is not installed"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is not installed (dbus)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus is not installed (at-spi2-core)"
# pyatspi is a Debian package for the system's python, not for one on PATH.
[ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 ||
    skip "pyatspi is not installed (python3-pyatspi)"

work=$(mktemp -d "${TMPDIR:-/tmp}/velmar-atspi-XXXXXX")
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A display number nobody uses; another server may win the race for it, so a
# server that dies at once makes us try the next number.
display=""
for n in $(seq 150 250); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -noreset -nolisten tcp -screen 0 1280x1024x24 >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if ! kill -0 "$xvfb_pid" 2>/dev/null; then
            xvfb_pid=""
            break
        fi
        if xdpyinfo -display ":$n" >/dev/null 2>&1; then
            display=":$n"
            break
        fi
        sleep 0.1
    done
    [ -n "$display" ] && break
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    fi
done
[ -n "$display" ] || { echo "FAIL: no X server could be started"; cat "$work/xvfb.log"; exit 1; }

mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
# Nothing of a desktop session around the test may leak in: no other bus.
env -u AT_SPI_BUS_ADDRESS -u DBUS_SESSION_BUS_ADDRESS \
    DISPLAY="$display" XDG_RUNTIME_DIR="$work/runtime" NO_AT_BRIDGE=0 \
    timeout -k 5 75 dbus-run-session -- \
    /usr/bin/python3 "$script" --velmar "$velmar" --cli "$cli" --work "$work"
