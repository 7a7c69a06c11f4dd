#!/usr/bin/env python3
"""trf-report seen from outside, as a script or a scheduler runs it: on a sample database (a resident
named with a comma and quotes, notes with formatting, a month long enough for several pages) the
files it writes are read back with other programs' readers: pdftotext, pdfinfo and pdffonts for the
PDF, the schema validator for the JSON, Python's csv module for the CSV; and its exit status says
whether the month passed. Usage: trf_report_test.py TRF TRF_REPORT SCHEMA"""
import csv
import json
import os
import sqlite3
import subprocess
import sys
import tempfile
import unicodedata

import jsonschema

TRF, TRF_REPORT, SCHEMA = sys.argv[1:4]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED: " + what)


def report(db, home, month, *files, env=None):
    run = subprocess.run([TRF_REPORT, "--db", db, "--home", home, "--month", month, *files],
                         capture_output=True, text=True, env=env)
    return run.returncode, run.stdout + run.stderr


def pages_text(pdf):
    """The text of each page, ligatures taken apart as a reader searching the page does."""
    text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True, check=True).stdout
    return [unicodedata.normalize("NFKC", page) for page in text.split("\f")[:-1]]


def pdf_info(pdf, tool):
    return subprocess.run([tool, pdf], capture_output=True, text=True, check=True).stdout


