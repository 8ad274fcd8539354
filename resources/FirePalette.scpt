#!/bin/sh
# Stand-in for the compiled AppleScript off macOS: instead of reaching Keyboard Maestro it
# notes the palette's Name/ID and the button's two-digit number on standard error, which
# Tavelin passes on to the terminal it was started from, and in the system log. Without a
# log service logger answers success and the line goes nowhere, hence both. logger waits
# while the log service is not reading, so it is left to finish on its own, within a bound
# and holding none of the script's streams, and a click never waits for the log.
printf 'Tavelin: FirePalette %s %s\n' "$1" "$2" >&2
timeout 10 logger -t Tavelin "FirePalette $1 $2" </dev/null >/dev/null 2>&1 &
