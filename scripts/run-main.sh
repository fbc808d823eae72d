#!/usr/bin/env bash
# Builds the designer (optimised) and starts it: on the X11 display when
# DISPLAY is set; without one, the sample layouts in examples/ are opened
# headless and each one's rendering is written as PNG into the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${TAV_MAIN_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAV_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)" --target tavrendel

if [ -n "${DISPLAY:-}" ] && [ "${TAV_DISPLAY:-}" != "headless" ]; then
  first=$(ls examples/*.bcd 2>/dev/null | head -n 1 || true)
  echo "Starting Tavrendel on display $DISPLAY${first:+ with $first}"
  exec "$build/tavrendel" ${first:+"$first"}
fi

shopt -s nullglob
layouts=(examples/*.bcd)
if [ "${#layouts[@]}" -eq 0 ]; then
  echo "No display, and no sample layouts in examples/ to render" >&2
  exit 1
fi
if ! cmake --build "$build" -j "$(nproc)" --target tavrendel_render 2>/dev/null; then
  echo "No display, and the headless renderer is not part of this build" >&2
  exit 1
fi
out="$build/examples"
mkdir -p "$out"
"$build/program/tavrendel_render" "$out" "${layouts[@]}"
echo "No display: the sample layouts are rendered as PNG in $out/"
ls -1 "$out"/*.png
