#!/usr/bin/env bash
# Checks markwell-cli from outside, as scripts use it: options, exit
# statuses, messages and the JSON it writes.
set -u
cli="$1"
data="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passes=$((passes + 1))
  else
    failures=$((failures + 1))
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
  fi
}
contains() {  # contains NAME NEEDLE HAYSTACK
  case "$3" in
    *"$2"*) passes=$((passes + 1)) ;;
    *) failures=$((failures + 1)); printf 'FAIL %s\n  %s not in:\n%s\n' "$1" "$2" "$3" ;;
  esac
}

"$cli" --help > "$work/help"; check "help exits 0" 0 $?
contains "help shows usage" "Usage: markwell-cli" "$(cat "$work/help")"
check "version" "markwell-cli 1.2" "$("$cli" --version)"

printf 'x' > "$work/file"
for args in "--bogus" "--mode fancy" "--to pdf" "--font-color red" "--size ten" "--size 0" \
            "--size -5" "--size 1639" "--font-style heavy" "a b" "--mode" "-k $work/nokeys" \
            "-k $work/file"; do
  # shellcheck disable=SC2086
  "$cli" $args < /dev/null > /dev/null 2> "$work/err"
  check "usage error: $args" 2 $?
done
contains "usage error names the option" "unknown option '--bogus'" \
  "$("$cli" --bogus 2>&1 >/dev/null)"

"$cli" "$work/missing.pas" > /dev/null 2> "$work/err"
check "missing input exits 1" 1 $?
check "missing input message" \
  "markwell-cli: $work/missing.pas: Cannot open file $work/missing.pas: No such file or directory" \
  "$(cat "$work/err")"

printf 'a\0b' > "$work/binary.pas"
"$cli" "$work/binary.pas" > /dev/null 2> "$work/err"
check "binary input exits 1" 1 $?
check "binary input message" "markwell-cli: $work/binary.pas: Failed to Load Stream" "$(cat "$work/err")"

printf 'x' | "$cli" -o "$work" 2> "$work/err"
check "output to a directory exits 1" 1 $?
check "output to a directory message" "markwell-cli: -: Cannot create file $work: Is a directory" \
  "$(cat "$work/err")"
printf 'x' | "$cli" > /dev/full 2> "$work/err"
check "full standard output exits 1" 1 $?
check "full standard output message" "markwell-cli: -: Cannot create file -: No space left on device" \
  "$(cat "$work/err")"

check "plain text from stdin as json" \
  '{"text": "a\r\nb", "selection": {"start": 0, "length": 0}, "runs": [{"start": 0, "length": 4, "bold": false, "italic": false, "underline": false, "strike": false, "color": "auto", "font": "Times New Roman", "size": 10}]}' \
  "$(printf 'a\nb' | "$cli" -t json | tr -d '\n' | sed 's/  */ /g; s/\[ /[/; s/ \]/]/; s/{ /{/')"

check "text output keeps CR LF" "610d0a62" "$(printf 'a\nb' | "$cli" -t text | od -An -tx1 | tr -d ' \n')"

check "the largest font size" '\fs3276' "$(printf 'x' | "$cli" --size 1638 | grep -o '\\fs[0-9]*')"
out=$(printf 'x' | "$cli" -m reset --font Arial --size 12 --font-style bold,italic --font-color '#102030' -t json)
contains "reset takes the base font" '"bold": true, "italic": true, "underline": false, "strike": false, "color": "#102030", "font": "Arial", "size": 12' "$out"

out=$(printf '{\\rtf1{\\fonttbl{\\f0 Courier New;}}\\f0\\fs40\\b\\ul x}' | "$cli" -m reset -t json)
contains "reset keeps the font name" '"bold": false, "italic": false, "underline": false, "strike": false, "color": "auto", "font": "Courier New", "size": 10' "$out"

printf 'begin' > "$work/a.pas"
mkdir "$work/nokeys"
"$cli" -k "$work/nokeys" -m pascal "$work/a.pas" > /dev/null 2> "$work/err"
check "missing keyword files still run" 0 $?
check "missing keyword file warning" \
  "markwell-cli: warning: $work/nokeys/DelphiKey.txt: File not found: No such file or directory" \
  "$(cat "$work/err")"
rmdir "$work/nokeys"

"$cli" -m pascal "$work/a.pas" -o "$work/a.rtf" 2> "$work/err"
check "writes rtf beside" 0 $?
contains "rtf header" '{\rtf1' "$(head -c 20 "$work/a.rtf")"
check "no temporary left" "a.pas a.rtf binary.pas err file help" "$(ls "$work" | tr '\n' ' ' | sed 's/ $//')"

