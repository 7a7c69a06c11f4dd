#!/usr/bin/env bash
# The region's side seen from outside, as the README tries it: two desks and a reviewer of one server
# database. Birch files its March, the reviewer sees the grid, asks about a fee, birch reads the
# question among its problems and replies, reopens, corrects and files again, the reviewer closes the
# question; the chart and the region's month are written (the month's JSON read back against its
# published schema); a home on a file of its own sends its filed month, which is imported, and the
# same file altered by one character is refused.
# Usage: region.sh TRF TRF_REGION TRF_REPORT SERVER_URI DOCS (the server's superuser administers, in a
# schema of its own).
set -u
trf=$1
region=$2
report=$3
server=$4
docs=$5
schema=region_$$
maple=maple_$$
birch=birch_$$
rowan=rowan_$$
work=$(mktemp -d)
failed=0
psql -q "$server" -c "CREATE SCHEMA $schema; CREATE ROLE $maple LOGIN; CREATE ROLE $birch LOGIN; CREATE ROLE $rowan LOGIN" ||
  { echo "FAILED: preparing the server"; exit 1; }
trap 'rm -rf "$work"; psql -q "$server" -c "DROP SCHEMA $schema CASCADE" -c "DROP OWNED BY $maple, $birch, $rowan" -c "DROP ROLE $maple, $birch, $rowan" >/dev/null 2>&1' EXIT
admin="$server&options=-csearch_path%3D$schema"
as_birch="${admin/user=trf/user=$birch}"
as_rowan="${admin/user=trf/user=$rowan}"
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected [$2], got [$3]"; failed=1; fi
}
has() {  # has WHAT TEXT OUTPUT: the output holds the text
  if grep -qF -- "$2" <<<"$3"; then echo "ok: $1"; else echo "FAILED: $1: [$2] not in:"; echo "$3"; failed=1; fi
}
birch_does() { printf "go home\nselect 1\ngo setup\nselect 1\n$1" | "$trf" --db "$as_birch" --script - 2>&1; }

"$trf" --db "$admin" --sample --script /dev/null >/dev/null || { echo "FAILED: creating the database"; exit 1; }
for grant in "grant $maple H-101" "grant $birch H-102" "grant-review $rowan H-101" "grant-review $rowan --region S"; do
  "$trf" --db "$admin" --admin $grant >/dev/null || { echo "FAILED: --admin $grant"; exit 1; }
done
has "the administrator lists the reviews" "$rowan may review H-102 Birch Court (region S)" \
  "$("$trf" --db "$admin" --admin list)"

has "birch files March" "send-off passed" "$(birch_does 'sendoff\n')"
grid=$("$region" --db "$as_rowan" status --from 2004-03 --to 2004-03 --csv "$work/grid.csv")
check "status: every filing verifies" 0 $?
has "status: Maple's March is active" "H-101 Maple House  active" "$grid"
has "status: Birch's March is filed" "H-102 Birch Court  filed" "$grid"
has "status: the CSV says who filed and that it verifies" "H-102,Birch Court,S,2004-03,filed,1,$birch," \
  "$(cat "$work/grid.csv")"

asked=$("$region" --db "$as_rowan" query H-102 2004-03 --record "Paul Moreau" --field "Monthly fee" Is this fee right?)
has "query: the question is asked" "asked on March 2004 of H-102 (Residents, Paul Moreau, Monthly fee)" "$asked"
number=$(sed -E 's/^question ([0-9]+) .*/\1/' <<<"$asked")
has "status: the month is questioned" "H-102 Birch Court  questioned" "$("$region" --db "$as_rowan" status --from 2004-03 --to 2004-03)"
has "birch sees the question among its problems" \
  "Residents, Paul Moreau, Monthly fee: question $number from the region: Is this fee right? (asked by $rowan on" \
  "$(birch_does 'problems\n')"
