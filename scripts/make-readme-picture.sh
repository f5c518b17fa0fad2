#!/bin/sh
# Makes the README's picture, docs/scene.png, with the viewer itself: starts
# build/ZolviViewer (under an Xvfb of its own when there is no display),
# sends it the commands of docs/scene-commands.txt with build/tools/zsend,
# one message per line, and takes a screenshot.
#   scripts/make-readme-picture.sh [OUTPUT.png]
# The model and the texture that the commands name are written by this
# script into a temporary folder, which serves as ModelDir and TextureDir.
# The viewer listens on 127.0.0.1 (port 5560 and report port 12346): stop
# another viewer or zsend there first.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
output="${1:-$root/docs/scene.png}"
viewer="$root/build/ZolviViewer"
zsend="$root/build/tools/zsend"
[ -x "$viewer" ] && [ -x "$zsend" ] || ZOLVI_TARGET="ZolviViewer zsend" "$root/scripts/setup.sh" build

work="$(mktemp -d /tmp/zolvi-picture-XXXXXX)"
viewer_pid=""
xvfb_pid=""
cleanup() {
    [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# A square pyramid as a Wavefront file (whose y axis is up), one normal a face.
cat > "$work/pyramid.obj" <<'OBJ'
v -1 0 1
v 1 0 1
v 1 0 -1
v -1 0 -1
v 0 1.5 0
vn 0 0.5547 0.8321
vn 0.8321 0.5547 0
vn 0 0.5547 -0.8321
vn -0.8321 0.5547 0
vn 0 -1 0
f 1//1 2//1 5//1
f 2//2 3//2 5//2
f 3//3 4//3 5//3
f 4//4 1//4 5//4
f 4//5 3//5 2//5 1//5
OBJ

# A checkerboard of 8 x 8 blue and white squares, 8 pixels each.
{
    printf 'P3\n64 64\n255\n'
    row=0
    while [ "$row" -lt 64 ]; do
        column=0
        while [ "$column" -lt 64 ]; do
            if [ $(((row / 8 + column / 8) % 2)) -eq 0 ]; then echo '40 90 230'; else echo '255 255 255'; fi
            column=$((column + 1))
        done
        row=$((row + 1))
    done
} > "$work/checker.ppm"

printf 'TextureDir %s\nModelDir %s\n' "$work" "$work" > "$work/picture.cfg"

if [ -z "${DISPLAY:-}" ]; then
    # -noreset: the viewer's first connection (a screen query) closes before
    # its window's opens; a server that resets in between confuses the window.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    tries=0
    until [ -s "$work/display" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
        sleep 0.1
    done
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
fi

(cd "$work" && exec "$viewer" "$work/picture.cfg" >"$work/viewer.log" 2>&1) &
viewer_pid=$!

# A screenshot is refused until the first frame is drawn: wait for one.
tries=0
until "$zsend" -w 1 'screenshot "first-frame"' | grep -q 'took screenshot'; do
    tries=$((tries + 1))
    [ "$tries" -le 30 ] || { echo "no frame drawn; the viewer wrote:" >&2; cat "$work/viewer.log" >&2; exit 1; }
done

# The shapes are drawn from the next frame on (a model's transform from the
# one after): the screenshot waits a second.
"$zsend" -w 1 < "$root/docs/scene-commands.txt"
"$zsend" -w 1 'screenshot "scene"' | grep -q 'took screenshot' ||
    { echo "no screenshot; the viewer wrote:" >&2; cat "$work/viewer.log" >&2; exit 1; }
cp "$work/scene.png" "$output"
echo "wrote $output"
