# Shared by run.sh and test.sh: install what is missing, configure and build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${FENNIX_BUILD_DIR:-$ROOT/build}"
PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
  libbenchmark-dev fonts-ipafont-gothic fonts-ipafont-mincho xvfb xauth libhamlib-utils
  clang libclang-rt-14-dev clang-format desktop-file-utils appstream dpkg-dev
  qt6-l10n-tools qt6-translations-l10n qt6-multimedia-dev libsndfile1-dev ser2net
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
}

build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$BUILD" -j2
}
