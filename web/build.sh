#!/bin/sh
# Builds the page and the JavaScript module into BUILD_DIR/site (default
# build-web/site, relative to the top folder): Debian's emscripten, with the
# page's npm packages installed in web/ first (npm ci). Exit status 77 when a
# tool is missing.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-web}
# The toolchain's optimiser is a Node program that looks for acorn there.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
for tool in emcmake node npm; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (Debian packages emscripten, nodejs, npm)"
    exit 77
  fi
done
if [ ! -d "$top/web/node_modules/uplot" ]; then
  (cd "$top/web" && npm ci --no-audit --no-fund)
fi
cd "$top"
emcmake cmake -S web -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2
