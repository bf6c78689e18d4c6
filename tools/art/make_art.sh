#!/usr/bin/env bash
# Draws the pictures of the ZMX login screen and writes them into zmx/app/res/:
#
#   login_bg.bmp        318  520 x 360  login step background
#   account_bg.bmp      320  520 x 360  account step background
#   login_button.bmp    319   82 x 80   LOGIN face
#   register_button.bmp 321   83 x 52   "등록" face
#   combo_arrow.bmp     326   18 x 18   drop-down arrow of the account list
#   zmx.ico             128  16, 32, 48 program and notification-area icon
#
# Run by hand from anywhere:   bash tools/art/make_art.sh [output-dir]
# Needs ImageMagick 6 (convert) and the Debian Nanum fonts (fonts-nanum,
# fonts-nanum-extra). No network. The results are committed; the build only
# reads them.
#
# The bitmaps are 24-bit uncompressed BMP without alpha. The button faces are
# loaded with 3-D colour mapping, which swaps the exact greys 128, 192 and 223
# for system colours, so every bitmap is swept clear of those three greys.
#
# PREVIEW=dir additionally writes PNG copies and previews with the control
# rectangles outlined into dir.

set -euo pipefail

IM=${IM:-/usr/bin/convert}
[ -x "$IM" ] || IM=convert
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-$here/../../zmx/app/res}
mkdir -p "$out"
out=$(cd "$out" && pwd)

fonts=/usr/share/fonts/truetype/nanum
F_LOGO=$fonts/NanumSquareB.ttf
F_TEXT=$fonts/NanumBarunGothic.ttf
F_BOLD=$fonts/NanumBarunGothicBold.ttf
F_LATIN=$fonts/NanumSquareB.ttf
for f in "$F_LOGO" "$F_TEXT" "$F_BOLD" "$F_LATIN"; do
  [ -r "$f" ] || { echo "make_art: missing font $f (apt-get install fonts-nanum fonts-nanum-extra)" >&2; exit 1; }
done

T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

# ---- palette --------------------------------------------------------------
GOLD_HI='rgb(226,174,64)'     # top of the gold bands
GOLD_LO='rgb(176,118,22)'     # bottom of the gold bands
GOLD_EDGE='rgb(138,90,12)'    # dark rule under the top band
GOLD_SHEEN='rgb(240,204,122)' # light rule, highlights
PAGE='rgb(246,243,237)'       # area between the bands
PANEL_LINE='rgb(224,214,194)' # panel border
RULE='rgb(236,229,216)'       # thin rules inside the panel
INK='rgb(52,47,42)'           # labels, headings
INK_SOFT='rgb(104,96,86)'     # notices
FIELD_LINE='rgb(186,178,166)' # frame around the grey login edits
ACCT_LINE='rgb(131,131,131)'  # frame around the account edit, as the combo's own

# ---- helpers --------------------------------------------------------------

# ink NAME FONT SIZE COLOUR TEXT: the text's ink, trimmed tight, as NAME.png
ink() {
  "$IM" -background none -fill "$4" -font "$2" -pointsize "$3" label:"$5" \
    -trim +repage "$T/$1.png"
}

