#!/usr/bin/env python3
"""Checks that every HTML5 template ("H5_..." keys) is valid HTML once the
user's text stands where the caret goes: those of data/Html.dat and the
program's built-in fallback (core/BuiltInTemplates.inc) alike.

Each template is put into a minimal document (a head element into <head>,
anything else into <body>; a table section into a table, an attribute into
an input), with sample text at %SELSTR% (nothing where the placeholder only
marks the caret after a head element such as meta), and checked three ways:
- html-validate with its recommended preset;
- the W3C Nu checker (vnu.jar, run with the system's java);
- a check of its own that src, srcset, datetime, for, name and id are never
  empty, and value only where HTML allows an empty value (input, option,
  button).
Any error fails. To prove the checks still catch what they are for, the
nine templates of an earlier release that had empty or misleading
attributes are run too and must each be refused by the Nu checker and by
one of the other two.

The validators are installed into tests/validate/node_modules by
scripts/install-deps.sh. Ends with "N passed, N failed"; exit status 1 on
any failure.
"""

import html.parser
import json
import pathlib
import re
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
HTML_VALIDATE = HERE / "node_modules" / "html-validate" / "bin" / "html-validate.mjs"
VNU_JAR = HERE / "node_modules" / "vnu-jar" / "build" / "dist" / "vnu.jar"

# The templates of an earlier release that the validators refused.
EARLIER_INVALID = {
    "H5_Video": '<video src="" controls>%SELSTR%</video>',
    "H5_Audio": '<audio src="" controls>%SELSTR%</audio>',
    "H5_Progress": '<progress value="" max="100">%SELSTR%</progress>',
    "H5_Datalist": '<datalist id="">%CR%%SELSTR%%CR%</datalist>',
    "H5_Time": '<time datetime="">%SELSTR%</time>',
    "H5_Meter": '<meter value="" min="0" max="100">%SELSTR%</meter>',
    "H5_Output": '<output name="" for="">%SELSTR%</output>',
    "H5_Picture": '<picture>%CR%<source srcset="" type="image/webp">%CR%<img src="" alt="%SELSTR%">%CR%</picture>',
    "H5_Figure": '<figure>%CR%<img src="" alt="">%CR%<figcaption>%SELSTR%</figcaption>%CR%</figure>',
}

HEAD_TAGS = ("meta", "link", "style", "script", "title", "base")
TABLE_SECTIONS = ("thead", "tbody", "tfoot")
# The user's text at the caret: a word that is valid as text, as an id, as a
# URL and as a name; a date where the caret is in a datetime attribute.
SAMPLE = "sample"
SAMPLE_IN_ATTRIBUTE = {"datetime": "2026-12-08"}
# Elements whose content is not text: their sample at the caret.
SAMPLE_IN_ELEMENT = {"style": "p { margin: 0; }", "thead": "<tr><td>sample</td></tr>",
                     "tbody": "<tr><td>sample</td></tr>", "tfoot": "<tr><td>sample</td></tr>"}
# Attribute templates and the element they are written into; the datalist
# gives list="" the id it names.
ATTRIBUTE_CONTEXTS = {
    "H5_InputList": '<input type="text" name="field"{}>\n<datalist id="sample"></datalist>',
}
NEVER_EMPTY = ("src", "srcset", "datetime", "for", "name", "id")
VALUE_MAY_BE_EMPTY = ("input", "option", "button")

DOCUMENT = """<!DOCTYPE html>
<html lang="ja">
<head>
{charset}<title>Template check</title>
{head}
</head>
<body>
{body}
</body>
</html>
"""


def read_html_dat():
    """The H5_ entries of data/Html.dat's [Html] section, first one of each
    key, surrounding double quotes removed as the profile reader does."""
    entries = {}
    section = None
    for line in (ROOT / "data" / "Html.dat").read_bytes().decode("cp932").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1].lower()
        elif section == "html" and "=" in line and not line.startswith(";"):
            key, text = (part.strip() for part in line.split("=", 1))
            if len(text) >= 2 and text[0] == text[-1] and text[0] in "\"'":
                text = text[1:-1]
            if key.lower().startswith("h5_"):
                entries.setdefault(key, text)
    return entries


def read_built_ins():
    """The rows of core/BuiltInTemplates.inc: C string literals with octal
    escapes for the bytes outside printable ASCII."""
    def literal(text):
        raw = re.sub(rb"\\([0-7]{3})", lambda m: bytes([int(m.group(1), 8)]), text.encode("ascii"))
        return re.sub(rb'\\(["\\])', rb"\1", raw).decode("cp932")
    rows = {}
    pattern = re.compile(r'^\{"((?:[^"\\]|\\.)*)", "((?:[^"\\]|\\.)*)"\},$')
    for line in (ROOT / "core" / "BuiltInTemplates.inc").read_text(encoding="ascii").splitlines():
        match = pattern.match(line)
        if match:
            rows[literal(match.group(1))] = literal(match.group(2))
    return rows


def first_tag(template):
    match = re.match(r"\s*<([a-zA-Z][a-zA-Z0-9-]*)", template)
    return match.group(1).lower() if match else ""


