#!/usr/bin/env bash
# Installs what is missing, builds, and starts Fennix.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build
exec "$BUILD/fennix" "$@"
