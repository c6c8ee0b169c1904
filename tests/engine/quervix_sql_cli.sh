#!/usr/bin/env bash
# quervix-sql from the outside: output, exit codes and the statement sources.
# Usage: quervix_sql_cli.sh PATH-TO-quervix-sql
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 checks=0

# expect NAME STATUS STDOUT STDERR-PATTERN -- ARGS...: runs the tool once and compares.
expect() {
  local name=$1 status=$2 out=$3 err=$4
  shift 5
  local got_out got_status got_err
  got_out=$("$tool" "$@" 2>"$work/err")
  got_status=$?
  got_err=$(cat "$work/err")
  checks=$((checks + 1))
  if [[ $got_status != "$status" || $got_out != "$out" || ! $got_err =~ $err ]]; then
    failures=$((failures + 1))
    printf 'FAIL %s\n  status %s (want %s)\n  stdout [%s]\n  want   [%s]\n  stderr [%s]\n' \
      "$name" "$got_status" "$status" "$got_out" "$out" "$got_err"
  fi
}

cols='ID\tName\tCity\t'
expect "empty statement composes star" 0 "SELECT * FROM Customers " '^$' -- \
  --table Customers --columns "$cols"
expect "repeated --column" 0 "SELECT Name FROM [Order Details] WHERE  ( Name LIKE 'A%' ) ORDER BY Name DESC" '^$' -- \
  --table "Order Details" --column Name --column "Unit Price" \
  "select name, x from t where name like 'A%' order by NAME DESC"
expect "only the first item of a blank-separated list" 0 "SELECT Name FROM T " '^$' -- \
  --table T --columns "$cols" "SELECT Name, City FROM T"
expect "check: unchanged" 0 "" '^$' -- \
  --check --table T --columns "$cols" "SELECT ID,City FROM T WHERE  ( ID = 5 ) ORDER BY City DESC"
expect "check: changed clauses named" 1 $'changed: WHERE\nSELECT * FROM T WHERE  ( City = Smith\' ) ' '^$' -- \
  --check --table T --columns "$cols" "SELECT * FROM T WHERE City = 'John Smith'"
expect "syntax error" 1 "Syntax Error: SELECT Columns FROM ?table?" '^$' -- "SELECT a FROM b"
expect "empty table name" 1 "Syntax Error: SELECT Columns FROM ?table?" '^$' -- --table "" --columns 'a\t'
expect "help" 0 "$("$tool" --help)" '^$' -- -h
expect "unknown option" 2 "" '^quervix-sql: unknown option --tabel' -- --tabel T
expect "missing value" 2 "" 'needs a value' -- --table
expect "columns need a table" 2 "" 'need --table' -- --columns 'a\t'
expect "two statements" 2 "" 'more than one statement' -- --table T "SELECT * FROM T" extra
expect "unreadable file" 2 "" '^quervix-sql: cannot read' -- --table T --file "$work/missing.sql"

printf 'SELECT City FROM T ORDER BY ID ASC\r\n' >"$work/stmt.sql"
expect "statement from a file" 0 "SELECT City FROM T ORDER BY ID ASC" '^$' -- \
  --table T --columns "$cols" --file "$work/stmt.sql"
printf 'SELECT a\0b FROM T' >"$work/nul.sql"
expect "NUL inside the statement" 2 "" 'NUL' -- --table T --file "$work/nul.sql"

got=$(printf 'select id from t\n' | "$tool" --table T --columns "$cols" -)
checks=$((checks + 1))
if [[ $got != "SELECT ID FROM T " ]]; then
  failures=$((failures + 1)); echo "FAIL statement from standard input: [$got]"
fi

echo "$((checks - failures)) passed, $failures failed"
((failures == 0))
