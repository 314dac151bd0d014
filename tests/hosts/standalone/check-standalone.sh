#!/usr/bin/env bash
# Starts the built Standalone headless under Xvfb, as a user would start it, with a
# HOME of its own.
#
#   check-standalone.sh preview APP     renders the editor with --render-preview=FILE and
#                                       expects it to write a 1536 x 800 PNG and quit by itself
#   check-standalone.sh start-stop APP  starts it, expects it still running after a few
#                                       seconds, then stops it and expects no crash
set -u

mode="${1:-}"
app="${2:-}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ -n "$mode" ] && [ -n "$app" ] || fail "usage: check-standalone.sh preview|start-stop APP"
[ -x "$app" ] || fail "no Standalone at '$app': build the VeskQ84D_Standalone target"
command -v xvfb-run >/dev/null || fail "xvfb-run is not installed: install Debian's xvfb and xauth packages (scripts/install-deps.sh)"
command -v xauth >/dev/null || fail "xauth is not installed: install Debian's xauth package (scripts/install-deps.sh)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
export HOME="$work/home"
unset XDG_CONFIG_HOME XDG_DOCUMENTS_DIR XDG_DATA_HOME

case "$mode" in
    preview)
        grep -aq -- "--render-preview=" "$app" || fail "the Standalone has no --render-preview option"

        image="$work/new folder/preview.png"   # in a folder that does not exist yet, with a space in its name
        timeout 120 bash -c 'xvfb-run -a -s "-screen 0 1920x1080x24" "$1" "--render-preview=$2"' _ "$app" "$image" \
            > "$work/log" 2>&1
        status=$?
        [ $status -eq 124 ] && fail "the Standalone did not quit within 120 s after rendering; its output: $(cat "$work/log")"
        [ $status -eq 0 ] || fail "the Standalone exited with status $status; its output: $(cat "$work/log")"
        [ -f "$image" ] || fail "no image at '$image'; the Standalone's output: $(cat "$work/log")"

        signature="$(od -An -tx1 -N8 "$image" | tr -d ' \n')"
        [ "$signature" = "89504e470d0a1a0a" ] || fail "'$image' is not a PNG file (starts with $signature)"

        read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$image")
        width=$(( (w1 << 24) | (w2 << 16) | (w3 << 8) | w4 ))
        height=$(( (h1 << 24) | (h2 << 16) | (h3 << 8) | h4 ))
        # With no size remembered, the editor opens at its full size.
        [ "$width" -eq 1536 ] && [ "$height" -eq 800 ] || fail "the preview is ${width} x ${height}, not 1536 x 800"

        # A faceplate full of artwork does not compress to almost nothing.
        bytes=$(stat -c %s "$image")
        [ "$bytes" -gt 100000 ] || fail "the preview is only $bytes bytes: nothing was drawn"

        echo "preview: ${width} x ${height} PNG, $bytes bytes"
        ;;

    start-stop)
        # Inside the X session: start, wait, stop it by its own process id.
        cat > "$work/session.sh" <<'EOF'
"$1" > "$2" 2>&1 &
pid=$!
sleep 5
if ! kill -0 $pid 2>/dev/null; then
    wait $pid
    echo "ended by itself after less than 5 s with status $?"
    exit 3
fi
kill -TERM $pid
for _ in $(seq 1 100); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
    kill -KILL $pid
    wait $pid
    echo "did not stop within 10 s of SIGTERM"
    exit 4
fi
wait $pid
echo "status $?"
EOF
        result="$(timeout 120 bash -c 'xvfb-run -a -s "-screen 0 1920x1080x24" bash "$1" "$2" "$3"' _ "$work/session.sh" "$app" "$work/log")"
        status=$?
        [ $status -eq 0 ] || fail "the Standalone $result (status $status); its output: $(cat "$work/log" 2>/dev/null)"
        # 143 is SIGTERM's own ending: anything else from a signal (134 abort, 139
        # segmentation fault) is a crash on the way out.
        case "$result" in
            "status 0" | "status 143") ;;
            *) fail "the Standalone ended with $result after SIGTERM; its output: $(cat "$work/log")" ;;
        esac
        echo "start-stop: ran 5 s, stopped with $result"
        ;;

    *)
        fail "unknown mode '$mode'"
        ;;
esac