# line NAME FONT SIZE COLOUR TEXT: trimmed left and right only, so that lines
# of one font and size share their baseline when their tops are aligned
line() {
  local geo w x
  "$IM" -background none -fill "$4" -font "$2" -pointsize "$3" label:"$5" "$T/$1.png"
  geo=$("$IM" "$T/$1.png" -format '%@' info:)
  w=${geo%%x*}
  x=${geo#*+}; x=${x%%+*}
  "$IM" "$T/$1.png" -crop "${w}x1000+${x}+0" +repage "$T/$1.png"
}

wh() { "$IM" "$T/$1.png" -format '%w %h\n' info:; }

# put BASE NAME X Y: lays NAME.png over BASE.png with its top-left at X,Y
put() {
  "$IM" "$T/$1.png" "$T/$2.png" -geometry "+$3+$4" -composite "$T/$1.png"
}

# label_at BASE NAME RIGHT TOP BOTTOM: NAME ends at RIGHT, centred on TOP..BOTTOM
label_at() {
  local w h
  read -r w h < <(wh "$2")
  put "$1" "$2" $(($3 - w)) $((($4 + $5 - h + 1) / 2))
}

# centre_at BASE NAME CX TOP: NAME centred on column CX, its top at TOP
centre_at() {
  local w h
  read -r w h < <(wh "$2")
  put "$1" "$2" $(($3 - w / 2)) "$4"
}

# finish PNG BMP: 24-bit BMP, no alpha, without the three mapped greys
finish() {
  "$IM" "$1" -alpha off \
    -fill 'rgb(129,129,129)' -opaque 'rgb(128,128,128)' \
    -fill 'rgb(193,193,193)' -opaque 'rgb(192,192,192)' \
    -fill 'rgb(222,222,222)' -opaque 'rgb(223,223,223)' \
    -type TrueColor "BMP3:$2"
}

# ---- the mark: a gold disc with three rising white bars -----------------

# mark NAME SIZE RIM: the mark SIZE pixels wide on transparent; RIM is the
# colour of its outer ring (light on the gold band, dark for the icon)
mark() {
  local s=$2 k=8 S r
  S=$((s * k))
  r=$((S / 2 - k / 2))
  # disc, drawn large and reduced for a smooth edge
  "$IM" -size "${S}x${S}" xc:none \
    \( -size "${S}x${S}" gradient:'rgb(214,154,40)-rgb(136,84,8)' \) \
    \( -size "${S}x${S}" xc:none -fill white -draw "circle $((S / 2)),$((S / 2)) $((S / 2)),$((S / 2 - r))" \) \
    -delete 0 -alpha off -compose CopyOpacity -composite \
    \( -size "${S}x${S}" xc:none -fill none -stroke "$3" -strokewidth $((S / 20 > k ? S / 20 : k)) \
       -draw "circle $((S / 2)),$((S / 2)) $((S / 2)),$((S / 2 - r + S / 40))" \) \
    -compose Over -composite \
    -filter Box -resize "${s}x${s}" "$T/$1.png"
  # bars, pixel-aligned at the final size
  local u bw gap x0 base t1 t2 t3
  if [ "$s" -le 16 ]; then
    bw=2; gap=1; x0=4; base=12; t1=8; t2=6; t3=4
  else
    u=$((s * 100 / 48))  # one 48th of the mark, in hundredths of a pixel
    bw=$(((6 * u + 50) / 100)); gap=$(((3 * u + 50) / 100))
    x0=$(((s - 3 * bw - 2 * gap) / 2))
    base=$(((34 * u + 50) / 100))
    t1=$(((25 * u + 50) / 100)); t2=$(((19 * u + 50) / 100)); t3=$(((13 * u + 50) / 100))
  fi
  "$IM" "$T/$1.png" +antialias -fill white -stroke none \
    -draw "rectangle $x0,$t1 $((x0 + bw - 1)),$((base - 1))" \
    -draw "rectangle $((x0 + bw + gap)),$t2 $((x0 + 2 * bw + gap - 1)),$((base - 1))" \
    -draw "rectangle $((x0 + 2 * bw + 2 * gap)),$t3 $((x0 + 3 * bw + 2 * gap - 1)),$((base - 1))" \
    "$T/$1.png"
}

# ---- backgrounds ----------------------------------------------------------

# Common frame of both steps: page, gold bands, logo, white panel, service line.
background() {
  local b=$1
  "$IM" -size 520x360 xc:"$PAGE" "$T/$b.png"

  # top band with a faint sheen of large rings at its right
  "$IM" -size 520x74 gradient:"$GOLD_HI-$GOLD_LO" \
    \( -size 520x74 xc:none -fill 'rgba(255,255,255,0.07)' -draw 'circle 470,20 470,118' \
       -fill 'rgba(255,255,255,0.05)' -draw 'circle 520,70 520,190' \) -composite \
    -fill "$GOLD_SHEEN" -draw 'rectangle 0,0 519,0' \
    "$T/band_top.png"
  put "$b" band_top 0 0
  "$IM" "$T/$b.png" +antialias -fill "$GOLD_EDGE" -draw 'rectangle 0,74 519,75' \
    -fill 'rgb(232,224,210)' -draw 'rectangle 0,76 519,76' "$T/$b.png"

  # logo: mark, name and a 모의투자 tag
  mark logo 40 'rgb(250,226,162)'
  put "$b" logo 22 17
  ink name "$F_LOGO" 27 'rgb(120,76,8)' '주마로'
  local w h
  read -r w h < <(wh name)
  "$IM" "$T/name.png" -channel A -blur 0x1 -evaluate multiply 0.55 +channel "$T/name_sh.png"
  put "$b" name_sh 73 $((38 - h / 2 + 1))
  ink name "$F_LOGO" 27 white '주마로'
  put "$b" name 72 $((38 - h / 2))
  local tx=$((72 + w + 12))
  ink tag "$F_BOLD" 12 'rgb(150,98,14)' '모의투자'
  local tw th
  read -r tw th < <(wh tag)
  "$IM" -size $((tw + 16))x20 xc:none -fill 'rgb(255,249,236)' \
    -draw "roundrectangle 0,0 $((tw + 15)),19 9,9" "$T/pill.png"
  put "$b" pill "$tx" 28
  put "$b" tag $((tx + 8)) $((28 + (20 - th) / 2))
  ink sub "$F_LATIN" 10 'rgba(255,244,220,0.92)' 'MOCK INVESTMENT TRADING'
  read -r w h < <(wh sub)
  put "$b" sub $((496 - w)) $((38 - h / 2))

  # bottom band with the service line
  "$IM" -size 520x42 gradient:'rgb(196,138,36)-rgb(154,100,14)' \
    -fill "$GOLD_SHEEN" -draw 'rectangle 0,0 519,0' "$T/band_bot.png"
  put "$b" band_bot 0 318
  line svc "$F_TEXT" 11 'rgb(255,247,230)' '고객센터 1599-0000   |   평일 08:00 ~ 18:00   |   본 서비스는 모의투자 전용입니다'
  centre_at "$b" svc 260 323
  line copy "$F_TEXT" 10 'rgb(248,222,170)' 'Copyright ⓒ 주마로 모의투자센터. All rights reserved.'
  centre_at "$b" copy 260 340

  # white panel with a soft shadow and a warm border
  "$IM" -size 520x360 xc:none -fill 'rgba(90,60,10,0.22)' \
    -draw 'roundrectangle 64,94 455,303 10,10' -blur 0x4 "$T/shadow.png"
  put "$b" shadow 0 0
  "$IM" "$T/$b.png" -fill "$PANEL_LINE" -draw 'roundrectangle 63,91 456,302 10,10' \
    -fill white -draw 'roundrectangle 64,92 455,301 9,9' "$T/$b.png"
}

# a soft shadow under a button face of W x H at X,Y, kept inside CLIP (x y w h)
button_shadow() {
  local b=$1 x=$2 y=$3 w=$4 h=$5 cx=$6 cy=$7 cw=$8 ch=$9
  "$IM" -size "${cw}x${ch}" xc:none -fill 'rgba(110,70,0,0.30)' \
    -draw "roundrectangle $((x - cx)),$((y - cy + 2)) $((x - cx + w - 1)),$((y - cy + h + 1)) 4,4" \
    -blur 0x1.6 "$T/bsh.png"
  put "$b" bsh "$cx" "$cy"
}

# frame L T R B COLOUR: one-pixel frame just outside the control rectangle
# (left, top, right, bottom; right and bottom exclusive)
frame() {
  "$IM" "$T/$1.png" +antialias -fill "$6" -draw "rectangle $(($2 - 1)),$(($3 - 1)) $4,$5" \
    -fill "$7" -draw "rectangle $2,$3 $(($4 - 1)),$(($5 - 1))" "$T/$1.png"
}

login_background() {
  background login
  # notice
  line n1 "$F_BOLD" 12 "$INK" '주마로 모의투자 서비스에 오신 것을 환영합니다.'
  centre_at login n1 260 106
  line n2 "$F_TEXT" 11 "$INK_SOFT" '아이디와 비밀번호, 인증번호를 입력한 후 LOGIN을 눌러 주십시오.'
  centre_at login n2 260 125
  "$IM" "$T/login.png" +antialias -fill "$RULE" -draw 'rectangle 86,146 433,146' "$T/login.png"

  # labels and fields: 101, 102, 103
  ink l1 "$F_BOLD" 12 "$INK" '아이디'
  ink l2 "$F_BOLD" 12 "$INK" '비밀번호'
  ink l3 "$F_BOLD" 12 "$INK" '인증번호'
  label_at login l1 163 159 179
  label_at login l2 163 188 208
  label_at login l3 163 216 236
  frame login 172 159 315 179 "$FIELD_LINE" 'rgb(238,238,238)'
  frame login 172 188 315 208 "$FIELD_LINE" 'rgb(238,238,238)'
  frame login 172 216 315 236 "$FIELD_LINE" 'rgb(238,238,238)'

  # under the LOGIN face (82 x 80 at 327,157), kept inside the auto-login notice
  button_shadow login 327 157 82 80 170 156 245 85

  # the check boxes 105 and 106 draw themselves on plain white below this rule
  "$IM" "$T/login.png" +antialias -fill "$RULE" -draw 'rectangle 86,250 433,250' "$T/login.png"
}

account_background() {
  background account
  # heading with a small gold mark and the notice
  ink h1 "$F_BOLD" 15 "$INK" '거래비밀번호 등록'
  local w h
  read -r w h < <(wh h1)
  put account h1 $((260 - w / 2 + 6)) 106
  "$IM" "$T/account.png" -fill 'rgb(206,146,34)' \
    -draw "roundrectangle $((260 - w / 2 - 6)),106 $((260 - w / 2 - 3)),$((106 + h - 1)) 1,1" "$T/account.png"
  line n1 "$F_TEXT" 11 "$INK_SOFT" '주문에 사용할 계좌를 선택하고 거래비밀번호를 입력하십시오.'
  centre_at account n1 260 132
  line n2 "$F_TEXT" 11 "$INK_SOFT" '모의투자 계좌의 거래비밀번호는 실제 계좌와 관계가 없습니다.'
  centre_at account n2 260 150
  "$IM" "$T/account.png" +antialias -fill "$RULE" -draw 'rectangle 86,180 433,180' "$T/account.png"

  # labels: account list 107 and trading password 108
  ink l1 "$F_BOLD" 12 "$INK" '계좌선택'
  ink l2 "$F_BOLD" 12 "$INK" '거래비밀번호'
  label_at account l1 183 198 221
  label_at account l2 183 227 248
  frame account 192 227 317 248 "$ACCT_LINE" white

  # under the register face (83 x 52 at 327,198)
  button_shadow account 327 198 83 52 320 192 100 66
  # box 109 (157,261,282,282) draws itself on the plain white below
}

# ---- button faces ---------------------------------------------------------

# face NAME W H: the gold face, slightly rounded, on panel white
face() {
  local n=$1 w=$2 h=$3
  "$IM" -size "${w}x${h}" xc:white \
    \( -size "${w}x${h}" gradient:'rgb(230,178,66)-rgb(180,120,22)' \
       \( -size "${w}x${h}" xc:black -fill white -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 4,4" \) \
       -alpha off -compose CopyOpacity -composite \) \
    -compose Over -composite \
    -fill none -stroke 'rgb(146,96,14)' -strokewidth 1 \
    -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 4,4" \
    -stroke 'rgba(255,236,190,0.75)' -draw "line 4,1.5 $((w - 5)),1.5" \
    "$T/$n.png"
  "$IM" -size "$((w - 4))x$((h / 2))" gradient:'rgba(255,255,255,0.20)-rgba(255,255,255,0)' "$T/gloss.png"
  put "$n" gloss 2 2
}

login_face() {
  face lbtn 82 80
  # padlock: shackle arc over a body with a keyhole
  "$IM" "$T/lbtn.png" -fill none -stroke white -strokewidth 2.4 \
    -draw 'roundrectangle 35.3,12.3 45.7,30 5.2,5.2' \
    -stroke none -fill white -draw 'roundrectangle 30.5,21 50.5,35 2.5,2.5' \
    -fill 'rgb(196,138,34)' -draw 'circle 40.5,26.5 40.5,24.3' \
    -draw 'rectangle 39.7,27 41.3,31.2' "$T/lbtn.png"
  ink lt "$F_LATIN" 15 white 'LOGIN'
  "$IM" "$T/lt.png" -fill 'rgb(120,72,4)' -colorize 100 -channel A -evaluate multiply 0.45 +channel "$T/lts.png"
  local w h
  read -r w h < <(wh lt)
  put lbtn lts $((41 - w / 2)) 44
  put lbtn lt $((41 - w / 2)) 43
  ink lk "$F_BOLD" 11 'rgb(255,242,214)' '로그인'
  read -r w h < <(wh lk)
  put lbtn lk $((41 - w / 2)) 61
}

register_face() {
  face rbtn 83 52
  ink rt "$F_BOLD" 17 white '등록'
  "$IM" "$T/rt.png" -fill 'rgb(120,72,4)' -colorize 100 -channel A -evaluate multiply 0.45 +channel "$T/rts.png"
  local w h
  read -r w h < <(wh rt)
  put rbtn rts $((42 - w / 2)) $((26 - h / 2 + 1))
  put rbtn rt $((42 - w / 2)) $((26 - h / 2))
}

# ---- combo arrow ------------------------------------------------------------

combo_arrow() {
  # a small gold key with a white chevron, on the combo's white
  "$IM" -size 18x18 xc:white \
    \( -size 18x18 gradient:'rgb(226,172,60)-rgb(184,124,26)' \
       \( -size 18x18 xc:black -fill white -draw 'roundrectangle 1,1 16,16 2.5,2.5' \) \
       -alpha off -compose CopyOpacity -composite \) \
    -compose Over -composite \
    -fill none -stroke white -strokewidth 2 -draw 'polyline 5.2,7.4 9,11.2 12.8,7.4' \
    "$T/arrow.png"
}

# ---- icon -------------------------------------------------------------------

icon() {
  mark i16 16 'rgb(110,66,4)'
  mark i32 32 'rgb(110,66,4)'
  mark i48 48 'rgb(110,66,4)'
  "$IM" "$T/i16.png" "$T/i32.png" "$T/i48.png" "$out/zmx.ico"
}

# ---- run --------------------------------------------------------------------

login_background
account_background
login_face
register_face
combo_arrow
icon

finish "$T/login.png" "$out/login_bg.bmp"
finish "$T/account.png" "$out/account_bg.bmp"
finish "$T/lbtn.png" "$out/login_button.bmp"
finish "$T/rbtn.png" "$out/register_button.bmp"
finish "$T/arrow.png" "$out/combo_arrow.bmp"

if [ -n "${PREVIEW:-}" ]; then
  mkdir -p "$PREVIEW"
  for f in login_bg account_bg login_button register_button combo_arrow; do
    "$IM" "BMP:$out/$f.bmp" "$PREVIEW/$f.png"
  done
  "$IM" "$T/i48.png" "$T/i32.png" "$T/i16.png" -background 'rgb(40,40,40)' -gravity center \
    -extent 56x56 +append -scale 400% "$PREVIEW/icon_dark.png"
  "$IM" "$T/i48.png" "$T/i32.png" "$T/i16.png" -background 'rgb(240,240,240)' -gravity center \
    -extent 56x56 +append -scale 400% "$PREVIEW/icon_light.png"
  # the controls over the backgrounds, outlined in red (right/bottom exclusive)
  box() { printf -- "-draw 'rectangle %d,%d %d,%d' " "$1" "$2" $(($3 - 1)) $(($4 - 1)); }
  eval "\"$IM\" \"BMP:$out/login_bg.bmp\" \"BMP:$out/login_button.bmp\" -geometry +327+157 -composite \
    +antialias -fill none -stroke red \
    $(box 172 159 315 179) $(box 172 188 315 208) $(box 172 216 315 236) \
    $(box 158 260 241 280) $(box 299 260 382 280) $(box 327 157 409 237) \
    -stroke blue $(box 170 156 415 241) \"$PREVIEW/login_controls.png\""
  eval "\"$IM\" \"BMP:$out/account_bg.bmp\" \"BMP:$out/register_button.bmp\" -geometry +327+198 -composite \
    +antialias -fill none -stroke red \
    $(box 191 198 318 221) $(box 192 227 317 248) $(box 157 261 282 282) $(box 327 198 410 250) \
    \"$PREVIEW/account_controls.png\""

  # mock-ups of the three presentations with the controls drawn roughly as
  # the program draws them (a Gulim-like face for the system fonts)
  F_UI=/usr/share/fonts/truetype/baekmuk/gulim.ttf
  [ -r "$F_UI" ] || F_UI=$F_TEXT
  text_in() { # BASE TEXT L T B: one line at L, centred on T..B
    line tx "$F_UI" 12 black "$2"
    local w h; read -r w h < <(wh tx); put "$1" tx "$3" $((($4 + $5 - h + 1) / 2))
  }
  checkbox() { # BASE L T R B CAPTION SET
    local b=$1 L=$2 t=$3 R=$4 B=$5
    local a="-fill white -draw 'rectangle $L,$t $((R - 1)),$((B - 1))'"
    a+=" -fill 'rgb(160,160,160)' -draw 'rectangle $((L + 2)),$((t + 3)) $((L + 15)),$((t + 16))'"
    a+=" -fill white -draw 'rectangle $((L + 3)),$((t + 4)) $((L + 15)),$((t + 16))'"
    a+=" -fill 'rgb(105,105,105)' -draw 'rectangle $((L + 3)),$((t + 4)) $((L + 14)),$((t + 15))'"
    a+=" -fill 'rgb(227,227,227)' -draw 'rectangle $((L + 4)),$((t + 5)) $((L + 14)),$((t + 15))'"
    a+=" -fill white -draw 'rectangle $((L + 4)),$((t + 5)) $((L + 13)),$((t + 14))'"
    if [ "$7" = 1 ]; then
      local x=$((L + 6)) y=$((t + 8)) k
      a+=" -stroke black"
      for k in 0 1 2; do
        a+=" -draw 'line $x,$((y + k)) $((x + 2)),$((y + k + 2))' -draw 'line $((x + 2)),$((y + k + 2)) $((x + 6)),$((y + k - 2))'"
      done
      a+=" -stroke none"
    fi
    eval "\"$IM\" \"$T/$b.png\" +antialias $a \"$T/$b.png\""
    text_in "$b" "$6" $((L + 21)) $((t + 2)) $((B + 2))
  }
  "$IM" "BMP:$out/login_bg.bmp" "BMP:$out/login_button.bmp" -geometry +327+157 -composite \
    +antialias -fill 'rgb(238,238,238)' -draw 'rectangle 172,159 314,178' \
    -draw 'rectangle 172,188 314,207' -draw 'rectangle 172,216 314,235' "$T/m1.png"
  text_in m1 'trader01' 177 159 179
  text_in m1 '********' 177 188 208
  checkbox m1 158 260 241 280 '아이디저장' 0
  checkbox m1 299 260 382 280 '자동로그인' 0
  "$IM" "$T/m1.png" "$PREVIEW/mock_login.png"
  "$IM" "BMP:$out/login_bg.bmp" +antialias -fill 'rgb(216,216,216)' -draw 'rectangle 170,156 414,240' \
    "BMP:$out/login_button.bmp" -geometry +327+157 -composite "$T/m2.png"
  line tx "$F_UI" 12 black '자동로그인 중...'
  read -r w h < <(wh tx); put m2 tx $((292 - w / 2)) $((198 - h / 2))
  checkbox m2 158 260 241 280 '아이디저장' 1
  checkbox m2 299 260 382 280 '자동로그인' 1
  "$IM" "$T/m2.png" "$PREVIEW/mock_autologin.png"
  "$IM" "BMP:$out/account_bg.bmp" "BMP:$out/register_button.bmp" -geometry +327+198 -composite \
    +antialias -fill 'rgb(131,131,131)' -draw 'rectangle 191,198 317,220' \
    -fill white -draw 'rectangle 192,199 316,219' \
    "BMP:$out/combo_arrow.bmp" -geometry +297+200 -composite "$T/m3.png"
  text_in m3 '5012-3456-01' 195 198 221
  text_in m3 '*****' 197 227 248
  checkbox m3 157 261 282 282 '거래비밀번호저장' 1
  "$IM" "$T/m3.png" "$PREVIEW/mock_account.png"
  "$IM" "$PREVIEW/mock_login.png" "$PREVIEW/mock_autologin.png" "$PREVIEW/mock_account.png" \
    -append "$PREVIEW/mock_all.png"
fi

echo "make_art: wrote login_bg.bmp account_bg.bmp login_button.bmp register_button.bmp combo_arrow.bmp zmx.ico into $out"
