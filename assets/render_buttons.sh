#!/usr/bin/env bash
# Renders the picture buttons' JPEGs (normal, hot and pressed each) into assets/pictures.
# Needs ImageMagick and the WenQuanYi Micro Hei font (Debian: imagemagick fonts-wqy-microhei).
set -eu
out="$(cd "$(dirname "$0")" && pwd)/pictures"
mkdir -p "$out"
font=$(fc-match -f '%{file}' 'WenQuanYi Micro Hei')
case "$font" in *wqy-microhei*) ;; *) echo "the WenQuanYi Micro Hei font is not installed" >&2; exit 1 ;; esac

# stem width height text font-size
buttons=(
  "browse 80 24 浏览 13"
  "browse_small 50 25 浏览 13"
  "start_pack 150 50 开始打包 20"
  "pause 80 32 暂停 15"
  "resume 80 32 继续 15"
  "stop 80 32 停止 15"
  "return 100 32 返回 15"
  "locate_file 100 32 定位文件 15"
  "run_output 150 32 运行打包后的文件 15"
  "clear_picture 70 25 清除底图 12"
)

# state: top and bottom of the face gradient, border, text colour, text offset
render() {
  local stem=$1 w=$2 h=$3 text=$4 size=$5 state=$6 top bottom border ink shift
  case $state in
    normal)  top='#ffffff' bottom='#e4e9ef' border='#a0aab4' ink='#303840' shift=0 ;;
    hot)     top='#f4faff' bottom='#cfe6fb' border='#3c8ce0' ink='#0b4f94' shift=0 ;;
    pressed) top='#bcd8f4' bottom='#e2effb' border='#2a6fb8' ink='#0b3f78' shift=1 ;;
  esac
  convert -size "${w}x${h}" "gradient:${top}-${bottom}" \
    -fill none -stroke "$border" -strokewidth 1 -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 3,3" \
    -stroke none -fill "$ink" -font "$font" -pointsize "$size" -gravity center \
    -annotate "+${shift}+${shift}" "$text" \
    -strip -quality 92 -sampling-factor 4:4:4 "$out/${stem}_${state}.jpg"
}

for entry in "${buttons[@]}"; do
  read -r stem w h text size <<<"$entry"
  for state in normal hot pressed; do render "$stem" "$w" "$h" "$text" "$size" "$state"; done
done
echo "rendered $(ls "$out" | wc -l) pictures into $out"
