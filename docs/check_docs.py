#!/usr/bin/env python3
"""Checks that the guide and the how-to page show code that builds and runs as they say.

  check_docs.py guide PAGE PARTS [--run BIN]   the guide's numbered parts against PARTS/stepN
  check_docs.py howto PAGE [--run BIN]         each answer against the example program it links

The guide: every ```cpp or ```cmake block of part N ("## N. ...") is part N's code as written
(PARTS/stepN/main.cpp or CMakeLists.txt); part 1's blocks show its files whole, and each later
part's blocks show every line that differs from the part before. A ```text block after a line
that ends "prints:" is the part's output, and one after the line "*session.txt*" is the input the
part is run with. The how-to page: every ```cpp or ```cmake block of an answer ("## How do I ...")
is in the program or project the answer links first, and a ```text block after "prints:" is that
program's output.
With --run, each program (BIN/guide_stepN, BIN/how_do_i_NAME) is run, its standard input the
part's session or nothing, and its output compared with the page's. Fails naming each block, file
and output that differ, by the page's line.
"""
import argparse
import difflib
import pathlib
import re
import subprocess
import sys

LANGUAGES = {"cpp", "cmake", "sh", "text"}


class Block:
    def __init__(self, language, text, line, before):
        self.language = language
        self.text = text
        self.line = line  # the line of the opening fence in the page
        self.before = before  # the last line of text above the block


def sections(page):
    """The page's sections: (heading, first line, blocks), the text above the first heading included."""
    lines = page.read_text().split("\n")
    result = [("", 1, [])]
    i = 0
    last_text = ""
    while i < len(lines):
        line = lines[i]
        if line.startswith("## "):
            result.append((line[3:], i + 1, []))
        elif line.startswith("```"):
            language = line[3:].strip()
            end = i + 1
            while end < len(lines) and not lines[end].startswith("```"):
                end += 1
            if end == len(lines):
                sys.exit(f"{page}:{i + 1}: a code block is not closed")
            result[-1][2].append(Block(language, "\n".join(lines[i + 1:end]) + "\n", i + 1, last_text))
            i = end
        elif line.strip():
            last_text = line.strip()
        i += 1
    return result


class Checker:
    def __init__(self, page):
        self.page = page
        self.failures = 0

    def fail(self, line, message):
        self.failures += 1
        print(f"{self.page}:{line}: {message}", file=sys.stderr)

    def check_languages(self, blocks):
        for block in blocks:
            if block.language not in LANGUAGES:
                self.fail(block.line, f'a code block marked "{block.language}"; cpp, cmake, sh or text only')

    def output_of(self, blocks):
        outputs = [b for b in blocks if b.language == "text" and b.before.endswith("prints:")]
        if len(outputs) > 1:
            self.fail(outputs[1].line, "a second output in one section")
        return outputs[0] if outputs else None

    def compare_run(self, program, stdin_text, expected, line):
        if not program.exists():
            self.fail(line, f"{program} was not built")
            return
        run = subprocess.run([str(program)], input=stdin_text, capture_output=True, text=True, timeout=60)
        if run.returncode != 0:
            self.fail(line, f"{program.name} ended with {run.returncode}: {run.stderr.strip()}")
        if run.stdout != expected.text:
            diff = "".join(difflib.unified_diff(expected.text.splitlines(True), run.stdout.splitlines(True),
                                                "the page", program.name))
            self.fail(expected.line, f"{program.name} prints otherwise:\n{diff}")


def shown_lines(text, blocks):
    """The 0-based lines of `text` that some block shows, each block found where it stands."""
    shown = set()
    for block in blocks:
        at = text.find(block.text)
        if at < 0:
            continue
        first = text.count("\n", 0, at)
        shown.update(range(first, first + block.text.count("\n")))
    return shown


