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

echo
echo "== Built plug-in"
echo "VST3:       $artefacts/VST3/Vesk Q84D.vst3"
echo "LV2:        $artefacts/LV2/Vesk Q84D.lv2"
echo "Standalone: $artefacts/Standalone/Vesk Q84D"
echo "Install for this user: cp -r \"$artefacts/VST3/Vesk Q84D.vst3\" ~/.vst3/ && cp -r \"$artefacts/LV2/Vesk Q84D.lv2\" ~/.lv2/"
