#!/usr/bin/env bash
# The database file from outside: refusals at start-up are sentences without raw numbers, a file of
# another program is left untouched, a file of the earlier program gains its row versions, a
# read-only run keeps the journal mode, a file in a folder that may not be written opens read-only
# without anything created beside it, a busy database is refused after the busy timeout, a restore
# refuses a tampered copy and another program's file, dropped triggers come back, and the file
# passes its integrity check after every failure. Usage: database_file.sh TRF SCRIPTS_DIR
set -u
trf=$1
scripts=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check_ok() { [ "$(sqlite3 "$1" 'PRAGMA integrity_check')" = ok ] || fail "integrity_check of $1"; }
# Runs trf expecting a refusal at start-up: a non-zero status and `text` on standard error.
refused() {
  local text=$1; shift
  if "$trf" "$@" --script /dev/null 2>"$work/err" >/dev/null; then fail "trf $* was not refused"; fi
  grep -qF "$text" "$work/err" || fail "trf $*: expected \"$text\", got: $(cat "$work/err")"
  if grep -qE 'error -?[0-9]' "$work/err"; then fail "trf $*: a raw error number: $(cat "$work/err")"; fi
}

refused 'No database file was named' --db ""
refused 'is a folder, not a database file' --db "$work"

# Another program's database: refused, and not one byte of it changes.
sqlite3 "$work/other.db" 'CREATE TABLE songs (title TEXT); INSERT INTO songs VALUES ("Blue");'
before=$(sha256sum "$work/other.db")
refused 'is a database of another program; it is left untouched' --db "$work/other.db"
[ "$before" = "$(sha256sum "$work/other.db")" ] || fail "the other program's database was changed"
[ "$(sqlite3 "$work/other.db" 'PRAGMA journal_mode')" = delete ] || fail "the other database's journal mode changed"
printf 'not a database at all' >"$work/text.db"
refused 'is not a database file' --db "$work/text.db"

# A database of the earlier program: no mark, no row versions; it is brought up to date.
"$trf" --db "$work/old.db" --script /dev/null >/dev/null || fail "creating old.db"
for trigger in $(sqlite3 "$work/old.db" "SELECT name FROM sqlite_master WHERE type='trigger'"); do
  sqlite3 "$work/old.db" "DROP TRIGGER $trigger" || fail "dropping the trigger $trigger"
done
sqlite3 "$work/old.db" 'DROP TABLE tbH_MonthlyNotes; DROP TABLE tbS_SchemaVersion; DROP TABLE tbS_Writer;
  DROP TABLE tbS_ChangeRecord; DROP TABLE tbH_MonthFilings; PRAGMA application_id = 0'
for table in $(sqlite3 "$work/old.db" "SELECT name FROM sqlite_master WHERE type='table'"); do
  sqlite3 "$work/old.db" "ALTER TABLE $table DROP COLUMN RowVersion" || fail "dropping the version of $table"
done
printf 'go home\nselect 1\nexpect current home: H-101 Maple House\n' >"$work/browse.trf"
"$trf" --db "$work/old.db" --script "$work/browse.trf" >"$work/out" || fail "the earlier database did not open: $(cat "$work/out")"
[ "$(sqlite3 "$work/old.db" "SELECT COUNT(*) FROM pragma_table_info('tbH_Residents') WHERE name = 'RowVersion'")" = 1 ] ||
  fail "the earlier database has no row versions"
check_ok "$work/old.db"

# Read-only: the journal mode stays as it was, every screen says so, saves are refused.
"$trf" --db "$work/ro.db" --script /dev/null >/dev/null || fail "creating ro.db"
sqlite3 "$work/ro.db" 'PRAGMA journal_mode = DELETE' >/dev/null
"$trf" --read-only --db "$work/ro.db" --script "$scripts/support/read_only.trf" >"$work/out" ||
  fail "read-only script: $(cat "$work/out")"
[ "$(sqlite3 "$work/ro.db" 'PRAGMA journal_mode')" = delete ] || fail "a read-only run switched the journal mode"
[ "$(sqlite3 "$work/ro.db" 'SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 5')" = 2350.0 ] ||
  fail "a read-only run wrote a fee"
refused 'does not exist' --read-only --db "$work/missing.db"

