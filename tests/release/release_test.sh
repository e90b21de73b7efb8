#!/usr/bin/env bash
# The release files as a user meets them: tools/make_dist.sh packs the built DLL and trackcase-info;
# the zip holds exactly its files, the text files in CRLF, the Japanese readme in code page 932, no
# Markdown left in the readmes, HTML guides whose pictures are in the zip, and the version of
# CMakeLists.txt in the readmes, CHANGES.txt and the installer; the installer's listing holds the
# guide and the licence; the
# installer refuses to run beside a running player, installs silently into a stand-in player
# folder (the host's stage without the plug-in) whose host then loads and shows the plug-in; the
# silent uninstall removes the DLL, itself and its registry entries and keeps the user's INI file
# and own skin; without /D it finds the player's folder in the registry. Where 32-bit programs
# cannot run, the installer's contents are read with 7-Zip instead of running it.
# Usage: release_test.sh ROOT DLL STAGE PREFIX WORK INFO
set -u
root=$1 dll=$2 stage=$3 prefix=$4 work=$5 info=$6
fail=0
bad() { echo "FAIL: $*"; fail=1; }
wine_run() { "$root/cmake/wine-run.sh" --prefix "$prefix" "$@"; }
winpath() { wine_run winepath -w "$1" | tr -d '\r'; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\gen_trackcase'
language_key='HKCU\Software\gen_trackcase'
# The uninstaller runs on from a copy of itself in the temporary folder: its end is its file's going.
uninstall() {
  wine_run "$1/gen_trackcase-uninstall.exe" /S >/dev/null || bad "silent uninstall in $1 failed to start"
  for _ in $(seq 1 600); do [ -e "$1/gen_trackcase-uninstall.exe" ] || break; sleep 0.1; done
  sleep 1
}

rm -rf "$work" && mkdir -p "$work"
version=$(sed -n 's/^project(gen_trackcase VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
bash "$root/tools/make_dist.sh" --dll "$dll" --info "$info" --out "$work/dist" || { echo "FAIL: make_dist.sh"; exit 1; }
setup="$work/dist/gen_trackcase-$version-setup.exe"

zip_file="$work/dist/gen_trackcase-$version.zip"
listing=$(unzip -Z1 "$zip_file" | grep -v '^screenshots/' | sort | tr '\n' ' ')
[ "$listing" = "CHANGES.txt LICENSE.txt gen_trackcase.dll guide-en.html guide-ja.html readme-en.txt readme-ja.txt trackcase-info.exe " ] ||
  bad "zip holds: $listing"
unzip -q -d "$work/unzipped" "$zip_file"
cmp -s "$dll" "$work/unzipped/gen_trackcase.dll" || bad "the DLL in the zip differs from the built one"
cmp -s "$info" "$work/unzipped/trackcase-info.exe" || bad "trackcase-info.exe in the zip differs from the built one"
# No shipped program carries debug sections (they doubled the inspector's size).
for f in "$work/unzipped/gen_trackcase.dll" "$work/unzipped/trackcase-info.exe" "$setup"; do
  sections=$(i686-w64-mingw32-objdump -h "$f" 2>&1) || bad "$(basename "$f") cannot be read as a PE file: $sections"
  debug=$(echo "$sections" | grep -o ' \.debug_[a-z_]*' | tr -d ' ' | tr '\n' ' ')
  [ -z "$debug" ] || bad "$(basename "$f") carries debug sections: $debug"
done
for f in LICENSE.txt CHANGES.txt readme-ja.txt readme-en.txt; do
  lf=$(tr -cd '\n' < "$work/unzipped/$f" | wc -c)
  crlf=$(grep -c $'\r$' "$work/unzipped/$f")
  [ "$lf" -gt 0 ] && [ "$lf" -eq "$crlf" ] || bad "$f: $crlf of $lf lines end in CRLF"
done
iconv -f CP932 -t UTF-8 "$work/unzipped/readme-ja.txt" > "$work/readme-ja.utf8" || bad "readme-ja.txt is not code page 932"
for f in readme-en.txt CHANGES.txt; do
  printf '\xEF\xBB\xBF' | cmp -s -n 3 - "$work/unzipped/$f" || bad "$f has no UTF-8 byte-order mark"
done
# What Markdown looks like: table rules, pictures and links, emphasis, code marks, headings, the
# version placeholder.
markdown='^\s*\|.*\||\|[-: ]+\||!\[|\]\(|\*\*|`|^#+ |\{\{'
for f in "$work/readme-ja.utf8" "$work/unzipped/readme-en.txt" "$work/unzipped/CHANGES.txt"; do
  left=$(grep -nE "$markdown" "$f" | head -n 3)
  [ -z "$left" ] || bad "Markdown left in $(basename "$f"): $left"
done
# Every line fits Notepad's 78 columns in code page 932 widths, code blocks aside.
wide=$(tail -c +4 "$work/unzipped/readme-en.txt" | iconv -f UTF-8 -t CP932 | cat - "$work/unzipped/readme-ja.txt" |
       tr -d '\r' | LC_ALL=C awk 'length($0) > 78 && !/^    [^ -]/' | head -n 3)
[ -z "$wide" ] || bad "readme lines wider than 78 columns: $wide"
for lang in ja en; do
  html="$work/unzipped/guide-$lang.html"
  grep -qi '^<!DOCTYPE html>' "$html" && grep -q '</html>' "$html" || bad "guide-$lang.html is no whole HTML page"
  pictures=$(grep -o '<img src="[^"]*"' "$html" | sed 's/<img src="//; s/"$//')
  [ -n "$pictures" ] || bad "guide-$lang.html names no picture"
  for p in $pictures; do [ -f "$work/unzipped/$p" ] || bad "guide-$lang.html names $p, which the zip lacks"; done
done
# The HTML guides as a browser shows them (headless Chromium): a copy of each page, beside it so that
# its pictures resolve, reports after loading whether each picture decoded, the body's font (the
# guide's own style sheet sets sans-serif), the links of the table of contents and the visible
# text, which must hold no markup. A screenshot of each page stays in the work folder.
if ! command -v chromium >/dev/null; then
  bad "chromium is missing (make setup installs it): the HTML guides were not rendered"
else
  cat > "$work/report.html" <<'EOF'
<script>
window.addEventListener("load", function () {
  var lines = [];
  document.querySelectorAll("img").forEach(function (img) {
    lines.push("picture " + (img.complete && img.naturalWidth > 0 ? "loaded " : "broken ") + img.getAttribute("src"));
  });
  lines.push("font " + getComputedStyle(document.body).fontFamily);
  lines.push("contents " + document.querySelectorAll("nav#TOC a").length);
  lines.push("text");
  lines.push(document.body.innerText);
  var out = document.createElement("pre");
  out.id = "release-report";
  out.textContent = lines.join("\n");
  document.body.appendChild(out);
});
</script>
EOF
  browse() {  # browse PAGE OPTION...: one run with a profile of its own
    local profile
    profile=$(mktemp -d "$work/chromium-profile.XXXX")
    timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
      --disable-background-networking --disable-component-update --disable-sync --user-data-dir="$profile" \
      --window-size=1000,1400 --run-all-compositor-stages-before-draw --virtual-time-budget=5000 "${@:2}" \
      "file://$1" 2>>"$work/chromium.log"
  }
  for lang in ja en; do
    page="$work/unzipped/guide-$lang.html"
    probe="$work/unzipped/guide-$lang.probe.html"
    { sed '/<\/body>/,$d' "$page"; cat "$work/report.html"; printf '</body>\n</html>\n'; } > "$probe"
    browse "$page" --screenshot="$work/guide-$lang.png" >/dev/null
    [ -s "$work/guide-$lang.png" ] || bad "guide-$lang.html: no screenshot"
    report=$(browse "$probe" --dump-dom | sed -n '/<pre id="release-report">/,/<\/pre>/p' |
             sed 's/<pre id="release-report">//; s|</pre>.*||; s/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g; s/&amp;/\&/g')
    [ -n "$report" ] || { bad "guide-$lang.html: the browser reported nothing (see $work/chromium.log)"; continue; }
    loaded=$(echo "$report" | grep -c '^picture loaded ')
    [ "$loaded" -eq "$(grep -o '<img src=' "$page" | wc -l)" ] && [ "$loaded" -gt 0 ] ||
      bad "guide-$lang.html: pictures as shown: $(echo "$report" | grep '^picture ' | tr '\n' ' ')"
    echo "$report" | grep -q '^font .*sans-serif' || bad "guide-$lang.html: no style sheet applied ($(echo "$report" | grep '^font '))"
    [ "$(echo "$report" | sed -n 's/^contents //p')" -gt 8 ] 2>/dev/null ||
      bad "guide-$lang.html: no table of contents ($(echo "$report" | grep '^contents '))"
    markup=$(echo "$report" | sed '1,/^text$/d' | grep -nF -e '<style' -e '<img' -e '](' -e '|---' -e '## ' | head -n 3)
    [ -z "$markup" ] || bad "guide-$lang.html shows markup as text: $markup"
  done
fi
# One version: the title lines of the readmes, the history's newest entry, the installer's.
grep -q "^gen_trackcase $version " "$work/readme-ja.utf8" || bad "readme-ja.txt's title has no version $version"
tail -c +4 "$work/unzipped/readme-en.txt" | grep -q "^gen_trackcase $version " || bad "readme-en.txt's title has no version $version"
newest=$(sed -n 's/^## \([0-9][0-9.]*\).*/\1/p' "$root/CHANGES.md" | head -n 1)
[ "$newest" = "$version" ] || bad "CHANGES.md's newest version is $newest, CMakeLists.txt's $version"
typed=$(grep -nE '[0-9]+\.[0-9]+\.[0-9]+' "$root/docs/guide-ja.md" "$root/docs/guide-en.md" | grep -v '0\.2\.14b' | head -n 3)
[ -z "$typed" ] || bad "a version typed into a guide: $typed"
# The installer's files, read by 7-Zip without running it: the very DLL of the zip, the uninstaller,
# the guide and the licence.
installer_listing=$(7zz l -ba "$setup" 2>&1) || bad "7-Zip cannot read the installer: $installer_listing"
for f in gen_trackcase.dll gen_trackcase-uninstall.exe gen_trackcase-readme.txt gen_trackcase-license.txt; do
  echo "$installer_listing" | grep -q "Plugins/$f\$" || bad "the installer holds no Plugins/$f"
done
7zz x -y -o"$work/setup-files" "$setup" Plugins/gen_trackcase.dll >/dev/null 2>&1
cmp -s "$dll" "$work/setup-files/Plugins/gen_trackcase.dll" || bad "the DLL in the installer differs from the built one"

# The installer is a 32-bit program: where this machine cannot run one, the listing is all.
if [ "$(bash "$root/tools/runs-32bit.sh")" != yes ]; then
  [ $fail -eq 0 ] && echo "release: zip and guides as expected; installer read by 7-Zip (not run: this machine runs no 32-bit programs)"
  exit $fail
fi

# A stand-in player folder: the host with its INI file and skins, no plug-in.
player="$work/player"
plugins="$player/Plugins"
mkdir -p "$player"
cp "$stage/trackcase-host.exe" "$stage/trackcase-host.ini" "$player/"
[ -d "$stage/Skins" ] && cp -r "$stage/Skins" "$player/"

# A running player (a window of the player's main class) stops a silent install with code 3.
printf 'log %s\nmark ready\npump 8000\nquit\n' "$work/running.log" > "$work/running.script"
wine_run "$player/trackcase-host.exe" --script "$work/running.script" >/dev/null &
host=$!
for _ in $(seq 1 300); do grep -q '^# mark ready' "$work/running.log" 2>/dev/null && break; sleep 0.1; done
wine_run "$setup" /S "/D=$(winpath "$player")" >/dev/null
rc=$?
[ $rc -eq 3 ] && [ ! -e "$plugins/gen_trackcase.dll" ] || bad "install beside a running player: exit code $rc"
wait $host

wine_run "$setup" /S "/D=$(winpath "$player")" >/dev/null || bad "silent install failed"
cmp -s "$dll" "$plugins/gen_trackcase.dll" || bad "no installed DLL in Plugins"
# The silent install speaks the first language, Japanese.
cmp -s "$work/unzipped/readme-ja.txt" "$plugins/gen_trackcase-readme.txt" || bad "no Japanese guide installed beside the DLL"
cmp -s "$work/unzipped/LICENSE.txt" "$plugins/gen_trackcase-license.txt" || bad "no licence installed beside the DLL"
entry=$(wine_run reg query "$uninstall_key" 2>/dev/null | tr -d '\r')
echo "$entry" | grep -q "DisplayVersion.*$version" || bad "no uninstall entry with version $version: $entry"
echo "$entry" | grep -qi "UninstallString.*gen_trackcase-uninstall.exe" || bad "the uninstall entry names no uninstaller"
wine_run reg query "$language_key" >/dev/null 2>&1 || bad "no installer language recorded for the uninstaller"

# The player loads the installed plug-in and shows its window; at its end the plug-in saves its INI.
printf 'load %s\nplay\nadvance 1000\nexpect visible plugin\nquit\n' "$root/samples/sample.zip.mp3" > "$work/installed.script"
wine_run "$player/trackcase-host.exe" --script "$work/installed.script" || bad "the installed plug-in did not show its window"
[ -f "$plugins/gen_trackcase.ini" ] || bad "the plug-in wrote no gen_trackcase.ini"
printf '[user]\r\nkeep=1\r\n' >> "$plugins/gen_trackcase.ini"
mkdir -p "$plugins/gen_trackcase"
printf '[Text]\r\nNormal=#00FF00\r\n' > "$plugins/gen_trackcase/Pledit.txt"

uninstall "$plugins"
[ ! -e "$plugins/gen_trackcase-uninstall.exe" ] || bad "the uninstaller is still there"
[ ! -e "$plugins/gen_trackcase.dll" ] || bad "the DLL is still there"
for f in gen_trackcase-readme.txt gen_trackcase-license.txt; do [ ! -e "$plugins/$f" ] || bad "$f is still there"; done
wine_run reg query "$uninstall_key" >/dev/null 2>&1 && bad "the uninstall entry is still there"
wine_run reg query "$language_key" >/dev/null 2>&1 && bad "the installer's own key is still there"
grep -q 'keep=1' "$plugins/gen_trackcase.ini" 2>/dev/null || bad "the user's gen_trackcase.ini was not kept"
[ -f "$plugins/gen_trackcase/Pledit.txt" ] || bad "the own-skin folder was not kept"

# Without /D the folder comes from the registry: the player's uninstall entry (its uninstaller's
# folder, quoted as the player writes it), and before it the player's own key.
player_key='HKCU\Software\Winamp'
player_entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp'
wine_run reg delete "$player_key" /f >/dev/null 2>&1
mkdir -p "$work/by-entry" "$work/by-key"
wine_run reg add "$player_entry" /v UninstallString /d "\"$(winpath "$work/by-entry")\\UninstWA.exe\"" /f >/dev/null
wine_run "$setup" /S >/dev/null
[ -f "$work/by-entry/Plugins/gen_trackcase.dll" ] || bad "not installed into the folder of the player's uninstall entry"
uninstall "$work/by-entry/Plugins"
wine_run reg add "$player_key" /ve /d "$(winpath "$work/by-key")" /f >/dev/null
wine_run "$setup" /S >/dev/null
[ -f "$work/by-key/Plugins/gen_trackcase.dll" ] || bad "not installed into the folder of the player's key"
uninstall "$work/by-key/Plugins"
wine_run reg delete "$player_key" /f >/dev/null
wine_run reg delete "$player_entry" /f >/dev/null

[ $fail -eq 0 ] && echo "release: zip, installer refusal, silent install, host run, silent uninstall all as expected"
exit $fail
