#!/usr/bin/env bash
# Installs what is missing, builds, and starts Fennix in its data folder, so that the
# station list "ICLIST.DAT" lives there and never in the source tree.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build
DATA="${XDG_DATA_HOME:-$HOME/.local/share}/fennix"
mkdir -p "$DATA"
cd "$DATA"
exec "$BUILD/fennix" "$@"