# A read-only share: a database in WAL mode in a folder the user may read but not write. The file
# itself may be written, so only the folder makes it read-only. Root may write any folder, so as
# root trf runs as nobody there.
as_reader() {
  if [ "$(id -u)" -eq 0 ]; then setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; else "$@"; fi
}
share="$work/share"
mkdir "$share"
"$trf" --db "$share/trf.db" --script /dev/null >/dev/null || fail "creating the shared database"
[ "$(sqlite3 "$share/trf.db" 'PRAGMA journal_mode')" = wal ] || fail "the shared database is not in WAL mode"
cp "$scripts/support/read_only.trf" "$work/read_only.trf"
chmod 755 "$work" && chmod 666 "$share/trf.db" && chmod 555 "$share"
listing() { ls -lA --time-style=full-iso "$share"; }
before=$(listing)
as_reader "$trf" --db "$share/trf.db" --script "$work/read_only.trf" >"$work/out" 2>&1 ||
  fail "browsing the share: $(cat "$work/out")"
[ "$before" = "$(listing)" ] || fail "browsing the share changed its folder: $(listing)"
chmod 755 "$share"

# Busy: another connection holds the write lock longer than trf waits; the save is refused in words.
"$trf" --db "$work/busy.db" --script /dev/null >/dev/null || fail "creating busy.db"
# The holder keeps the lock until trf is done, however slow a loaded machine makes trf; trf starts
# only once the lock is taken (a second writer is then refused at once).
hold_lock() {
  echo '.timeout 5000'
  echo 'BEGIN IMMEDIATE;'
  while [ ! -e "$work/trf.done" ]; do sleep 0.2; done
  echo 'COMMIT;'
}
hold_lock | sqlite3 "$work/busy.db" &
holder=$!
for _ in $(seq 100); do sqlite3 "$work/busy.db" 'BEGIN IMMEDIATE; ROLLBACK;' 2>/dev/null || break; sleep 0.1; done
cat >"$work/busy.trf" <<'TRF'
go home
select 1
go setup
select 3
go families
select 1
set address 1 Elm Row
save
expect refused The database is in use by another program
expect * address : 1 Elm Row
TRF
printf 'quit\nexpect the changes on Family Groups are not saved\nquit\n' >>"$work/busy.trf"
"$trf" --db "$work/busy.db" --script "$work/busy.trf" >"$work/out" || fail "busy script: $(cat "$work/out")"
touch "$work/trf.done"
wait "$holder"
check_ok "$work/busy.db"

# Restore: a copy whose change record lost its triggers is refused by name, and so is a restore over
# another program's database; neither file changes; a sound copy is restored, and a file whose
# triggers were dropped behind trf gets them back at its next opening, which says so.
"$trf" --db "$work/live.db" --script /dev/null >/dev/null || fail "creating live.db"
"$trf" --db "$work/live.db" --backup "$work/copy.db" >/dev/null || fail "backing up live.db"
cp "$work/copy.db" "$work/tampered.db"
sqlite3 "$work/tampered.db" 'DROP TRIGGER trf_tbH_Residents_changed'
before=$(sha256sum "$work/live.db")
if "$trf" --db "$work/live.db" --restore "$work/tampered.db" 2>"$work/err" >/dev/null; then fail "a tampered copy was restored"; fi
grep -qF "1 missing or altered (trf_tbH_Residents_changed on tbH_Residents)" "$work/err" ||
  fail "the tampered copy's refusal: $(cat "$work/err")"
[ "$before" = "$(sha256sum "$work/live.db")" ] || fail "a refused restore changed live.db"
before=$(sha256sum "$work/other.db")
if "$trf" --db "$work/other.db" --restore "$work/copy.db" 2>"$work/err" >/dev/null; then fail "another program's file was overwritten"; fi
grep -qF "is a database of another program: it is left untouched" "$work/err" || fail "restore over other.db: $(cat "$work/err")"
[ "$before" = "$(sha256sum "$work/other.db")" ] || fail "a refused restore changed other.db"
"$trf" --db "$work/live.db" --restore "$work/copy.db" >/dev/null || fail "a sound copy was not restored"
sqlite3 "$work/live.db" 'DROP TRIGGER trf_tbH_Residents_changed'
"$trf" --db "$work/live.db" --script /dev/null >"$work/out" 2>&1 || fail "opening live.db: $(cat "$work/out")"
grep -qF "note: The triggers that keep the change record and the lock of filed months were not all in place" "$work/out" ||
  fail "the put-back triggers were not said: $(cat "$work/out")"
[ "$(sqlite3 "$work/live.db" "SELECT COUNT(*) FROM sqlite_master WHERE name = 'trf_tbH_Residents_changed'")" = 1 ] ||
  fail "the dropped trigger was not put back"
check_ok "$work/live.db"

[ $failures -eq 0 ] && echo "database file checks: all passed"
exit $((failures > 0))
