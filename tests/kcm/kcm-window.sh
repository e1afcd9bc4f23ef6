#!/bin/sh

# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# The settings module in a real window, used as a person would: kcmshell opens
# it from the build tree on a private Xvfb display, xdotool types a data limit
# and switches the warning on, and the store must then hold what was entered.
# A write to the store from outside must change the window within a second.
# Runs under scripts/run-isolated (own D-Bus session and HOME); CTest sets
# KCMSHELL, STOREWRITER, KCM_PLUGIN_DIR, KCM_QML_DIR, KCM_DATA_DIR and
# KCM_ARTIFACTS_DIR (where the screenshots are left).
set -eu

general=/cellui/settings/datacounter/general
transfer=/cellui/settings/datacounter/transfer
limit_key=$general/gprs_home_notification_period
entered_key=$general/gprs_home_notification_period_UI
sent_key=$transfer/gprs_home_tx_bytes
received_key=$transfer/gprs_home_rx_bytes
reset_key=$general/gprs_home_last_reset

# The keys that lead from the window's first focus to the home warning switch,
# and from there to the home limit field: the page's focus order (the variables
# override them while a page is reworked). kcmshell5's frame puts two stops of
# its own before the page (found by trying); then come the call timers' reset
# button, the switch and the field.
case "$(basename "$KCMSHELL")" in
    kcmshell5) keys_to_page="Tab Tab" ;;
    *) keys_to_page="" ;;
esac
keys_to_warning_switch=${KCM_KEYS_TO_WARNING_SWITCH:-$keys_to_page Tab Tab}
keys_to_limit_field=${KCM_KEYS_TO_LIMIT_FIELD:-Tab}

work=$(mktemp -d "${TMPDIR:-/tmp}/kcm-window.XXXXXX")
xvfb="" shell=""
cleanup() {
    [ -z "$shell" ] || kill "$shell" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*" >&2
    if [ -s "$work/kcmshell.log" ]; then
        echo "--- kcmshell's output:" >&2
        grep -v '^cellcounters: ' "$work/kcmshell.log" | tail -n 30 >&2
    fi
    exit 1
}

store() {
    "$STOREWRITER" "$@" >/dev/null || fail "the store writer failed on: $*"
}

# expect KEY VALUE WHY: the key holds the string VALUE within 3 s.
expect() {
    for _ in $(seq 15); do
        got=$("$STOREWRITER" get "$1") || got="(no answer)"
        [ "$got" = "string $2" ] && break
        sleep 0.2
    done
    [ "$got" = "string $2" ] || fail "$1 holds \"$got\", not \"string $2\" ($3)"
    echo "ok: $1 = $2 ($3)"
}

screenshot() {
    xwd -root -silent >"$work/$1.xwd" || fail "no screenshot"
    cp "$work/$1.xwd" "$KCM_ARTIFACTS_DIR/kcm-window-$1.xwd"
}

# settle NAME: waits until the screen stops changing (5 s at most), and leaves
# its picture as NAME.
settle() {
    screenshot "$1"
    for _ in $(seq 20); do
        sleep 0.25
        mv "$work/$1.xwd" "$work/previous.xwd"
        screenshot "$1"
        cmp -s "$work/previous.xwd" "$work/$1.xwd" && return 0
    done
    fail "the window keeps changing ($1)"
}

# A display of its own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 800x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(cat "$work/display")
export DISPLAY

# The state before: warning off, 50 MB entered earlier, 12.5 MB sent.
store set "$limit_key" string 0
store set "$entered_key" string 50000000
store set "$sent_key" string 12500000

# Qt Quick's own style, whatever the caller's session sets: the focus order
# above is that style's (the desktop style's differs).
unset QT_QUICK_CONTROLS_STYLE QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
# The build tree's module, page and package, nothing installed.
QT_PLUGIN_PATH=$KCM_PLUGIN_DIR \
    QML2_IMPORT_PATH=$KCM_QML_DIR QML_IMPORT_PATH=$KCM_QML_DIR \
    XDG_DATA_DIRS=$KCM_DATA_DIR:${XDG_DATA_DIRS:-/usr/local/share:/usr/share} \
    QT_QPA_PLATFORM=xcb \
    "$KCMSHELL" kcm_cellcounters >"$work/kcmshell.log" 2>&1 &
shell=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$shell" 2>/dev/null | head -n 1) || true
[ -n "$window" ] || fail "no window of $KCMSHELL within 20 s"
kill -0 "$shell" 2>/dev/null || fail "$KCMSHELL ended"
# No window manager: give it a phone's size and the keyboard by hand.
xdotool windowsize --sync "$window" 480 800 windowmove --sync "$window" 0 0
xdotool windowfocus --sync "$window"
# The page is loaded and laid out when the picture is still.
settle opened

# The warning switch: on, with the limit entered earlier in force.
# shellcheck disable=SC2086
xdotool key --delay 100 $keys_to_warning_switch
screenshot warning-switch
xdotool key space
expect "$limit_key" 50000000 "the warning switched on"

# The limit: select what the field shows, type 25 MB, confirm.
# shellcheck disable=SC2086
xdotool key --delay 100 $keys_to_limit_field
xdotool key ctrl+a
xdotool type --delay 80 25
xdotool key Return
expect "$entered_key" 25000000 "the limit typed"
expect "$limit_key" 25000000 "the limit typed, in force"

# The home reset: the next stop after the field is its button; the confirmation
# opens on "No", and "Yes" is the stop before it.
store set "$received_key" string 7000000
xdotool key Tab space
settle reset-asked
xdotool key shift+Tab space
expect "$sent_key" 0 "the counters reset"
expect "$received_key" 0 "the counters reset"
reset_date=$("$STOREWRITER" get "$reset_key")
case "$reset_date" in
    "string $(date +%-d.%-m.%Y.)"*) echo "ok: $reset_key = ${reset_date#string } (the counters reset)" ;;
    *) fail "$reset_key holds \"$reset_date\" after the reset" ;;
esac

# A write from another process shows within a second. The screen must be still
# before it (the switch's animation over), or the comparison would prove nothing.
settle still
store set "$sent_key" string 99900000
changed=""
for _ in 1 2 3 4 5; do
    sleep 0.2
    screenshot after
    if ! cmp -s "$work/still.xwd" "$work/after.xwd"; then
        changed=yes
        break
    fi
done
[ -n "$changed" ] || fail "the amount sent written to the store did not show within a second"
echo "ok: a store write changed the window"

kill -0 "$shell" 2>/dev/null || fail "$KCMSHELL ended"
echo "PASS"
