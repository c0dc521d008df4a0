#!/usr/bin/env bash
# The text effects page: the word "Lumivex" through every effect the
# text-effects module renders, written to out/demo/text/<effect>.png (with
# alpha), one effect on the sample photo, a variations sheet, and
# out/demo/text/index.html showing them with their names. Expects the
# default build (scripts/demo.sh builds it).
set -euo pipefail
cd "$(dirname "$0")/.."
lumivex=${LUMIVEX:-build/default/stage/bin/lumivex}
out=out/demo/text
mkdir -p "$out"
rm -f "$out"/*.png "$out"/index.html

# alias|German name|options
effects=(
  "gradient|Farbverlauf|--color #c03030"
  "hole|Loch|--color #c03030 --set fill=0"
  "glass|Glas|--color #2060c0"
  "metal|Metall|--color #808890"
  "relief|Relief|--color #2060c0"
  "relief-outline|Relief-Umriß|--color #2060c0"
  "relief-texture|Relief-Textur|--color #806040"
  "concrete|Konkret|--color #a0a0a0"
  "sand|Sand|--color #d0a050"
  "lightning|Blitz|--color #4040a0"
  "fire|Feuer|--color #c04000"
  "snow|Schnee|--color #6080c0"
  "neon|Neon|--color #202020"
  "seal|Siegel|--color #c02020"
)

html_escape() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g'; }

figures=""
missing=""
for entry in "${effects[@]}"; do
  IFS='|' read -r alias german options <<<"$entry"
  # shellcheck disable=SC2086  # options are separate words
  if "$lumivex" text Lumivex --size 72 $options --effect "$alias" -o "$out/$alias.png" >/dev/null 2>"$out/$alias.err"; then
    figures+="<figure><img src=\"$alias.png\" alt=\"$german\"><figcaption>$german <small>($alias)</small></figcaption></figure>"$'\n'
    rm -f "$out/$alias.err"
  else
    missing+="<li>$german ($alias): $(html_escape <"$out/$alias.err")</li>"$'\n'
    rm -f "$out/$alias.err"
  fi
done

extras=""
if [ -f samples/sample.png ] &&
   "$lumivex" text Lumivex --size 48 --color '#f0d040' --effect glass --set colour=#f0d040 \
     --on samples/sample.png --at 20,20 -o "$out/on-sample.png" >/dev/null; then
  extras+="<figure><img src=\"on-sample.png\" alt=\"Glas auf dem Beispielbild\"><figcaption>Glas on the sample image (--on, --at 20,20)</figcaption></figure>"$'\n'
fi
if "$lumivex" text Lumivex --size 40 --color '#2060c0' --effect relief \
     --variations "$out/relief-variations.png" >/dev/null; then
  extras+="<figure><img src=\"relief-variations.png\" alt=\"Relief variations\"><figcaption>Relief: the module's nine variations, the current one framed</figcaption></figure>"$'\n'
fi

{
  cat <<'EOF'
<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<title>Lumivex text effects</title>
<style>
body { font-family: sans-serif; margin: 2em; background: #fafafa; }
figure { display: inline-block; margin: 0 1.5em 1.5em 0; vertical-align: top; }
img { display: block; padding: 8px; border: 1px solid #ccc;
      background: repeating-conic-gradient(#e8e8e8 0 25%, #fff 0 50%) 0 0 / 16px 16px; }
figcaption { margin-top: .3em; }
</style>
</head>
<body>
<h1>Text effects</h1>
<p>The word “Lumivex” drawn with FreeType and run through each effect of the
text-effects module with its default settings (<code>lumivex text Lumivex --effect NAME</code>).</p>
EOF
  printf '%s' "$figures"
  if [ -n "$missing" ]; then
    printf '<h2>Not rendered in this build</h2>\n<ul>\n%s</ul>\n' "$missing"
  fi
  if [ -n "$extras" ]; then
    printf '<h2>On an image, and variations</h2>\n%s' "$extras"
  fi
  printf '</body>\n</html>\n'
} >"$out/index.html.tmp"
mv "$out/index.html.tmp" "$out/index.html"
echo "text effects page written to $out/index.html"
