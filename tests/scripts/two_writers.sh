#!/usr/bin/env bash
# Two trf processes on one database edit the same resident: the first to save wins, the second's
# save is refused as a change made since it read the record, its edit stays, nothing of its batch
# is written, and after undo it sees the stored record. Usage: two_writers.sh TRF [SERVER_URI]: on a
# database file, or with a server's URI in a schema of its own on that server.
set -u
trf=$1
server=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -n "$server" ]; then
  schema=two_writers_$$
  psql -q "$server" -c "CREATE SCHEMA $schema" || { echo "FAILED: creating a schema on $server"; exit 1; }
  db="$server&options=-csearch_path%3D$schema"
  sql() { psql -qtA "$db" -c "$1"; }
else
  db=$work/trf.db
  sql() { sqlite3 "$db" "$1"; }
fi
"$trf" --db "$db" --sample --script /dev/null >/dev/null || { echo "FAILED: creating the database"; exit 1; }
fee() { sql "SELECT CAST(H_MonthlyFee AS INTEGER) FROM tbH_Residents WHERE H_ResidentsID = $1"; }

# The second writer reads Ben Okafor and Nora Pike's records, then waits on its pipe for the rest.
mkfifo "$work/second.in"
"$trf" --db "$db" --script - <"$work/second.in" >"$work/second.out" 2>&1 &
second=$!
exec 3>"$work/second.in"
printf 'go home\nselect 1\ngo setup\nselect 3\ngo residents\nselect 2\nexpect name      : Ben Okafor\n' >&3
sleep 2

# The first writer changes Ben Okafor's fee and saves it.
printf 'go home\nselect 1\ngo setup\nselect 3\ngo residents\nselect 2\nset fee 2500\nsave\nexpect record saved\nanswer yes\n' \
  >"$work/first.trf"
"$trf" --db "$db" --script "$work/first.trf" >"$work/first.out" 2>&1 || { cat "$work/first.out"; echo "FAILED: first writer"; exit 1; }

# The second writer edits two residents in one batch; the save is refused as a whole.
cat >&3 <<'TRF'
set fee 2600
select 3
set fee 9
save
expect refused Resident 5 was changed or removed in the database after it was read here
expect fee       : 9
undo
select 2
expect fee       : 2500
answer yes
quit
TRF
exec 3>&-
wait $second
status=$?
failures=0
[ $status -eq 0 ] || { echo "FAILED: the second writer's script (status $status)"; failures=1; }
[ "$(fee 5)" = 2500 ] || { echo "FAILED: Ben Okafor's fee is $(fee 5), not the first writer's 2500"; failures=1; }
[ "$(fee 6)" = 2500 ] || { echo "FAILED: the refused batch wrote Clara Lindqvist's fee: $(fee 6)"; failures=1; }
if [ -z "$server" ]; then
  [ "$(sql 'PRAGMA integrity_check')" = ok ] || { echo "FAILED: integrity_check"; failures=1; }
fi
# The refusal is a sentence: no trail of locations, no error number.
if grep -qE 'KW_UIShared|error -?[0-9]' "$work/second.out"; then echo "FAILED: a raw error reached the desk"; failures=1; fi
[ $failures -eq 0 ] || cat "$work/second.out"
[ $failures -eq 0 ] && echo "two writers: the second save was refused and nothing of it was written"
exit $failures
