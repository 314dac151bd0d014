#!/usr/bin/env bash
# The main job: installs what is missing, builds the plug-in and its tools, renders
# the demo signal through a factory preset and says where everything is.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VESK_BUILD_DIR:-$root/build}"
out="${VESK_OUT_DIR:-$root/out}"
artefacts="$build/VeskQ84D_artefacts/Release"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
mkdir -p "$out"

renderer="$build/tools/render/vesk-q84d-render"
if [ -x "$renderer" ]; then
    echo
    echo "== Rendering the demo signal through factory preset \"Silver Glue\""
    "$renderer" --preset "Silver Glue" --out "$out/demo-silver-glue.wav"
fi

# The editor as the Standalone renders it, at the L and S sizes. The previews run with a
# temporary HOME, so the user's remembered editor size is neither read nor changed.
standalone="$artefacts/Standalone/Vesk Q84D"
if [ -x "$standalone" ] && command -v xvfb-run >/dev/null; then
    echo
    echo "== Rendering the editor at the L and S sizes"
    preview_home="$(mktemp -d)"
    trap 'rm -rf "$preview_home"' EXIT
    size_folder="$preview_home/Documents/Vesk Plugins/Vesk Q84D Saturator"
    for size in "L 1536 800" "S 960 500"; do
        set -- $size
        mkdir -p "$size_folder"
        printf '{"width": %s, "height": %s}' "$2" "$3" > "$size_folder/editor-size.json"
        rm -f "$out/editor-$1.png"
        HOME="$preview_home" timeout 120 xvfb-run -a -s "-screen 0 1920x1080x24" \
            "$standalone" --render-preview="$out/editor-$1.png" >/dev/null 2>&1 || true
        if [ -f "$out/editor-$1.png" ]; then
            echo "Editor at $1 ($2 x $3): $out/editor-$1.png"
        else
            echo "Editor at $1: the Standalone wrote no preview" >&2
        fi
    done
fi

echo
echo "== Built plug-in"
echo "VST3:       $artefacts/VST3/Vesk Q84D.vst3"
echo "LV2:        $artefacts/LV2/Vesk Q84D.lv2"
echo "Standalone: $artefacts/Standalone/Vesk Q84D"
echo "Install for this user: cp -r \"$artefacts/VST3/Vesk Q84D.vst3\" ~/.vst3/ && cp -r \"$artefacts/LV2/Vesk Q84D.lv2\" ~/.lv2/"
