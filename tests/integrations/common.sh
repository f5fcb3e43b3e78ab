# Sourced by the integration tests with the program's path: sets tool, here
# (this folder) and work (a folder removed at exit). write_object FILE: an
# exported codeunit in CR LF with one procedure per bundled example (long
# lines, CASE, nested blocks, quoted texts), one pasted unindented, and a text
# in the OEM code page.
tool=$(realpath "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
write_object() {
  local n=0 file
  {
    printf 'OBJECT Codeunit 50010 Credit Check\n{\n  PROPERTIES\n  {\n    OnRun=BEGIN\n'
    printf "            MESSAGE('Pr\x81fung: %%1',\"No.\");\n          END;\n\n  }\n  CODE\n  {\n"
    for file in "$here"/../../examples/*.txt; do
      printf '\n    PROCEDURE Example%d@%d();\n    BEGIN\n' $((++n)) $n
      tr -d '\r' <"$file" | sed 's/^ */      /' && printf '    END;\n'
    done
    # Code pasted flush with its BEGIN, one line at column 1.
    printf '\n    PROCEDURE Pasted@99();\n    BEGIN\n    IF n > 0 THEN\n    MESSAGE('"'"'%%1'"'"',n);\nn := 0;\n    END;\n'
    printf '\n    BEGIN\n    {\n      Changed by the tests.\n    }\n    END.\n  }\n}\n'
  } | sed 's/$/\r/' >"$1"
}
