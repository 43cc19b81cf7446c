#!/usr/bin/env python3
"""Checks the .cases parser of run_cases.py on small hand-written texts."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import run_cases  # noqa: E402
from run_cases import CaseFileError, parse_cases, unescape_line, visible  # noqa: E402


def expect_malformed(text, line_number):
    try:
        parse_cases(text)
    except CaseFileError as e:
        assert e.line_number == line_number, (e.line_number, e.message)
        return
    raise AssertionError("no error for %r" % text)


def test_escapes():
    assert unescape_line(b"abc", 1) == b"abc\n"
    assert unescape_line(b"1 2 3\\r", 1) == b"1 2 3\r\n"
    assert unescape_line(b"a\\tb\\nc", 1) == b"a\tb\nc\n"
    assert unescape_line(b"\\0\\x7f\\xB0", 1) == b"\x00\x7f\xb0\n"
    assert unescape_line(b"back\\\\slash", 1) == b"back\\slash\n"
    # A lone trailing backslash drops the LF; a doubled one is a backslash.
    assert unescape_line(b"no end\\", 1) == b"no end"
    assert unescape_line(b"ends in\\\\", 1) == b"ends in\\\n"
    assert unescape_line(b"ends in\\\\\\", 1) == b"ends in\\"
    assert unescape_line(b"\\", 1) == b""
    assert unescape_line(b"", 1) == b"\n"
    for bad in (b"\\q", b"\\x4", b"\\xZZ"):
        try:
            unescape_line(bad, 7)
        except CaseFileError as e:
            assert e.line_number == 7
        else:
            raise AssertionError("accepted %r" % bad)


def test_defaults_and_headers():
    cases = parse_cases(
        b"// a comment at the top\n"
        b"\n"
        b"=== plain\n"
        b"--- input\n"
        b"# GHz\n"
        b"=== headers\n"
        b"file: amp.s1p\n"
        b"args: -describe {file} {empty}\n"
        b"setup: mkdir d\n"
        b"setup: mkfifo f\n"
        b"env: A=b=c\n"
        b"timeout: 2.5\n"
        b"stdout-to: /dev/full\n"
        b"--- status\n"
        b"1\n")
    plain, headers = cases
    assert plain.file == "in.s2p"
    assert plain.argv() == ["in.s2p"]
    assert plain.input == b"# GHz\n"
    assert plain.expected_stdout == b"" and plain.expected_stderr == b""
    assert plain.expected_status == 0
    assert plain.timeout == 10.0
    assert headers.input is None
    assert headers.argv() == ["-describe", "amp.s1p", ""]
    assert headers.setup == [("mkdir", "d"), ("mkfifo", "f")]
    assert headers.env == [("A", "b=c")]
    assert headers.timeout == 2.5
    assert headers.stdout_to == "/dev/full"
    assert headers.expected_status == 1


def test_empty_args():
    (case,) = parse_cases(b"=== none\nargs:\n")
    assert case.argv() == []


def test_block_boundaries():
    cases = parse_cases(
        b"=== one\n"
        b"--- input\n"
        b"a\n"
        b"\n"
        b"--- stdout\n"
        b"x\\\n"
        b"--- stderr\n"
        b"e\n"
        b"\n"
        b"   \n"
        b"=== two\n"
        b"--- stdout\n"
        b"\\n\n"
        b"--- stderr\n"
        b"\n"
        b"\n")
    one, two = cases
    # A blank line before "--- " is content; before "=== " it separates.
    assert one.input == b"a\n\n"
    assert one.expected_stdout == b"x"
    assert one.expected_stderr == b"e\n"
    assert two.expected_stdout == b"\n\n"
    # Trailing blank lines at the end of the file are separators too.
    assert two.expected_stderr == b""


def test_comments_between_cases():
    one, two = parse_cases(
        b"=== one\n"
        b"--- stdout\n"
        b"// kept: more content follows\n"
        b"x\n"
        b"\n"
        b"// a comment about the next case\n"
        b"\n"
        b"=== two\n"
        b"--- status\n"
        b"1\n"
        b"// trailing comment\n")
    assert one.expected_stdout == b"// kept: more content follows\nx\n"
    assert two.expected_status == 1


def test_block_content_looks_like_headers():
    (case,) = parse_cases(
        b"=== c\n"
        b"--- input\n"
        b"// not a comment here\n"
        b"file: not a header\n"
        b"---no blank, so content\n")
    assert case.input == (b"// not a comment here\nfile: not a header\n"
                          b"---no blank, so content\n")


def test_crlf_in_case_file_is_content():
    (case,) = parse_cases(b"=== c\n--- input\n1 2 3\r\n")
    assert case.input == b"1 2 3\r\n"


def test_malformed():
    expect_malformed(b"text\n=== a\n", 1)
    expect_malformed(b"=== a\n=== a\n", 2)
    expect_malformed(b"=== a\n--- output\n", 2)
    expect_malformed(b"=== a\n--- input\n--- input\n", 3)
    expect_malformed(b"=== a\nbogus: 1\n", 2)
    expect_malformed(b"=== a\nsetup: touch x\n", 2)
    expect_malformed(b"=== a\n--- status\nzero\n", 2)
    expect_malformed(b"=== a\n--- input\nok\nbad \\q\n", 4)
    expect_malformed(b"=== \n", 1)
    expect_malformed(b"--- input\n", 1)
    expect_malformed(b"=== a\nstdout-to: /dev/full\n--- stdout\nx\n", 1)


def test_visible():
    assert visible(b"") == []
    assert visible(b"a\n") == ["a"]
    assert visible(b"a") == ["a\\"]
    assert visible(b"a\r\n\x00\tb\xb0\\\n") == ["a\\r", "\\0\\tb\\xb0\\\\"]
    # What visible() prints reads back as the same bytes.
    data = b"x\r\n\x00\x7f\xff\\ \n\nlast"
    assert b"".join(unescape_line(l.encode(), 1) for l in visible(data)) == data


def main():
    tests = [value for name, value in sorted(globals().items())
             if name.startswith("test_") and callable(value)]
    for test in tests:
        test()
    print("%d passed, 0 failed" % len(tests))
    return 0


if __name__ == "__main__":
    assert run_cases.DEFAULT_FILE == "in.s2p"
    sys.exit(main())
