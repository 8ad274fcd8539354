#!/bin/sh
# Stand-in for the compiled AppleScript off macOS: instead of reaching Keyboard Maestro it
# notes the palette's Name/ID and the button's two-digit number on standard error, which
# Tavelin passes on to the terminal it was started from, and in the system log. Without a
# log service logger answers success and the line goes nowhere, hence both.
printf 'Tavelin: FirePalette %s %s\n' "$1" "$2" >&2
exec logger -t Tavelin "FirePalette $1 $2"