with tempfile.TemporaryDirectory() as folder:
    db = os.path.join(folder, "trf.db")
    subprocess.run([TRF, "--db", db, "--script", "-"], input="quit\n", capture_output=True, text=True, check=True)
    tricky = 'Moreau, Irene "Renée"'
    with sqlite3.connect(db) as connection:
        connection.execute("UPDATE tbH_Residents SET H_ResidentName = ? WHERE H_ResidentsID = 11", (tricky,))
        connection.execute(
            "INSERT INTO tbH_MonthlyNotes (H_HomeMonthlyStatsID, H_NotesRTF) VALUES (4, ?)",
            (r"{\rtf1\ansi\qc\b Birch Court in March\b0\par\pard A quiet month, \i heating checked\i0 .\par}",))
        # Maple House's March long enough to go on for pages.
        connection.executemany(
            "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate, H_MonthlyFee) "
            "VALUES (3, ?, 38000, 2000)", [("Extra resident %d" % i,) for i in range(120)])
        birch_court = [row[0] for row in connection.execute(
            "SELECT H_ResidentName FROM tbH_Residents WHERE H_HomeMonthlyStatsID = 4 ORDER BY H_ResidentsID")]

    # A month that passes and is not filed: exit 0, a draft that says the month passes.
    pdf, data, tables = (os.path.join(folder, name) for name in ("birch.pdf", "birch.json", "birch-csv"))
    status, said = report(db, "H-102", "2004-03", "--pdf", pdf, "--json", data, "--csv", tables)
    check(status == 0, "a month that passes exits 0, not %d: %s" % (status, said))
    whole = "".join(pages_text(pdf))
    check("DRAFT" in whole and "passes its checks but is not filed" in whole,
          "a passing month not filed is a draft that says it passes")
    check("filed by" not in whole.lower().replace("not filed", ""), "a draft says nothing of a filing")
    check(os.path.exists(os.path.join(tables, "residents.draft.csv")), "a draft's CSV files say draft in their names")

    # Filed, its report is the one stored with the filing: final, with the filing's digests.
    subprocess.run([TRF, "--db", db, "--script", "-"], input="go home\nselect 2\ngo setup\nselect 1\nsendoff\n",
                   capture_output=True, text=True, check=True)
    tables = os.path.join(folder, "filed-csv")
    status, said = report(db, "H-102", "2004-03", "--pdf", pdf, "--json", data, "--csv", tables)
    check(status == 0, "a filed month exits 0, not %d: %s" % (status, said))
    pages = pages_text(pdf)
    whole = "".join(pages)
    for expected in ["Birch Court", "H-102", "March 2004", "Paul Moreau", tricky, "Birch Court in March",
                     "A quiet month, heating checked.", "Status of the month: filed", "Digest of the filed report",
                     "Page 1 of 1"]:
        check(expected in whole, "the PDF of a filed month holds %r" % expected)
    check("DRAFT" not in whole, "a filed report is not marked as a draft")
    check("A4" in pdf_info(pdf, "pdfinfo"), "the C locale's paper is A4")
    fonts = pdf_info(pdf, "pdffonts").splitlines()[2:]
    check(fonts and all(line.split()[-5] == "yes" for line in fonts), "every font is embedded: %s" % fonts)

    with open(data, encoding="utf-8") as file:
        document = json.load(file)
    with open(SCHEMA, encoding="utf-8") as file:
        schema = json.load(file)
    try:
        jsonschema.validate(document, schema)
    except jsonschema.ValidationError as error:
        check(False, "the JSON validates against its schema: " + error.message)
    residents = next(table for table in document["tables"] if table["name"] == "residents")
    check([row["cells"][0]["text"] for row in residents["rows"]] == birch_court,
          "the JSON holds every resident of the month")
    fees = [row["cells"][3]["value"] for row in residents["rows"]]
    check(fees == [2200, 0], "the JSON carries the fees as numbers: %s" % fees)
    check(residents["rows"][0]["cells"][1]["value"] == "1933-02-11", "the JSON carries dates as ISO dates")
    check(not document["draft"] and len(document["filing"]["chain_digest"]) == 64,
          "the filed report's JSON is no draft and carries the chain's digest")

    with open(os.path.join(tables, "residents.csv"), newline="", encoding="utf-8") as file:
        rows = list(csv.reader(file))
    check(rows[0][:2] == ["Resident name", "Birth date"], "the CSV's header row holds the captions: %s" % rows[0])
    check([row[0] for row in rows[1:]] == birch_court, "a name with a comma and quotes comes back whole")

    # The live data held against the filing: they match, until a family group's name changes.
    status, said = report(db, "H-102", "2004-03", "--verify")
    check(status == 0 and "The live data match the filing." in said, "an untouched filing matches: %s" % said)
    with sqlite3.connect(db) as connection:
        connection.execute("UPDATE tbH_FamilyGroups SET H_GroupName = 'Moreau-Lane family' WHERE H_FamilyGroupsID = 4")
    status, said = report(db, "H-102", "2004-03", "--verify")
    check(status == 1 and "Residents, Paul Moreau (record 10), Family group: filed Moreau family, now Moreau-Lane "
          "family." in said, "a renamed family group shows field by field: %s" % said)

    # A month that does not pass: exit 1, and every page of the draft says so; a locale that
    # measures in inches gets Letter.
    draft = os.path.join(folder, "maple.pdf")
    status, said = report(db, "H-101", "2004-03", "--pdf", draft, env=dict(os.environ, LC_ALL="en_US.UTF-8"))
    check(status == 1, "a month that does not pass exits 1, not %d: %s" % (status, said))
    pages = pages_text(draft)
    check(len(pages) > 2, "the long month goes on for pages (%d)" % len(pages))
    for number, page in enumerate(pages, 1):
        check("DRAFT" in page and "Page %d of %d" % (number, len(pages)) in page,
              "page %d of the draft says it is a draft and its number" % number)
    check("Extra resident 119" in "".join(pages), "the draft holds the last resident")
    check("letter" in pdf_info(draft, "pdfinfo"), "an inch-measuring locale's paper is Letter")

    # The case: accept 3121 (during a send-off that stops) and 3502 (leaving the residents), quit,
    # start again: both are accepted, in the problem list and in the report, with who and when.
    kept = os.path.join(folder, "kept.db")
    subprocess.run([TRF, "--db", kept, "--script", "-"], capture_output=True, text=True, check=True,
                   input="go home\nselect 1\ngo setup\nselect 3\ngo residents\nanswer yes\nsendoff\nselect 2\n"
                         "set fee 2,360.00\nanswer yes\ngo notes\nquit\n")
    again = subprocess.run([TRF, "--db", kept, "--script", "-"], capture_output=True, text=True,
                           input="go home\nselect 1\ngo setup\nselect 3\nproblems\n").stdout
    for rule in ("3121", "3502"):
        check(any("question (accepted by " in line and ") %s " % rule in line for line in again.splitlines()),
              "the next session lists %s as accepted, by whom and when: %s" % (rule, again))
    kept_pdf, kept_json = os.path.join(folder, "kept.pdf"), os.path.join(folder, "kept.json")
    report(kept, "H-101", "2004-03", "--pdf", kept_pdf, "--json", kept_json)
    with open(kept_json, encoding="utf-8") as file:
        accepted = json.load(file)["accepted_questions"]
    check(sorted(question["rule"] for question in accepted) == [3121, 3502] and
          all(question["accepted_by"] and question["accepted_at"] for question in accepted),
          "the report's JSON carries both accepted questions with who and when: %s" % accepted)
    kept_text = " ".join("".join(pages_text(kept_pdf)).split())
    check("Accepted questions" in kept_text and kept_text.count("(accepted by ") == 2,
          "the report's PDF lists both accepted questions with who and when")

    # Wrong options, and a home or month the database lacks: exit 2.
    for options, what in [(["--db", db, "--home", "H-101"], "no month"),
                          (["--db", db, "--home", "H-101", "--month", "2004-13"], "no such month number"),
                          (["--db", db, "--home", "H-999", "--month", "2004-03"], "no such home"),
                          (["--db", db, "--home", "H-101", "--month", "2005-03"], "no such month of the home"),
                          (["--db", os.path.join(folder, "none.db"), "--home", "H-101", "--month", "2004-03"],
                           "no database file"),
                          (["--db", db, "--home", "H-101", "--month", "2004-03", "--pdf"], "--pdf without its file")]:
        run = subprocess.run([TRF_REPORT, *options], capture_output=True, text=True)
        check(run.returncode == 2 and "trf-report:" in run.stderr, "%s exits 2 with a sentence" % what)

sys.exit(1 if failures else 0)
