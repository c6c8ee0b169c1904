#!/usr/bin/env bash
# quervix-sql from the outside: output, exit codes and the statement sources.
# Usage: quervix_sql_cli.sh PATH-TO-quervix-sql
set -u
tool=$1 work=$(mktemp -d) failures=0 checks=0
trap 'rm -rf "$work"' EXIT

# expect STATUS STDOUT STDERR-PATTERN ARGS...: runs the tool once (stdin from $work/in) and compares.
expect() {
  local status=$1 out=$2 err=$3 got_out got_status
  shift 3
  got_out=$("$tool" "$@" <"$work/in" 2>"$work/err")
  got_status=$? checks=$((checks + 1))
  [[ $got_status == "$status" && $got_out == "$out" && $(<"$work/err") =~ $err ]] || { failures=$((failures + 1))
    printf 'FAIL %s\n  status %s (want %s)\n  stdout [%s]\n  want   [%s]\n  stderr [%s]\n' \
      "$*" "$got_status" "$status" "$got_out" "$out" "$(<"$work/err")"; }
}

cols='ID\tName\tCity\t'
printf 'SELECT City FROM T ORDER BY ID ASC\r\n' >"$work/stmt.sql"
printf 'SELECT a\0b FROM T' >"$work/nul.sql"
printf 'select id from t\n' >"$work/in"
expect 0 "SELECT * FROM Customers " '^$' --table Customers --columns "$cols"
expect 0 "SELECT Name FROM [Order Details] WHERE  ( Name LIKE 'A%' ) ORDER BY Name DESC" '^$' \
  --table "Order Details" --column Name --column "Unit Price" "select name, x from t where name like 'A%' order by NAME DESC"
expect 0 "" '^$' --check --table T --columns "$cols" \
  "SELECT ID,City FROM T WHERE  ( City = 'New York' ) OR ( ID BETWEEN 1 AND 5 ) ORDER BY City DESC,ID"
expect 1 $'changed: WHERE\nSELECT * FROM T WHERE  ( City = Smith\' ) ' '^$' \
  --check --table T --columns "$cols" "SELECT * FROM T WHERE City = 'John Smith'"
expect 1 "Syntax Error: SELECT Columns FROM ?table?" '^$' --table "" --columns 'a\t'
expect 0 "$("$tool" --help)" '^$' -h
expect 2 "" '^quervix-sql: unknown option --tabel' --tabel T
expect 2 "" 'needs a value' --table
expect 2 "" 'need --table' --columns 'a\t'
expect 2 "" 'more than one statement' --table T "SELECT * FROM T" extra
expect 2 "" '^quervix-sql: cannot read' --table T --file "$work/missing.sql"
expect 0 "SELECT City FROM T ORDER BY ID ASC" '^$' --table T --columns "$cols" --file "$work/stmt.sql"
expect 2 "" 'NUL' --table T --file "$work/nul.sql"
expect 0 "SELECT ID FROM T " '^$' --table T --columns "$cols" -
echo "$((checks - failures)) passed, $failures failed"
((failures == 0))
