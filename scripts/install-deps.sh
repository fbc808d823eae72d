#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Safe to run again: only missing packages are installed. With --bench it
# also installs what only the benchmark programs use (zint, the speed peer).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libfontconfig-dev fontconfig
  zlib1g-dev libpng-dev libjpeg62-turbo-dev libtiff-dev libgif-dev libxml2-dev libxml2-utils
  unixodbc-dev libsqliteodbc odbc-postgresql postgresql sqlite3
  libzxing-dev
  cups cups-client cups-filters libcups2-dev libcupsimage2-dev libcairo2-dev poppler-utils
  tesseract-ocr tesseract-ocr-eng
  imagemagick netpbm emf2svg
  clang libclang-rt-14-dev lld
  llvm-14
  wine64 g++-mingw-w64-x86-64
  libreoffice-writer-nogui pandoc
  libx11-dev libxext-dev libxcursor-dev libxfixes-dev
  xvfb xdotool xclip x11-apps x11-utils openbox
  uim-xim uim-latin uim-pinyin locales
  xdg-utils desktop-file-utils shared-mime-info libfile-mimeinfo-perl
)
# The fonts the tests draw with, and the desktop's fonts one test adds.
while read -r kind names; do
  case "$kind" in tests | desktop) read -r -a font_packages <<<"$names"; packages+=("${font_packages[@]}") ;; esac
done <"$(dirname "$0")/font-packages.txt"
if [ "${1:-}" = "--bench" ]; then
  packages+=(libzint-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The input-method server of the X11 tests (uim-xim) offers its methods only
# for locales the system has: one UTF-8 locale is enough for all of them.
if ! locale -a 2>/dev/null | grep -qi '^en_US\.utf-\?8$'; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO localedef -i en_US -c -f UTF-8 en_US.UTF-8
fi

# zxing-wasm (zxing-cpp built for WebAssembly, run with Node.js) reads the
# MicroPDF417 symbols of the barcode tests, which Debian's zxing-cpp cannot.
# It lives in a cache folder outside the repository; the tests look for it in
# the same place (TAV_NODE_DIR, else $XDG_CACHE_HOME or ~/.cache, then tavrendel/node).
zxing_wasm_version=3.1.8
node_dir=${TAV_NODE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tavrendel/node}
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends nodejs npm
fi
if ! grep -qs "\"version\": \"$zxing_wasm_version\"" "$node_dir/node_modules/zxing-wasm/package.json"; then
  mkdir -p "$node_dir"
  npm install --prefix "$node_dir" --no-audit --no-fund --loglevel=error "zxing-wasm@$zxing_wasm_version"
fi
