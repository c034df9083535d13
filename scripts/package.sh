#!/usr/bin/env bash
# Builds the release program and writes the release files to dist/: the
# per-user setup zelmivo-<version>-setup.exe and the portable
# zelmivo-<version>-portable.zip, the version being the one in CMakeLists.txt.
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

zelmivo_install_packages || exit 1
# Made anew, so that only this version's files are copied out.
rm -rf "$ZELMIVO_BUILD/win/dist"
zelmivo_build_windows zelmivo_setup zelmivo_portable || exit 1
files=("$ZELMIVO_BUILD/win/dist/"*)
mkdir -p "$ZELMIVO_ROOT/dist" && cp "${files[@]}" "$ZELMIVO_ROOT/dist/" || exit 1
for file in "${files[@]}"; do
    echo "Written: dist/$(basename "$file") ($(stat -c %s "$file") bytes)"
done
