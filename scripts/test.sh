#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build "$@"
cd "$BUILD"
ctest --output-on-failure -j2 --timeout 300
