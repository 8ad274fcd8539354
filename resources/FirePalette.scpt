#!/bin/sh
# Stand-in for the compiled AppleScript off macOS: it notes the palette's Name/ID and the
# button's two-digit number in the system log instead of reaching Keyboard Maestro.
exec logger -t Tavelin "FirePalette $1 $2"