def caret_attribute(template):
    """The attribute whose quotes hold the first %SELSTR%, or None."""
    before = template.split("%SELSTR%", 1)[0]
    match = re.search(r'([a-zA-Z-]+)="[^"]*$', before)
    return match.group(1).lower() if match else None


def document_for(key, template):
    """The minimal document holding the template with sample text at the
    caret; None when the template has no context this check knows."""
    tag = first_tag(template)
    in_head = tag in HEAD_TAGS
    sample = SAMPLE_IN_ATTRIBUTE.get(caret_attribute(template), SAMPLE_IN_ELEMENT.get(tag, SAMPLE))
    if in_head and template.endswith(">%SELSTR%"):
        sample = ""  # the placeholder only marks the caret after the element
    text = template.replace("%CR%", "\n").replace("%TAB%", "\t").replace("%SELSTR%", sample)
    if template.startswith(" "):
        if key not in ATTRIBUTE_CONTEXTS:
            return None
        text = ATTRIBUTE_CONTEXTS[key].format(text)
    elif tag == "html" or text.lower().startswith("<!doctype"):
        return text + "\n"
    elif tag in TABLE_SECTIONS:
        text = f"<table>\n{text}\n</table>"
    charset = "" if "charset" in template else '<meta charset="utf-8">\n'
    return DOCUMENT.format(charset=charset, head=text if in_head else "", body="" if in_head else text)


class EmptyAttributes(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.errors = []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if value != "":
                continue
            if name in NEVER_EMPTY or (name == "value" and tag not in VALUE_MAY_BE_EMPTY):
                self.errors.append(f"empty {name}=\"\" on <{tag}> at line {self.getpos()[0]}")


def empty_attribute_errors(document):
    parser = EmptyAttributes()
    parser.feed(document)
    return parser.errors


def run_html_validate(paths):
    """{path: [error message]} from html-validate's recommended preset."""
    config = HERE / "htmlvalidate.json"
    result = subprocess.run(["node", str(HTML_VALIDATE), "--config", str(config), "--formatter", "json", *map(str, paths)],
                            capture_output=True, text=True)
    if not result.stdout.strip():
        raise RuntimeError("html-validate gave no report: " + result.stderr.strip())
    errors = {path: [] for path in paths}
    for report in json.loads(result.stdout):
        for message in report["messages"]:
            if message["severity"] >= 2:
                errors[pathlib.Path(report["filePath"])].append(
                    f"html-validate {message['ruleId']}: {message['message']} (line {message['line']})")
    return errors


def run_vnu(paths):
    """{path: [error message]} from the Nu checker."""
    result = subprocess.run(["java", "-jar", str(VNU_JAR), "--format", "json", "--stdout", *map(str, paths)],
                            capture_output=True, text=True)
    if not result.stdout.strip():
        raise RuntimeError("the Nu checker gave no report: " + result.stderr.strip())
    errors = {path: [] for path in paths}
    for message in json.loads(result.stdout)["messages"]:
        if message.get("type") not in ("error", "non-document-error"):
            continue
        path = pathlib.Path(message.get("url", "").removeprefix("file:"))
        errors.setdefault(path, []).append(f"vnu: {message['message']} (line {message.get('lastLine', '?')})")
    return errors


def main():
    for tool in (HTML_VALIDATE, VNU_JAR):
        if not tool.exists():
            sys.exit(f"check_templates: {tool.relative_to(ROOT)} is missing (run scripts/install-deps.sh)")
    sources = {"Html.dat": read_html_dat(), "built-in": read_built_ins()}
    passed = failed = 0
    if set(sources["Html.dat"]) != set(sources["built-in"]):
        print("the H5_ keys of data/Html.dat and of the built-in templates differ")
        failed += 1
    with tempfile.TemporaryDirectory() as folder:
        cases = []  # (label, path, document, expected valid)
        for source, templates in [*sources.items(), ("earlier release", EARLIER_INVALID)]:
            for key, template in sorted(templates.items()):
                label = f"{source} {key}"
                document = document_for(key, template)
                if document is None:
                    print(f"FAIL {label}: no document context for {template!r}")
                    failed += 1
                    continue
                path = pathlib.Path(folder) / f"{source.replace(' ', '-').replace('.', '-')}-{key}.html"
                path.write_text(document, encoding="utf-8")
                cases.append((label, path, document, source != "earlier release"))
        paths = [path for _, path, _, _ in cases]
        checked = run_html_validate(paths)
        nu = run_vnu(paths)
        for label, path, document, valid in cases:
            own = empty_attribute_errors(document)
            errors = own + checked[path] + nu.get(path, [])
            if valid and not errors:
                passed += 1
                continue
            if not valid and nu.get(path) and (own or checked[path]):
                print(f"ok   {label} is refused: {'; '.join(errors)}")
                passed += 1
                continue
            failed += 1
            print(f"FAIL {label}:")
            print("  " + document.replace("\n", "\n  "))
            for error in errors or ["no validator refused it"]:
                print(f"  {error}")
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
