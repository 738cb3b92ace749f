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

for args in "--bogus" "--mode fancy" "--to pdf" "--font-color red" "--size ten" \
            "--font-style heavy" "a b" "--mode"; do
  # shellcheck disable=SC2086
  "$cli" $args < /dev/null > /dev/null 2> "$work/err"
  check "usage error: $args" 2 $?
done
contains "usage error names the option" "unknown option '--bogus'" \
  "$("$cli" --bogus 2>&1 >/dev/null)"

"$cli" "$work/missing.pas" > /dev/null 2> "$work/err"
check "missing input exits 1" 1 $?
check "missing input message" "markwell-cli: Cannot open file $work/missing.pas" "$(cat "$work/err")"

printf 'a\0b' > "$work/binary.pas"
"$cli" "$work/binary.pas" > /dev/null 2> "$work/err"
check "binary input exits 1" 1 $?
check "binary input message" "markwell-cli: Failed to Load Stream" "$(cat "$work/err")"

printf 'x' | "$cli" -o "$work" 2> "$work/err"
check "output to a directory exits 1" 1 $?
check "output to a directory message" "markwell-cli: Cannot create file $work" "$(cat "$work/err")"

check "plain text from stdin as json" \
  '{"text": "a\r\nb", "selection": {"start": 0, "length": 0}, "runs": [{"start": 0, "length": 4, "bold": false, "italic": false, "underline": false, "strike": false, "color": "auto", "font": "Times New Roman", "size": 10}]}' \
  "$(printf 'a\nb' | "$cli" -t json | tr -d '\n' | sed 's/  */ /g; s/\[ /[/; s/ \]/]/; s/{ /{/')"

check "text output keeps CR LF" "610d0a62" "$(printf 'a\nb' | "$cli" -t text | od -An -tx1 | tr -d ' \n')"

out=$(printf 'x' | "$cli" -m reset --font Arial --size 12 --font-style bold,italic --font-color '#102030' -t json)
contains "reset takes the base font" '"bold": true, "italic": true, "underline": false, "strike": false, "color": "#102030", "font": "Arial", "size": 12' "$out"

out=$(printf '{\\rtf1{\\fonttbl{\\f0 Courier New;}}\\f0\\fs40\\b\\ul x}' | "$cli" -m reset -t json)
contains "reset keeps the font name" '"bold": false, "italic": false, "underline": false, "strike": false, "color": "auto", "font": "Courier New", "size": 10' "$out"

printf 'begin' > "$work/a.pas"
"$cli" -k "$work/nokeys" -m pascal "$work/a.pas" > /dev/null 2> "$work/err"
check "missing keyword files still run" 0 $?
check "missing keyword file warning" "markwell-cli: warning: DelphiKey.txt: File not found" "$(cat "$work/err")"

"$cli" -m pascal "$work/a.pas" -o "$work/a.rtf" 2> "$work/err"
check "writes rtf beside" 0 $?
contains "rtf header" '{\rtf1' "$(head -c 20 "$work/a.rtf")"
check "no temporary left" "a.pas a.rtf binary.pas err help" "$(ls "$work" | tr '\n' ' ' | sed 's/ $//')"

out=$("$cli" -m pascal -c -t json "$data/cli/sample.pas")
contains "keyword bold black" '{"start": 0, "length": 5, "bold": true, "italic": false, "underline": false, "strike": false, "color": "#000000"' "$out"
contains "comment italic grey" '"bold": false, "italic": true, "underline": false, "strike": false, "color": "#808080"' "$out"
contains "literal dark red" '"bold": false, "italic": false, "underline": false, "strike": false, "color": "#800000"' "$out"
contains "caret at the end" '"selection": {"start": 33, "length": 0}' "$out"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
