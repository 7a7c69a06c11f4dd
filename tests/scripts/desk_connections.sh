#!/usr/bin/env bash
# A desk whose role must give its password, seen from outside the programs: through every form of
# connection text (--db and TRF_DB), trf and trf-report work on its home and print the password
# nowhere; a wrong or missing password is said to be one, naming the role; a text libpq cannot read
# is refused without being quoted and leaves no file behind; a hostile desk holding a table or rows
# with psql ends trf's load and save in words within the lock timeout. Usage: desk_connections.sh
# TRF TRF_REPORT SERVER_URI (the server's superuser administers, in a schema of its own; the server
# asks the members of trf_password_login for their password, as tools/pg-test-cluster makes it).
set -u
trf=$1
report=$2
server=$3
work=$(mktemp -d)
schema=desk_connections_$$
desk=paper_$$
hostile=hostile_$$
mark=Pa55mark  # in the password, so that it is found wherever the password lands
password="a $mark'&%= it"
failed=0
psql -q "$server" -c "CREATE SCHEMA $schema" \
  -c "CREATE ROLE $desk LOGIN PASSWORD 'a $mark''&%= it' IN ROLE trf_password_login" -c "CREATE ROLE $hostile LOGIN" ||
  { echo "FAILED: preparing the server"; exit 1; }
trap 'rm -rf "$work"; psql -q "$server" -c "DROP SCHEMA $schema CASCADE" -c "DROP OWNED BY $desk, $hostile" -c "DROP ROLE $desk, $hostile" >/dev/null 2>&1' EXIT
admin="$server&options=-csearch_path%3D$schema"
host=$(sed -n 's/.*[?&]host=\([^&]*\).*/\1/p' <<<"$server")
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected [$2], got [$3]"; failed=1; fi
}
# Fails when the file $2 holds the password's mark.
unshown() {
  if grep -q "$mark" "$2"; then echo "FAILED: $1 shows the password: $(grep "$mark" "$2")"; failed=1; else echo "ok: $1 shows no password"; fi
}
encoded() { python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "$1"; }

"$trf" --db "$admin" --sample --script /dev/null >/dev/null || { echo "FAILED: creating the database"; exit 1; }
"$trf" --db "$admin" --admin grant "$desk" H-101 >/dev/null && "$trf" --db "$admin" --admin grant "$hostile" H-101 >/dev/null ||
  { echo "FAILED: granting H-101"; exit 1; }

# The desk's connection text in every form, with the password given as $1.
forms() {
  local pw=$1
  printf '%s\n' \
    "postgresql://$desk:$(encoded "$pw")@/postgres?host=$(encoded "$host")&options=-csearch_path%3D$schema" \
    "postgresql:///postgres?host=$(encoded "$host")&password=$(encoded "$pw")&user=$desk&options=-csearch_path%3D$schema" \
    "host=$host dbname=postgres user=$desk password='${pw//\'/\\\'}' options='-csearch_path=$schema'"
}
printf 'go home\nselect 1\nexpect current home: H-101 Maple House\n' >"$work/home.trf"

n=0
while read -r text; do
  n=$((n + 1))
  "$trf" --db "$text" --script "$work/home.trf" >"$work/out" 2>&1
  check "form $n: trf works on the desk's home" 0 $?
  unshown "form $n: trf" "$work/out"
  TRF_DB="$text" "$trf" --script "$work/home.trf" >"$work/out" 2>&1
  check "form $n through TRF_DB: trf works on the desk's home" 0 $?
  unshown "form $n through TRF_DB: trf" "$work/out"
  TRF_DB="$text" "$report" --home H-101 --month 2004-03 --json "$work/report.json" >"$work/out" 2>&1
  check "form $n: trf-report makes the report (exit 0 or 1)" yes "$([ $? -le 1 ] && echo yes || echo no)"
  unshown "form $n: trf-report" "$work/out"
  unshown "form $n: the report" "$work/report.json"
