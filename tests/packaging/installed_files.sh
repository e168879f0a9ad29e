#!/usr/bin/env bash
# Installs the build into a folder of its own and checks it as a desktop would read it:
#   - the layout: bin/quorel, bin/quorel-editor, the music, and nothing named editor;
#   - the desktop entries pass desktop-file-validate, the metainfo passes appstreamcli, and
#     each entry's program and icon are installed;
#   - the MIME database built from our type gives *.qrl to application/x-quorel-stage-set, which
#     the editor's entry opens, and the type's icon is there;
#   - every icon is a PNG of its folder's size, at 16, 32, 48, 64, 128 and 256 pixels.
# Usage: installed_files.sh BUILD_FOLDER
# Exits 77 (skipped) when a validator is missing.
set -euo pipefail
build=$1
source "$(dirname "$0")/checks.sh"
needs desktop-file-validate appstreamcli update-mime-database

DESTDIR=$work/root cmake --install "$build" --prefix /usr >"$work/install.log" ||
  { cat "$work/install.log"; exit 1; }
root=$work/root/usr
share=$root/share
editor=false
[ -e "$root/bin/quorel-editor" ] && editor=true

for file in bin/quorel share/quorel/bgm/bgm01.mid share/quorel/bgm/bgm02.mid share/quorel/bgm/bgm03.mid; do
  [ -f "$root/$file" ] || fail "$file is not installed"
done
[ -x "$root/bin/quorel" ] || fail "bin/quorel cannot be run"
[ ! -e "$root/bin/editor" ] || fail "bin/editor is installed: that name belongs to the system's editor choice"

# The PNG's own width and height, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
has_icon() {  # CONTEXT NAME: the icon at every size
  local size
  for size in 16 32 48 64 128 256; do
    local icon=$share/icons/hicolor/${size}x${size}/$1/$2.png
    [ -f "$icon" ] || { fail "no $size px icon $1/$2"; continue; }
    [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$icon is no PNG"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
  done
}

desktop_entries=("$share"/applications/*.desktop)
metainfo=("$share"/metainfo/*.metainfo.xml)
expected=1
$editor && expected=2
[ "${#desktop_entries[@]}" = "$expected" ] || fail "${#desktop_entries[@]} desktop entries, not $expected"
[ "${#metainfo[@]}" = "$expected" ] || fail "${#metainfo[@]} metainfo files, not $expected"

for entry in "${desktop_entries[@]}"; do
  echo "desktop-file-validate $(basename "$entry"):"
  desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry" | head -n 1)
  [ -x "$root/bin/$program" ] || fail "$(basename "$entry") runs $program, which is not installed"
  has_icon apps "$(sed -n 's/^Icon=//p' "$entry")"
done
for file in "${metainfo[@]}"; do
  echo "appstreamcli validate $(basename "$file"):"
  appstreamcli validate --no-net --pedantic "$file" || fail "appstreamcli validate $file"
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$file")
  [ -f "$share/applications/$launchable" ] || fail "$(basename "$file") launches $launchable, which is not installed"
done
echo "appstreamcli validate-tree (metainfo, desktop entries and icons together):"
appstreamcli validate-tree --no-net --pedantic "$work/root" || fail "appstreamcli validate-tree"

if $editor; then
  mkdir -p "$work/mime/packages"
  cp "$share"/mime/packages/*.xml "$work/mime/packages/"
  XDG_DATA_DIRS=$work update-mime-database "$work/mime" || fail "update-mime-database refuses our type"
  type=$(awk -F: '$3 == "*.qrl" { print $2 }' "$work/mime/globs2")
  [ "$type" = application/x-quorel-stage-set ] || fail "*.qrl is of type '$type'"
  grep -q "^MimeType=.*$type;" "$share"/applications/*quorel_editor.desktop ||
    fail "the editor's entry does not open $type"
  grep -q "%f" "$share"/applications/*quorel_editor.desktop || fail "the editor's entry takes no file"
  has_icon mimetypes "${type//\//-}"
fi

finish "installed files: all checks passed"