out=$("$cli" -m pascal -c -t json "$data/cli/sample.pas")
contains "keyword bold black" '{"start": 0, "length": 5, "bold": true, "italic": false, "underline": false, "strike": false, "color": "#000000"' "$out"
contains "comment italic grey" '"bold": false, "italic": true, "underline": false, "strike": false, "color": "#808080"' "$out"
contains "literal dark red" '"bold": false, "italic": false, "underline": false, "strike": false, "color": "#800000"' "$out"
contains "caret at the end" '"selection": {"start": 33, "length": 0}' "$out"

# --mode auto chooses the filter from the extension, letter case ignored.
mkdir -p "$work/in" "$work/out"
printf 'begin end' > "$work/in/u.PAS"
printf 'x = 1; %% c' > "$work/in/s.m"
printf 'mov ax, 1 ; c' > "$work/in/p.asm"
printf 'begin' > "$work/in/notes.txt"
"$cli" -m auto -t json -o "$work/out/" "$work/in/u.PAS" "$work/in/s.m" "$work/in/p.asm" 2> "$work/err"
check "auto over several inputs" 0 $?
check "one output per input" "p.json s.json u.json" "$(ls "$work/out" | tr '\n' ' ' | sed 's/ $//')"
contains "auto picked pascal" '"bold": true' "$(cat "$work/out/u.json")"
contains "auto picked matlab" '"color": "#228B22"' "$(cat "$work/out/s.json")"
contains "auto picked asm" '"bold": true' "$(cat "$work/out/p.json")"
# An unknown extension skips that input only; -o makes the missing directories.
"$cli" -m auto -o "$work/made/deeper/" "$work/in/notes.txt" "$work/in/u.PAS" 2> "$work/err"
check "auto skips an unknown extension" 1 $?
check "the others are converted into the new directory" "u.rtf" "$(ls "$work/made/deeper")"
check "the skipped input is reported" \
  "markwell-cli: $work/in/notes.txt: skipped: --mode auto knows no language for '.txt'" \
  "$(cat "$work/err")"
printf 'x' | "$cli" -m auto > /dev/null 2>&1
check "auto on standard input is a usage error" 2 $?
"$cli" -m auto -o "$work/out/" "$work/in/u.PAS" - < /dev/null > /dev/null 2> "$work/err"
check "auto with standard input among several is a usage error" 2 $?
contains "auto names the modes" "modes: asm, pascal, matlab" "$(cat "$work/err")"
"$cli" "$work/in/u.PAS" "$work/in/s.m" > /dev/null 2>&1
check "several inputs need an output directory" 2 $?

rm -f "$work/out/"*
"$cli" -m pascal -o "$work/out/" "$work/in/u.PAS" "$work/in/missing.pas" "$work/in/s.m" 2> "$work/err"
check "a failing input fails the call" 1 $?
check "the rest are still converted" "s.rtf u.rtf" "$(ls "$work/out" | tr '\n' ' ' | sed 's/ $//')"
check "the failing input is reported" \
  "markwell-cli: $work/in/missing.pas: Cannot open file $work/in/missing.pas: No such file or directory" \
  "$(cat "$work/err")"

head -c 20000 /dev/zero | tr '\0' 'x' > "$work/in/big.txt"
(ulimit -f 4; "$cli" -o "$work/out/big.rtf" "$work/in/big.txt" 2> "$work/err")
check "a write past the file-size limit is reported" \
  "markwell-cli: $work/in/big.txt: Cannot create file $work/out/big.rtf: File too large" \
  "$(cat "$work/err")"
check "and leaves nothing behind" "" "$(ls -A "$work/out" | grep big)"

# Two inputs with one output name: the first one's output stays.
mkdir -p "$work/a" "$work/b"
printf 'begin' > "$work/a/unit.pas"
printf 'end' > "$work/b/unit.pas"
rm -f "$work/out/"*
"$cli" -t text -o "$work/out/" "$work/a/unit.pas" "$work/b/unit.pas" 2> "$work/err"
check "a second input for one output fails the call" 1 $?
check "the first input's output stays" "begin" "$(cat "$work/out/unit.txt")"
check "the second input is reported" \
  "markwell-cli: $work/b/unit.pas: not written: $work/out/unit.txt is already the output of $work/a/unit.pas" \
  "$(cat "$work/err")"
"$cli" -o "$work/a/unit.pas/" "$work/b/unit.pas" 2> "$work/err"
check "an output directory that is a file" \
  "markwell-cli: $work/b/unit.pas: Cannot create file $work/a/unit.pas/unit.rtf: Not a directory" \
  "$(cat "$work/err")"
