#!/usr/bin/env bash
# Builds the Debian package from a build tree into a scratch folder and checks
# it as a distribution would: lintian, the AppStream validator, and the files
# it puts on a system.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build_dir=$1

for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is missing (make test installs it)"
    exit 77
  fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The build's install manifest is the user's own install's list, which the
# README's uninstall reads: packaging leaves it as it is.
manifest=$build_dir/install_manifest.txt
manifest_before=$(cat "$manifest" 2>/dev/null || echo "(none)")
# A builder's strict umask must not reach the package's directories.
(umask 077 && cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one package: ${debs[*]}"; exit 1; }
deb=${debs[0]}

echo "== AppStream metadata"
dpkg-deb -x "$deb" "$scratch/root"
# The project has no homepage and names none rather than invent one, so
# AppStream 1.0 (Debian 13) warns url-homepage-missing: that one warning is
# accepted, and nothing else.
report=$(appstreamcli validate --no-net \
  "$scratch/root/usr/share/metainfo/org.toriclens.toric.metainfo.xml" 2>&1 || true)
echo "$report"
problems=$(echo "$report" | grep -E '^[EW]: ' | grep -v ': url-homepage-missing$' || true)
[ -z "$problems" ] || { echo "AppStream problems: $problems"; exit 1; }
suppressed=()
if echo "$report" | grep -q ': url-homepage-missing$'; then
  # lintian reports the same warning under its own name.
  suppressed=(--suppress-tags appstream-metadata-validation-failed)
fi

echo "== lintian"
lintian --fail-on error,warning "${suppressed[@]}" "$deb"

echo "== files"
expected="./usr/bin/toric
./usr/bin/toric-combine
./usr/share/applications/org.toriclens.toric.desktop
./usr/share/doc/toric/changelog.gz
./usr/share/doc/toric/copyright
./usr/share/icons/hicolor/16x16/apps/toric-lens-combination.png
./usr/share/icons/hicolor/256x256/apps/toric-lens-combination.png
./usr/share/icons/hicolor/32x32/apps/toric-lens-combination.png
./usr/share/icons/hicolor/48x48/apps/toric-lens-combination.png
./usr/share/icons/hicolor/scalable/apps/toric-lens-combination.svg
./usr/share/man/ja/man1/toric-combine.1.gz
./usr/share/man/ja/man1/toric.1.gz
./usr/share/man/man1/toric-combine.1.gz
./usr/share/man/man1/toric.1.gz
./usr/share/metainfo/org.toriclens.toric.metainfo.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort)
bad_dirs=$(dpkg-deb -c "$deb" | awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" {print $1, $6}')
[ -z "$bad_dirs" ] || { echo "directories not 0755: $bad_dirs"; exit 1; }
[ "$(cat "$manifest" 2>/dev/null || echo "(none)")" = "$manifest_before" ] ||
  { echo "packaging changed $manifest"; exit 1; }
if [ "$files" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$files") || true
  exit 1
fi

# The manual page reads as a page, and the package asks for the fonts and
# lp besides the libraries.
zcat "$scratch/root/usr/share/man/man1/toric.1.gz" | grep -q '^\.SH EXIT STATUS'
depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-ipafont-gothic fonts-rocknroll cups-client libqt6widgets6; do
  [[ $depends == *"$package"* ]] || { echo "Depends lacks $package: $depends"; exit 1; }
done
echo "package ok: $(basename "$deb")"
