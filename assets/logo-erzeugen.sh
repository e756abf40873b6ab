#!/usr/bin/env bash
# Makes assets/logo.jpg, the 348 x 80 logo of the about box: a house whose front is a histogram of
# simulated market values with the cumulative curve over it, beside the product name.
# Drawn four times larger and scaled down, so that edges and text are smooth. Needs ImageMagick 6
# and the DejaVu fonts (scripts/deps.sh).
set -euo pipefail
cd "$(dirname "$0")"

convert=/usr/bin/convert
S=4 # drawing scale
s() { echo $(($1 * S)); }

blau='#1f3a5f'
tuerkis='#2e86ab'
hell='#8cc7dd'
orange='#e07a1f'
grau='#5a6472'

# Histogram bars inside the house: bell-shaped heights over nine classes.
balken=()
hoehen=(4 9 17 26 31 25 16 8 3)
for i in "${!hoehen[@]}"; do
  x0=$((17 + 5 * i)); x1=$((x0 + 4)); y1=71; y0=$((y1 - hoehen[i]))
  farbe=$tuerkis; ((hoehen[i] < 12)) && farbe=$hell
  balken+=(-fill "$farbe" -draw "rectangle $(s $x0),$(s $y0) $(s $x1),$(s $y1)")
done

# Cumulative curve over the bars: the distribution function of the bell, from the left to the right wall.
kurve=$(awk -v S=$S 'BEGIN {
  for (i = 0; i <= 32; i++) {
    x = 16 + 48 * i / 32; z = (x - 40) / 9
    y = 71 - 47 / (1 + exp(-1.7 * z))
    printf "%s%.1f,%.1f", (i ? " " : ""), x * S, y * S
  } }')

"$convert" -size "$(s 348)x$(s 80)" xc:white \
  -fill none -stroke "$blau" -strokewidth $(s 4) \
  -draw "stroke-linejoin round stroke-linecap round polyline $(s 8),$(s 38) $(s 40),$(s 10) $(s 72),$(s 38)" \
  -draw "rectangle $(s 56),$(s 14) $(s 63),$(s 24)" \
  -strokewidth $(s 3) \
  -draw "stroke-linejoin round polyline $(s 14),$(s 33) $(s 14),$(s 74) $(s 66),$(s 74) $(s 66),$(s 33)" \
  -stroke none "${balken[@]}" \
  -fill none -stroke "$orange" -strokewidth $(s 2) -draw "stroke-linejoin round stroke-linecap round polyline $kurve" \
  -stroke none -fill "$orange" -draw "circle $(s 64),$(s 24) $(s 66),$(s 24)" \
  -fill "$blau" -draw "rectangle $(s 88),$(s 12) $(s 89),$(s 70)" \
  -font DejaVu-Sans-Bold -pointsize $(s 37) -fill "$blau" -annotate +$(s 102)+$(s 44) 'KWT' \
  -font DejaVu-Sans -pointsize $(s 15) -fill "$grau" -annotate +$(s 103)+$(s 66) 'Monte-Carlo-Simulation' \
  -font DejaVu-Sans -pointsize $(s 9) -fill "$orange" -annotate +$(s 210)+$(s 30) 'VERKEHRSWERT' \
  -font DejaVu-Sans -pointsize $(s 9) -fill "$grau" -annotate +$(s 210)+$(s 42) 'Ertragswertverfahren' \
  -background white -gravity west -splice "$(s 6)x0" -gravity east -chop "$(s 6)x0" -filter Lanczos -resize 348x80! -strip -quality 92 -sampling-factor 1x1 logo.jpg

echo "logo.jpg: $(identify -format '%wx%h %m' logo.jpg)"
