#!/usr/bin/env bash
# Starts an installed Velmar program (installed as bin/velmar and
# bin/velmar-cli; the name it is called by picks the program). The programs
# read setting.ini, the language files and the manual from one folder and
# write setting.ini there, but the installed folder is read-only, so each user
# gets a copy in $XDG_CONFIG_HOME/velmar (default ~/.config/velmar) and the
# programs run on it through VELMAR_HOME. The user's setting.ini is never
# overwritten; language files and manuals are refreshed when the installed
# ones are newer (copies keep the installed file's time, so "newer" means a
# later install). An explicit VELMAR_HOME is used as it is. See docs/install.md.
set -eu

self=$(readlink -f "$0")
appdir=$(CDPATH="" cd -- "$(dirname -- "$self")/../lib/velmar" && pwd)
case $(basename -- "$0") in
    velmar-cli*) program=velmar-cli ;;
    *) program=velmar ;;
esac

if [ -z "${VELMAR_HOME:-}" ]; then
    case ${XDG_CONFIG_HOME:-} in
        /*) config=$XDG_CONFIG_HOME/velmar ;;
        *) config=${HOME:?HOME is not set}/.config/velmar ;;
    esac
    if ! mkdir -p -- "$config" 2>/dev/null || [ ! -w "$config" ]; then
        echo "velmar: cannot create or write the settings folder $config" >&2
        exit 1
    fi
    # A copy lands under a temporary name first, so an interrupted start never
    # leaves a half-written file behind.
    seed() {
        cp -p -- "$1" "$2.new.$$" && chmod u+w -- "$2.new.$$" && mv -f -- "$2.new.$$" "$2"
    }
    if [ ! -e "$config/setting.ini" ]; then
        seed "$appdir/setting.ini" "$config/setting.ini"
    fi
    for shipped in "$appdir"/*.lang "$appdir"/*.html; do
        [ -f "$shipped" ] || continue
        copy=$config/$(basename -- "$shipped")
        if [ ! -e "$copy" ] || [ "$shipped" -nt "$copy" ]; then
            seed "$shipped" "$copy"
        fi
    done
    VELMAR_HOME=$config
    export VELMAR_HOME
fi

exec "$appdir/$program" "$@"
