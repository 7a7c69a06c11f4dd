#!/usr/bin/env bash
# Two desks of one server database, each its own role granted one home by the administrator: through
# trf and through psql alike, a desk sees and changes only its home, its changes are on record in
# its role's name, and a filed month refuses changes. Usage: two_desks.sh TRF SERVER_URI (the
# server's superuser administers, in a schema of its own).
set -u
trf=$1
server=$2
schema=two_desks_$$
maple=maple_$$
birch=birch_$$
failed=0
psql -q "$server" -c "CREATE SCHEMA $schema; CREATE ROLE $maple LOGIN; CREATE ROLE $birch LOGIN" ||
  { echo "FAILED: preparing the server"; exit 1; }
trap 'psql -q "$server" -c "DROP SCHEMA $schema CASCADE" -c "DROP OWNED BY $maple, $birch" -c "DROP ROLE $maple, $birch" >/dev/null 2>&1' EXIT
admin="$server&options=-csearch_path%3D$schema"
as_maple="${admin/user=trf/user=$maple}"
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected [$2], got [$3]"; failed=1; fi
}
sql() { psql -qtA "$1" -c "$2" 2>&1; }

"$trf" --db "$admin" --sample --script /dev/null >/dev/null || { echo "FAILED: creating the database"; exit 1; }
"$trf" --db "$admin" --admin grant "$maple" H-101 >/dev/null || { echo "FAILED: granting H-101"; exit 1; }
"$trf" --db "$admin" --admin grant "$birch" H-102 >/dev/null || { echo "FAILED: granting H-102"; exit 1; }
check "the administrator lists both desks" "$birch may work on H-102 Birch Court
$maple may work on H-101 Maple House" "$("$trf" --db "$admin" --admin list)"

# Through psql: Birch Court's rows are not there for Maple's desk, and writing to them changes nothing.
check "psql: a desk reads no other home's residents" 0 \
  "$(sql "$as_maple" "SELECT COUNT(*) FROM tbH_Residents WHERE H_HomeMonthlyStatsID = 4")"
check "psql: a desk changes no other home's residents" "" \
  "$(sql "$as_maple" "UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_HomeMonthlyStatsID = 4")"
check "psql: ... and nothing was changed" 0 "$(sql "$admin" "SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 1")"
# Through psql, a desk's change to its own home is recorded in its name.
sql "$as_maple" "UPDATE tbH_Residents SET H_MonthlyFee = 2999 WHERE H_ResidentsID = 4" >/dev/null
check "psql: a change is on record with the role" "$maple 2400 2999" \
  "$(sql "$admin" "SELECT S_Who, S_OldValue, S_NewValue FROM tbS_ChangeRecord WHERE S_RecordKey = '4' AND S_Field = 'h_monthlyfee'" | tr '|' ' ')"

# Through trf: Our Home lists Maple House alone; the resident's history shows the change made with psql.
out=$(printf 'go home\nselect 1\ngo setup\nselect 3\ngo residents\nselect 1\nhistory fee\n' | "$trf" --db "$as_maple" --script - 2>&1)
check "trf: Our Home lists no other home" 0 "$(grep -c 'Birch Court' <<<"$out")"
check "trf: history shows the psql change" 1 "$(grep -c "Monthly fee 2,400.00 -> 2,999.00 by $maple on" <<<"$out")"

# A filed month refuses changes through psql, whoever tries, the administrator too.
sql "$as_maple" "INSERT INTO tbH_MonthFilings (H_HomeMonthlyStatsID) VALUES (3)" >/dev/null
for who in "$as_maple" "$admin"; do
  check "psql: a filed month is locked" 1 \
    "$(sql "$who" "UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_ResidentsID = 4" | grep -Ec "March 2004 of H-101 was filed by $maple on [0-9-]+ [0-9:]+ UTC: reopen it to change it.")"
done
exit $failed