def check_guide(args):
    page = pathlib.Path(args.page)
    parts_dir = pathlib.Path(args.parts)
    checker = Checker(page)
    previous = None
    parts = 0
    for heading, heading_line, blocks in sections(page):
        checker.check_languages(blocks)
        number = re.match(r"(\d+)\. ", heading)
        code = [b for b in blocks if b.language in ("cpp", "cmake")]
        if not number:
            for block in code:
                checker.fail(block.line, "code outside a numbered part")
            continue
        part = int(number.group(1))
        parts += 1
        folder = parts_dir / f"step{part}"
        if not folder.is_dir():
            checker.fail(heading_line, f"part {part} has no example folder {folder}")
            continue
        files = {"cpp": folder / "main.cpp", "cmake": folder / "CMakeLists.txt"}
        texts = {language: path.read_text() for language, path in files.items()}
        for block in code:
            if block.text not in texts[block.language]:
                checker.fail(block.line, f"this {block.language} block is not in {files[block.language]} as written")
        for language, path in files.items():
            mine = [b for b in code if b.language == language]
            lines = texts[language].split("\n")[:-1]
            shown = shown_lines(texts[language], mine)
            if previous is None:
                changed = set(range(len(lines)))
            else:
                before = previous[language].split("\n")[:-1]
                matcher = difflib.SequenceMatcher(a=before, b=lines, autojunk=False)
                changed = set()
                for tag, _, _, first, last in matcher.get_opcodes():
                    if tag in ("replace", "insert"):
                        changed.update(range(first, last))
            unshown = sorted(i for i in changed if i not in shown and lines[i].strip())
            if unshown:
                checker.fail(heading_line, f"part {part} does not show line {unshown[0] + 1} of {path}: "
                                           f"{lines[unshown[0]].strip()}")
        session = folder / "session.txt"
        inputs = [b for b in blocks if b.language == "text" and b.before == "*session.txt*"]
        if session.exists() != bool(inputs) or (inputs and inputs[0].text != session.read_text()):
            checker.fail(heading_line, f"part {part}'s session on the page is not {session}")
        expected = checker.output_of(blocks)
        if expected is None:
            checker.fail(heading_line, f"part {part} does not say what it prints")
        elif args.run:
            stdin_text = session.read_text() if session.exists() else ""
            checker.compare_run(pathlib.Path(args.run) / f"guide_step{part}", stdin_text, expected, heading_line)
        previous = texts
    if parts == 0:
        checker.fail(1, "no numbered part")
    return checker.failures


def check_howto(args):
    page = pathlib.Path(args.page)
    checker = Checker(page)
    answers = 0
    for heading, heading_line, blocks in sections(page):
        checker.check_languages(blocks)
        code = [b for b in blocks if b.language in ("cpp", "cmake")]
        if not heading.startswith("How do I"):
            for block in code:
                checker.fail(block.line, "code outside an answer")
            continue
        answers += 1
        section = page.read_text().split("\n")[heading_line - 1:]
        link = None
        for line in section[1:]:
            if line.startswith("## "):
                break
            found = re.search(r"\]\(\.\./((?:examples|tests/consumer)/[a-z_0-9/]+(?:\.cpp|/CMakeLists\.txt))\)", line)
            if found:
                link = found.group(1)
                break
        if not link:
            checker.fail(heading_line, "the answer links no program (../examples/... or ../tests/consumer/...)")
            continue
        program = page.parent.parent / link
        source = program.read_text()
        for block in code:
            if block.text not in source:
                checker.fail(block.line, f"this block is not in {link} as written")
        expected = checker.output_of(blocks)
        if expected is not None and args.run and program.parent.name == "how_do_i":
            checker.compare_run(pathlib.Path(args.run) / f"how_do_i_{program.stem}", "", expected, heading_line)
    if answers == 0:
        checker.fail(1, "no answer")
    return checker.failures


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="page_kind", required=True)
    guide = sub.add_parser("guide")
    guide.add_argument("page")
    guide.add_argument("parts")
    guide.add_argument("--run")
    howto = sub.add_parser("howto")
    howto.add_argument("page")
    howto.add_argument("--run")
    args = parser.parse_args()
    failures = check_guide(args) if args.page_kind == "guide" else check_howto(args)
    if failures:
        sys.exit(f"{args.page}: {failures} place(s) where the page and its programs differ")
    print(f"{args.page}: every block is its program's code" + (", and every output as shown" if args.run else ""))


if __name__ == "__main__":
    main()
