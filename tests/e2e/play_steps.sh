# Sourced, after game_session.sh, by the end-to-end scripts that play the game in its 640 x 480
# window from a normal start (needs $assets, the folder of the game's pictures): starting and
# closing the game, what the window shows, compared with the game's own pictures and font, and
# the steps through the logo and the title.
mkdir -p pictures

game_window() { window_of_size 640x480; }

start_game() {
  ./quorel w 2>>stderr.txt &
  pid=$!
  wait_for 60 focus_window 640x480 || fail "no 640x480 window for 'quorel w'"
}

f9() {
  close_with_f9 640x480 || fail "F9 did not close the game"
  reap
  [ "$status" = 0 ] || fail "exit status $status after F9"
}

# --- what the window shows ---

shoot() {
  local id
  id=$(game_window) || return 1
  import -window "$id" screen.png 2>/dev/null
}

# shown PICTURE X Y: the last shot shows the picture's non-black pixels with its corner at (X, Y).
# The screen's 16-bit colours and the edges of the glyphs may differ a little.
shown() {
  local picture=$1 x=$2 y=$3 size lit differing
  size=$(identify -format '%wx%h' "$picture")
  convert "$picture" -fill white +opaque black mask.png
  lit=$(convert mask.png -format '%[fx:round(mean*w*h)]' info:)
  convert screen.png -crop "$size+$x+$y" +repage mask.png -compose multiply -composite region.png || return 1
  differing=$(compare -metric AE -fuzz 15% region.png "$picture" null: 2>&1) || true
  differing=${differing%% *}
  [[ $differing =~ ^[0-9]+$ ]] && [ "$differing" -lt $((lit / 10 + 1)) ]
}

see() { shoot && shown "$@"; }  # see PICTURE X Y: takes a shot and looks
anything_drawn() { shoot && [ "$(convert screen.png -format '%[fx:maxima>0]' info:)" = 1 ]; }

# crop NAME SOURCE GEOMETRY: a part of one of the game's pictures, as pictures/NAME.png.
crop() { convert "$assets/$2.bmp" -crop "$3" +repage "pictures/$1.png"; }

# text NAME TEXT: the text as the game writes it with its bitmap font, as pictures/NAME.png.
glyph_cells=" 0123456789+-*/:.,()[]!?>"
text() {
  local name=$1 line=$2 i c column row glyphs=()
  for ((i = 0; i < ${#line}; i++)); do
    c=${line:i:1}
    case $c in
      [A-Z]) column=$(($(printf '%d' "'$c") - 65)); row=0 ;;
      [a-z]) column=$(($(printf '%d' "'$c") - 97)); row=1 ;;
      *) column=${glyph_cells%%"$c"*}; column=${#column}; row=2 ;;
    esac
    convert "$assets/font.bmp" -crop "16x16+$((17 * column))+$((17 * row))" +repage "pictures/glyph$i.png"
    glyphs+=("pictures/glyph$i.png")
  done
  convert "${glyphs[@]}" +append "pictures/$name.png"
}

crop title_band title 640x188+0+0
crop clear_banner title 640x115+0+190
crop bar cur 239x18+0+0

title_at_rest() { see pictures/title_band.png 0 10; }
title_left() { shoot && ! shown pictures/title_band.png 0 10; }
bar_on() { see pictures/bar.png 210 $((279 + 20 * $1)); }
# The logo is black in its top-left corner, where the white tiles of the hand-over begin.
logo_left() { shoot && [ "$(convert screen.png -format '%[fx:p{4,4}.r+p{4,4}.g+p{4,4}.b>0.05]' info:)" = 1 ]; }
clear_banner_shown() { see pictures/clear_banner.png 0 86; }
clear_banner_left() { shoot && ! shown pictures/clear_banner.png 0 86; }

# The logo starts drawing once its presenter line types itself; a fresh press of button 1 then
# hands over to the title.
skip_logo() {
  wait_for 60 anything_drawn || fail "the logo showed nothing"
  hold_until z logo_left || fail "button 1 did not skip the logo"
  wait_for 120 title_at_rest || fail "the title did not come to rest after the logo"
}

# choose WHAT CHECK...: button 1 in the title, then CHECK tells that WHAT has come.
choose() {
  local what=$1
  shift
  hold_until z title_left || fail "button 1 did not choose $what"
  wait_for 120 "$@" || fail "$what did not come"
}
