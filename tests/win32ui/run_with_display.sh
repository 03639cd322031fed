#!/bin/sh
# Runs a command on the X display that DISPLAY names, or on a virtual one when none is named:
# Wine draws the windows of the Windows programs through X.
if [ -n "${DISPLAY:-}" ]; then exec "$@"; fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
