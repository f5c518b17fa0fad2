#!/bin/sh
# Builds the viewer and starts it with an optional configuration file.
# Without a display it runs under Xvfb.
#   ./run.sh [CONFIG]
set -eu
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup.sh" build
cd "$root"
if [ -n "${DISPLAY:-}" ]; then
    exec "$root/build/ZolviViewer" "$@"
else
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$root/build/ZolviViewer" "$@"
fi
