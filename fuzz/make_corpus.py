#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpora in fuzz/corpus/ from the recorded transcripts (run once; the seeds
are checked in). Each phone answer goes to the targets that parse it, with the steering bytes
a target reads first."""
import hashlib
import pathlib
import re

root = pathlib.Path(__file__).resolve().parent
transcripts = root.parent / "tests" / "data" / "transcripts"
corpus = root / "corpus"

# The commands of the transaction target, in its order.
COMMANDS = ["at\r", "at+cpbr=", "at+cpbw=", "at+cmgr=", "at+cmgs=", "at+cmgw=", "\x1a",
            "at+schr=", "at+ctdr=", "at+cnmi=?", "at+cmgl="]


def unescape(text):
    out = bytearray()
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            n = text[i + 1]
            if n == "r":
                out += b"\r"; i += 2; continue
            if n == "n":
                out += b"\n"; i += 2; continue
            if n == "\\":
                out += b"\\"; i += 2; continue
            if n == "x":
                out.append(int(text[i + 2:i + 4], 16)); i += 4; continue
        out += c.encode("latin-1")
        i += 1
    return bytes(out)


def exchanges():
    """(command bytes, whole answer bytes) for every command of every transcript."""
    for path in sorted(transcripts.glob("*.txt")):
        command, answer = b"", b""
        for line in path.read_text(encoding="latin-1").splitlines():
            kind = line[:6]
            if kind == "host  ":
                if answer:
                    yield command, answer
                    command, answer = b"", b""
                command += unescape(line[6:])
            elif kind == "phone ":
                answer += unescape(line[6:])
        if answer:
            yield command, answer


seeds = {name: {} for name in
         ["split_fields", "transact", "phone_answers", "message_answers", "jet_filter"]}


by_shape = {}  # the transaction target: the longest answer of each command and chunk shape


def add(target, data):
    seeds[target].setdefault(data, None)


for command, answer in exchanges():
    text = command.decode("latin-1")
    chosen = next((i for i, c in enumerate(COMMANDS) if c in text), 0)
    # Three chunk shapes: whole lines, 1-byte chunks with quiet pauses, 5/9-byte chunks.
    for shape in (bytes([chosen, 0xFF, 0]), bytes([chosen, 0x00, 1]), bytes([chosen, 0x84, 4])):
        longest = by_shape.get(shape)
        if longest is None or len(answer) > len(longest):
            by_shape[shape] = answer
    if b"+CMGL: " in answer:
        add("phone_answers", answer)
    if b"+CMGR: " in answer:
        add("message_answers", bytes([len(seeds["message_answers"])]) + answer)
        body = answer[answer.index(b"+CMGR: ") + 7:]
        add("split_fields", bytes([13]) + body.split(b"\r\n")[0])  # twelve fields
    elif re.search(rb"\+(CPBR|CPBS|CPMS|SCHR|CTDR|CSCA|CNMI|CMGW|CRFO|CGMI)|Quillon", answer):
        add("phone_answers", answer)
        line = re.search(rb": ([^\r]*)", answer)
        if line:
            add("split_fields", bytes([5]) + line.group(1))

for shape, answer in by_shape.items():
    add("transact", shape + answer)
# Reads the transcripts do not hold: a header without details, a text holding "OK" lines and
# a length announced too long.
for answer in [b'at+cmgr=5\r\r\n+CMGR: "REC READ","+44"\r\nhi\r\n\r\nOK\r\n',
               b'at+cmgr=6\r\r\n+CMGR: "STO SENT","1",,129,17,0,0,167,"+44",145,99\r\nOK\nERROR\r\nOK\r\n']:
    add("message_answers", bytes([len(seeds["message_answers"])]) + answer)
    add("transact", bytes([3, 0x21, 1]) + answer)

# Listings the transcripts do not hold: a text line "OK", a length announced too long, a gap.
for answer in [b'at+cmgl="ALL"\r\r\n+CMGL: 1,"REC READ","+44",,"t",145,8\r\nOK\nERROR\r\n'
               b'+CMGL: 4,"STO SENT","1",,,129,99\r\nhi\r\n\r\nOK\r\n']:
    add("phone_answers", answer)
    add("transact", bytes([10, 0x21, 1]) + answer)

for text in ["Status='Unread' OR Status='Read' OR Status='Not Sent' OR Status='Sent'",
             "MainNumber='+4477''1'", "Name like '*[*]a[!b-d]?#*' OR MainNumber like '*0[#]*'",
             "Name=\"O\"\"Brien\" AND MainNumber='0123'", "NOT (Number >= 3) AND until_year Is Not Null",
             "[index] <> 2 OR Name IS NULL", "Number DESC", "Name ASC, [index] DESC",
             "(Number = True OR Number = No) AND Name < 'É'", "until_year > 1.5e3"]:
    add("jet_filter", text.encode("utf-8"))

LIMIT = 30
for target, found in seeds.items():
    folder = corpus / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        if not old.name.startswith("regression-"):  # inputs that once found a fault stay
            old.unlink()
    kept = sorted(found, key=len)[:LIMIT] if len(found) > LIMIT else list(found)
    for data in kept:
        (folder / hashlib.sha1(data).hexdigest()[:16]).write_bytes(data)
    print(f"{target}: {len(kept)} seeds, {sum(map(len, kept))} bytes")
