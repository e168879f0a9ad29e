#!/usr/bin/env bash
# Makes the Debian package from the build with cpack and checks what a package manager sees:
#   - its control data: name, version, architecture, a description whose synopsis stands once,
#     and dependencies that name the libraries the programs link (found by dpkg-shlibdeps) and
#     the font they need, each satisfied by a package installed on this machine;
#   - its contents: the programs, the music, the desktop files and icons, all under /usr and
#     owned by root;
#   - the packaged game runs: unpacked, it tells its version.
# Usage: debian_package.sh BUILD_FOLDER VERSION
# Exits 77 (skipped) when the packaging tools are missing.
set -euo pipefail
build=$1
version=$2
source "$(dirname "$0")/checks.sh"
needs cpack dpkg-deb dpkg-shlibdeps dpkg-query

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
architecture=$(dpkg --print-architecture)
deb=$work/out/quorel_${version}_$architecture.deb
[ -f "$deb" ] || { ls "$work/out"; cat "$work/cpack.log"; echo "FAIL: no $(basename "$deb")"; exit 1; }
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorel ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$architecture" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
# The synopsis stands once, on the Description line; the long text below it starts with its own words.
description=$(field Description)
synopsis=$(head -n 1 <<<"$description")
[ -n "$synopsis" ] || fail "the Description has no synopsis"
[ "$(sed -n 2p <<<"$description" | xargs)" != "$synopsis" ] || fail "the synopsis is repeated in the long description"
depends=$(field Depends)
echo "Depends: $depends"
echo "Recommends: $(field Recommends)"
dpkg-deb -c "$deb" >"$work/contents"
paths=$(awk '{ print $6 }' "$work/contents")
editor=false
grep -qx './usr/bin/quorel-editor' <<<"$paths" && editor=true
named=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g')
needed=(libsdl2-2.0-0 libfluidsynth3 libstdc++6 fonts-ipafont-gothic)
$editor && needed+=(libqt6widgets6 libqt6gui6 libqt6core6)
for package in "${needed[@]}"; do
  grep -qxF -- "$package" <<<"$named" || fail "Depends does not name $package"
done

# Every clause of Depends is met by an installed package: one of its alternatives, at the
# version the clause asks for.
installed_version() { dpkg-query -W -f='${Status} ${Version}\n' "$1" 2>/dev/null | sed -n 's/^install ok installed //p'; }
satisfied() {  # one alternative: "name" or "name (op version)"
  local name op wanted have
  read -r name op wanted <<<"$(sed 's/[()]//g' <<<"$1")"
  name=${name%%:*}
  have=$(installed_version "$name")
  [ -n "$have" ] || return 1
  [ -z "$op" ] || dpkg --compare-versions "$have" "$op" "$wanted"
}
IFS=',' read -ra clauses <<<"$depends"
for clause in "${clauses[@]}"; do
  met=false
  IFS='|' read -ra alternatives <<<"$clause"
  for alternative in "${alternatives[@]}"; do
    if satisfied "$(xargs <<<"$alternative")"; then met=true; break; fi
  done
  $met || fail "no installed package meets '$(xargs <<<"$clause")'"
done

expected=(./usr/bin/quorel ./usr/share/quorel/bgm/bgm01.mid ./usr/share/quorel/bgm/bgm02.mid
          ./usr/share/quorel/bgm/bgm03.mid ./usr/share/applications/io.github.teamquorel.quorel.desktop
          ./usr/share/metainfo/io.github.teamquorel.quorel.metainfo.xml
          ./usr/share/icons/hicolor/256x256/apps/quorel.png ./usr/share/icons/hicolor/16x16/apps/quorel.png)
$editor && expected+=(./usr/bin/quorel-editor ./usr/share/applications/io.github.teamquorel.quorel_editor.desktop
                      ./usr/share/metainfo/io.github.teamquorel.quorel_editor.metainfo.xml
                      ./usr/share/mime/packages/quorel.xml
                      ./usr/share/icons/hicolor/48x48/mimetypes/application-x-quorel-stage-set.png)
for path in "${expected[@]}"; do
  grep -qx -- "$path" <<<"$paths" || fail "the package holds no $path"
done
outside=$(grep -v -e '^\./$' -e '^\./usr/' <<<"$paths" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
owners=$(awk '{ print $2 }' "$work/contents" | sort -u)
[ "$owners" = root/root ] || fail "owners in the package: $owners"
[ "$(grep -c '/icons/hicolor/.*\.png$' <<<"$paths")" -ge 12 ] || fail "too few icons"

dpkg-deb -x "$deb" "$work/unpacked"
line=$("$work/unpacked/usr/bin/quorel" --version | head -n 1)
[ "$line" = "quorel (quorel) $version" ] || fail "the packaged game says '$line'"

finish "Debian package: all checks passed"