has "birch replies" "your reply to question $number is on record" "$(birch_does "reply $number It is: his room is the larger one.\n")"
has "rowan reads the reply with who gave it" "$birch replied: It is: his room is the larger one." \
  "$("$region" --db "$as_rowan" questions)"

has "birch reopens, corrects and files again" "send-off passed" \
  "$(birch_does 'reopen the fee of Paul Moreau was wrong\ngo residents\nselect 1\nset fee 2300\nsave\nsendoff\n')"
steps=$("$region" --db "$as_rowan" questions)
has "the question's steps: reopened" "$birch reopened the month: the fee of Paul Moreau was wrong" "$steps"
has "the question's steps: filed again" "$birch filed the month again" "$steps"
has "rowan closes the question" "question $number closed" "$("$region" --db "$as_rowan" close "$number" Thank you.)"
has "status: filed again" "H-102 Birch Court  filed again" "$("$region" --db "$as_rowan" status --from 2004-03 --to 2004-03)"

"$region" --db "$as_rowan" chart --home H-102 --png "$work/chart.png" --csv "$work/chart.csv" >/dev/null
check "chart: a PNG picture" "PNG" "$(head -c 4 "$work/chart.png" | tail -c 3)"
has "chart: the CSV has March's figures" "2004-03,1,2,2300.00,0.00," "$(cat "$work/chart.csv")"

"$region" --db "$as_rowan" export --month 2004-03 --json "$work/march.json" --csv "$work/march" >/dev/null
check "export: the JSON follows its published schema" "valid" "$(python3 - "$work/march.json" "$docs" <<'EOF'
import json, sys, jsonschema
document = json.load(open(sys.argv[1]))
store = {name: json.load(open(sys.argv[2] + "/" + name)) for name in ("region-month.schema.json", "month-report.schema.json")}
resolver = jsonschema.RefResolver("", store["region-month.schema.json"], store=store)
jsonschema.Draft202012Validator(store["region-month.schema.json"], resolver=resolver).validate(document)
print("valid" if [h["state"] for h in document["homes"]] == ["active", "filed again"] else document["homes"])
EOF
)"
has "export: the homes' CSV" "H-102,Birch Court,S,2004-03,filed again,$birch," "$(cat "$work/march/homes.csv")"

# A home on a file of its own: Alder Rise files its March there and sends the report's JSON.
psql -q "$admin" -c "INSERT INTO tbH_Homes (H_RegionCD, H_HomeNum, H_HomeName, H_Capacity) VALUES ('S', 'H-104', 'Alder Rise', 8)"
"$trf" --db "$admin" --admin grant-review "$rowan" --region S >/dev/null
"$trf" --db "$work/alder.db" --script /dev/null >/dev/null
sqlite3 "$work/alder.db" "UPDATE tbH_Homes SET H_HomeNum = 'H-104', H_HomeName = 'Alder Rise' WHERE H_HomesID = 2"
printf 'go home\nselect 2\ngo setup\nselect 1\nsendoff\n' | "$trf" --db "$work/alder.db" --script - >/dev/null
"$report" --db "$work/alder.db" --home H-104 --month 2004-03 --json "$work/alder.json" >/dev/null
sed 's/2,200.00/2,300.00/' "$work/alder.json" >"$work/altered.json"
refused=$("$region" --db "$as_rowan" import "$work/altered.json" 2>&1)
check "import: an altered file is refused" 1 $?
has "import: ... saying why" "altered.json does not verify: its report does not match the digest of its filing" "$refused"
has "import: the file as sent is imported" "imported, and on the grid as filed" \
  "$("$region" --db "$as_rowan" import "$work/alder.json")"
"$region" --db "$as_rowan" status --region S --from 2004-03 --to 2004-03 --csv "$work/south.csv" >/dev/null
has "status: the imported month is filed" "H-104,Alder Rise,S,2004-03,filed,1," "$(cat "$work/south.csv")"
exit $failed