done < <(forms "$password")

n=0
while read -r text; do
  n=$((n + 1))
  "$trf" --db "$text" --script "$work/home.trf" >"$work/out" 2>&1
  check "form $n, wrong password: trf stops" 1 $?
  check "form $n, wrong password: said so, naming the role" 1 \
    "$(grep -c "The database server refused the password of role $desk: give the role's right password." "$work/out")"
  "$report" --db "$text" --home H-101 --month 2004-03 --json "$work/report.json" >"$work/out" 2>&1
  check "form $n, wrong password: trf-report says so" 1 "$(grep -c "refused the password of role $desk" "$work/out")"
  "$trf" --db "$text" --admin list >"$work/out" 2>&1
  check "form $n, wrong password: trf --admin says so" 1 "$(grep -c "refused the password of role $desk" "$work/out")"
  unshown "form $n, wrong password: trf --admin" "$work/out"
done < <(forms "Wr0ng $mark")
"$trf" --db "${admin/user=trf/user=$desk}" --script "$work/home.trf" >"$work/out" 2>&1
check "no password: said to be asked for" 1 "$(grep -c "asks for the password of role $desk, and none was given" "$work/out")"
"$trf" --db "host=/nonexistent-trf-socket user=$desk password=$mark" --script "$work/home.trf" >"$work/out" 2>&1
check "a server out of reach: said so" 1 \
  "$(grep -c "The database server at user=$desk host=/nonexistent-trf-socket could not be reached" "$work/out")"
unshown "a server out of reach" "$work/out"

# A text libpq cannot read: refused without a word of it, and no file named after it.
mkdir "$work/here"
(cd "$work/here" && "$trf" --db "host=$host user=$desk password='$mark" --script /dev/null) >"$work/out" 2>&1
check "an unreadable text: refused" 1 "$(grep -c "The server's connection text cannot be read" "$work/out")"
unshown "an unreadable text" "$work/out"
check "an unreadable text: no file is made" "" "$(ls -A "$work/here")"

# A hostile desk locks the residents' table whole, then holds their rows: trf's load, then its save,
# end in words after the lock timeout (5 seconds), not later.
as_hostile="${admin/user=trf/user=$hostile}"
as_desk=$(forms "$password" | head -n 1)
psql -q "$as_hostile" -c "BEGIN" -c "LOCK TABLE tbH_Residents IN ACCESS EXCLUSIVE MODE" -c "SELECT pg_sleep(8)" \
  -c "COMMIT" >/dev/null 2>&1 &
sleep 1
start=$SECONDS
printf 'go home\nselect 1\ngo setup\nselect 3\ngo residents\n' | "$trf" --db "$as_desk" --script - >"$work/out" 2>&1
check "a locked table: the load says what is held" 1 \
  "$(grep -c "error: Nothing could be read: another desk holds the residents of this month; try again." "$work/out")"
check "a locked table: the load ends within the timeout" yes "$([ $((SECONDS - start)) -le 8 ] && echo yes || echo no)"
wait
psql -q "$as_hostile" -c "BEGIN" -c "SELECT 1 FROM tbH_Residents WHERE H_HomeMonthlyStatsID = 3 FOR UPDATE" \
  -c "SELECT pg_sleep(8)" -c "COMMIT" >/dev/null 2>&1 &
sleep 1
start=$SECONDS
printf 'go home\nselect 1\ngo setup\nselect 3\ngo residents\nselect 1\nset fee 2500\nanswer yes\ngo home\n' |
  "$trf" --db "$as_desk" --script - >"$work/out" 2>&1
check "held rows: the save says what is held" 1 \
  "$(grep -c "error: Nothing was saved: another desk holds the residents of this month; try again." "$work/out")"
check "held rows: the save ends within the timeout" yes "$([ $((SECONDS - start)) -le 8 ] && echo yes || echo no)"
wait
exit $failed