"$cli" -o "$work/nowhere/a.rtf" "$work/a/unit.pas" 2> "$work/err"
check "an output file in a missing directory" \
  "markwell-cli: $work/a/unit.pas: Cannot create file $work/nowhere/a.rtf: No such file or directory" \
  "$(cat "$work/err")"

# An output that is no regular file, or is standard output's file, is written
# as it stands, as -o - is: also a pipe that /dev/stdout names for a user who
# is not root, and a file that standard output appends to.
as_user() {
  if [ "$(id -u)" = 0 ]; then setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; else "$@"; fi
}
check "-o /dev/stdout into a pipe" "x" \
  "$(as_user bash -c 'printf x | "$0" -t text -o /dev/stdout | tr -d "\r\n"' "$cli")"
check "-o /dev/fd/3 into a pipe" "x" \
  "$(printf 'x' | "$cli" -t text -o /dev/fd/3 3>&1 > /dev/null | tr -d '\r\n')"
ln -s /dev/stdout "$work/to-stdout"
printf 'old ' > "$work/log"
printf 'x' | "$cli" -t text -o "$work/to-stdout" >> "$work/log"
check "-o a link to /dev/stdout appended to a file" "old x" "$(tr -d '\r\n' < "$work/log")"
# The reason is the system's for the named file (not for a temporary beside it).
proc_reason="Permission denied"
[ "$(id -u)" = 0 ] && proc_reason="Input/output error"
mkdir "$work/tmp"
for case in "/dev/full|No space left on device" "/proc/version|$proc_reason"; do
  printf 'x' | TMPDIR="$work/tmp" "$cli" -o "${case%%|*}" 2> "$work/err"
  check "-o ${case%%|*} exits 1" 1 $?
  check "-o ${case%%|*} reason" "markwell-cli: -: Cannot create file ${case%%|*}: ${case#*|}" \
    "$(cat "$work/err")"
done
check "no copy of the old content is left" "" "$(ls -A "$work/tmp")"

# HTML escapes everything: text and font names.
html=$(printf '{\\rtf1{\\fonttbl{\\f0 Evil</style>"\\'"'"'27;}}\\f0 <script>&"x"</script>}' | "$cli" -t html)
contains "html is a page" '<!DOCTYPE html>' "$html"
contains "html escapes text" '&lt;script&gt;&amp;&quot;x&quot;&lt;/script&gt;' "$html"
case "$html" in *"<script>"*|*"</style>"*) failures=$((failures + 1)); echo "FAIL html lets markup through";; *) passes=$((passes + 1));; esac

# Language definitions: --list-modes, a run with colour, --mode auto, and a
# broken definition dropped beside a copy of the program.
contains "list-modes names C" "$(printf 'c\tC\t.c .h')" "$("$cli" --list-modes)"
contains "list-modes names Python" "$(printf 'python\tPython\t.py .pyw')" "$("$cli" --list-modes)"
out=$(printf 'int x; /* c */ char *s = "a";' | "$cli" -m c -c -t json)
contains "c keyword bold black" '{"start": 0, "length": 3, "bold": true, "italic": false, "underline": false, "strike": false, "color": "#000000"' "$out"
contains "c comment italic grey" '"length": 7, "bold": false, "italic": true, "underline": false, "strike": false, "color": "#808080"' "$out"
contains "c string dark red" '"length": 3, "bold": false, "italic": false, "underline": false, "strike": false, "color": "#800000"' "$out"
printf 'def f(): return 1' > "$work/in/f.PY"
printf 'int main;' > "$work/in/m.c"
rm -f "$work/out/"*
"$cli" -m auto -t json -o "$work/out/" "$work/in/f.PY" "$work/in/m.c" 2> "$work/err"
check "auto picks definitions" 0 $?
contains "auto picked python" '"length": 3, "bold": true' "$(cat "$work/out/f.json")"
contains "auto picked c" '"length": 3, "bold": true' "$(cat "$work/out/m.json")"
mkdir -p "$work/own/languages"
cp "$cli" "$work/own/"
printf 'bad = bad.lang\n' > "$work/own/languages/lang.map"
printf 'keyword = "x"\nthis is no rule (\n' > "$work/own/languages/bad.lang"
printf 'x' | "$work/own/markwell-cli" -m bad > /dev/null 2> "$work/err"
check "a broken definition fails the input" 1 $?
check "its message names file, line and reason" \
  "markwell-cli: -: $work/own/languages/bad.lang:2: syntax error" "$(cat "$work/err")"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
