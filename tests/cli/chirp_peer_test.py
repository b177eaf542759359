#!/usr/bin/python3
"""kestra-cli's CSV against CHIRP itself (Debian's chirp package, headless).

1. A file written by CHIRP's generic CSV driver imports as CHIRP reads it back.
2. The rows CHIRP refuses (fewer fields than the header) are skipped too, and a
   file with one tone column uses it for both, as CHIRP does.
3. What export-csv writes loads in that driver without an error, every field
   as `kestra-cli channels` and `settings` show it.

Debian's driver opens files with mode "rU", which Python 3.11 refuses, so the
files go through its row parser (CSVRadio._load) directly.

Usage: chirp_peer_test.py KESTRA_CLI. Exit 77 (skipped) without the package.
"""
import csv
import os
import subprocess
import sys
import tempfile

try:
    from chirp import chirp_common
    from chirp.drivers import generic_csv
except ImportError:
    print("SKIP: Debian's chirp package is not installed (scripts/deps installs it)")
    sys.exit(77)

CLI = sys.argv[1]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def cli(*args):
    r = subprocess.run([CLI, *args], capture_output=True, text=True)
    return r.returncode, r.stdout, r.stderr


def chirp_load(path):
    radio = generic_csv.CSVRadio(None)
    radio._blank()
    with open(path, newline="") as f:
        try:
            radio._load(f)
        except Exception as e:  # "No channels found"
            radio.errors.append(str(e))
    return radio


def mhz(hz):
    return "%d.%05d" % (hz // 1000000, hz % 1000000 // 10)


def dcs(code, polarity):
    return "D%03d%s" % (code, "I" if polarity == "R" else "N")


def grid_of(m):
    """The eight cells of `kestra-cli channels` for a CHIRP memory."""
    tx = {"": m.freq, "+": m.freq + m.offset, "-": m.freq - m.offset,
          "split": m.offset, "off": None}[m.duplex]
    tx_tone = rx_tone = "无"
    if m.tmode == "Tone":
        tx_tone = "%.1f" % m.rtone
    elif m.tmode == "TSQL":
        tx_tone = rx_tone = "%.1f" % m.ctone
    elif m.tmode == "DTCS":
        tx_tone, rx_tone = dcs(m.dtcs, m.dtcs_polarity[0]), dcs(m.dtcs, m.dtcs_polarity[1])
    elif m.tmode == "Cross":
        tx_kind, rx_kind = m.cross_mode.split("->")
        if tx_kind == "Tone":
            tx_tone = "%.1f" % m.rtone
        elif tx_kind == "DTCS":
            tx_tone = dcs(m.dtcs, m.dtcs_polarity[0])
        if rx_kind == "Tone":
            rx_tone = "%.1f" % m.ctone
        elif rx_kind == "DTCS":
            rx_tone = dcs(m.rx_dtcs, m.dtcs_polarity[1])
    return [mhz(m.freq), "" if tx is None else mhz(tx), rx_tone, tx_tone, m.power,
            "否" if m.skip == "S" else "是", "窄" if m.mode == "NFM" else "宽"]


def channels(image):
    rows = {}
    for line in cli("channels", image)[1].splitlines():
        cells = line.split("\t")
        if cells[1]:
            rows[cells[0].replace(" ", "")] = cells[1:8]
    return rows


def names(image):
    out, label = {}, None
    for line in cli("settings", image, "--form", "channel")[1].splitlines():
        if line.startswith("[channel "):
            label = line[9:-1]
        elif line.startswith("信道名字="):
            out[label] = line[len("信道名字="):]
    return out


def label(n):
    return "%s%03d" % ("A" if n <= 128 else "B", n if n <= 128 else n - 128)


def memory(number, freq, **fields):
    m = chirp_common.DVMemory() if fields.get("mode") == "DV" else chirp_common.Memory()
    m.number, m.freq = number, freq
    for key, value in fields.items():
        setattr(m, key, value)
    return m


with tempfile.TemporaryDirectory() as tmp:
    blank = os.path.join(tmp, "blank.dat")
    assert cli("new", "--builtin", blank)[0] == 0

    # 1. A list written by CHIRP: rows the radio can hold land as CHIRP reads
    # them; the others are skipped and reported by row number.
    written = generic_csv.CSVRadio(None)
    written.erase_memory(0)
    for m in [
        memory(1, 145500000, name="HOME", comment="club, net"),
        memory(2, 146940000, duplex="-", offset=600000, tmode="Tone", rtone=100.0,
               mode="NFM", skip="S", name="RPT2"),
        memory(3, 442100000, duplex="+", offset=5000004, tmode="TSQL", ctone=123.0),
        memory(4, 145330000, tmode="DTCS", dtcs=411, dtcs_polarity="RN", tuning_step=12.5),
        memory(5, 438512500, duplex="split", offset=145500005, tuning_step=12.5),
        memory(6, 145600000, duplex="off", name="=SUM"),
        memory(7, 446006250, tmode="Tone", rtone=67.0, tuning_step=6.25),
        memory(8, 145670000, mode="DV", name="DSTAR"),
        memory(9, 29620000, name="TENM"),
        memory(10, 144390000, mode="AM"),
        memory(11, 147000000, tmode="TSQL-R", ctone=88.5),
        memory(12, 146520006, name="VE9LONGNAME"),
    ]:
        written.set_memory(m)
    chirp_csv = os.path.join(tmp, "chirp.csv")
    written.save(chirp_csv)
    # A row CHIRP refuses: fewer fields than the header.
    with open(chirp_csv, "a", newline="") as f:
        f.write("13,SHORT,145.525000,,0.000000,,88.5,88.5,023,NN,FM\r\n")
    read_back = chirp_load(chirp_csv)
    check(read_back.errors == ["Column number mismatch on line 14"],
          "CHIRP refuses the short row: %s" % read_back.errors)
    out = os.path.join(tmp, "out.dat")
    rc, _, report = cli("import-csv", blank, chirp_csv, "-o", out, "--keep-location")
    check(rc == 0, "import of CHIRP's file: %d %s" % (rc, report))
    landed = channels(out)
    for m in read_back.get_memories():
        if m.empty or m.number == 0:
            continue
        if m.number in (8, 9, 10, 11):
            check(label(m.number) not in landed, "row %d must be skipped" % m.number)
            shown_as = ", ".join(x for x in (m.name, chirp_common.format_freq(m.freq)) if x)
            check("row %d (%s): skipped" % (m.number, shown_as) in report,
                  "report names row %d: %s" % (m.number, report))
            continue
        m.power = "高"
        check(landed.get(label(m.number)) == grid_of(m),
              "%s: %s, CHIRP %s" % (label(m.number), landed.get(label(m.number)), grid_of(m)))
    check("row 13 (SHORT, 145.525000): skipped: 11 fields where the header has 18" in report,
          report)
    # What the radio has no room for is named, not dropped unsaid.
    check('row 1 (HOME, 145.500000): A001, Comment "club, net" not imported' in report, report)
    for row, hz in ((3, "5.000004 → 5.00000"), (5, "145.500005 → 145.50000"),
                    (12, "146.520006 → 146.52000")):
        line = next((x for x in report.splitlines() if x.startswith("row %d " % row)), "")
        check(hz + ": the radio keeps frequencies in 10 Hz units" in line,
              "row %d: digits below 10 Hz: %s" % (row, report))
    got = names(out)
    check(got["A001"] == "HOME" and got["A006"] == "=SUM" and got["A012"] == "VE9LONG", got)

    # 2. One tone column serves both, as in CHIRP.
    one_tone = os.path.join(tmp, "one_tone.csv")
    with open(chirp_csv, newline="") as f, open(one_tone, "w", newline="") as g:
        rows = list(csv.reader(f))
        drop = rows[0].index("cToneFreq")
        w = csv.writer(g)
        for r in rows[:4]:
            w.writerow(r[:drop] + r[drop + 1:])
    m3 = chirp_load(one_tone).get_memory(3)
    rc, _, report = cli("import-csv", blank, one_tone, "-o", out, "--keep-location")
    check(rc == 0 and m3.tmode == "TSQL" and m3.ctone == m3.rtone == 88.5, report)
    m3.power = "高"
    check(channels(out).get("A003") == grid_of(m3),
          "one tone column: %s, CHIRP %s" % (channels(out).get("A003"), grid_of(m3)))

    # 3. Export loads in CHIRP's driver, every field as kestra-cli shows it.
    rich_csv = os.path.join(tmp, "rich.csv")
    with open(rich_csv, "w", newline="") as f:
        f.write("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                "DtcsPolarity,RxDtcsCode,CrossMode,Mode,Skip,Power\r\n"
                "1,=A1,145.5125,+,0.6,Cross,88.5,100.0,023,NN,023,Tone->Tone,FM,,Low\r\n"
                "2,+B,145.50625,-,0.6,Cross,88.5,88.5,754,RN,023,DTCS->,NFM,S,5.0W\r\n"
                "3,-C,435.0025,,,Cross,88.5,123.0,023,NR,116,->DTCS,FM,,1W\r\n"
                "4,@D,435.1,split,145.2,Cross,67.0,254.1,031,NN,023,Tone->DTCS,FM,,H\r\n"
                "5,'E,435.2,off,,DTCS,88.5,88.5,411,RR,023,,NFM,S,L\r\n"
                "129,'=F,145.7,,,Cross,88.5,88.5,025,RN,023,DTCS->Tone,FM,,\r\n"
                "130,G,435.3,,,TSQL,88.5,136.5,023,NN,023,,FM,,\r\n")
    rich = os.path.join(tmp, "rich.dat")
    rc, _, report = cli("import-csv", blank, rich_csv, "-o", rich, "--keep-location")
    check(rc == 0 and report.startswith("7 rows imported"), report)
    exported = os.path.join(tmp, "export.csv")
    check(cli("export-csv", rich, "-o", exported)[0] == 0, "export-csv")
    loaded = chirp_load(exported)
    check(loaded.errors == [], "CHIRP's errors on the export: %s" % loaded.errors)
    with open(exported, newline="") as f:
        raw = {int(r["Location"]): r for r in csv.DictReader(f)}
    shown, shown_names = channels(rich), names(rich)
    memories = [m for m in loaded.get_memories() if not m.empty]
    check(sorted(m.number for m in memories) == sorted(raw), "rows CHIRP loaded")
    for m in memories:
        r = raw[m.number]
        # Debian's driver does not read these columns; its Memory checks them.
        m.cross_mode, m.rx_dtcs = r["CrossMode"], int(r["RxDtcsCode"])
        m.power = {"5.0W": "高", "1.0W": "低"}.get(r["Power"], r["Power"])
        check(m.tuning_step in (2.5, 5.0, 6.25, 10.0, 12.5, 25.0) and
              m.freq % round(m.tuning_step * 1000) == 0,
              "TStep %s for %d" % (m.tuning_step, m.freq))
        check(shown.get(label(m.number)) == grid_of(m),
              "%s: kestra %s, CHIRP %s" % (label(m.number), shown.get(label(m.number)),
                                           grid_of(m)))
        name = shown_names[label(m.number)]
        formula = name[:1] in ("=", "+", "-", "@") or (name[:1] == "'" and name[1:2] in
                                                        ("=", "+", "-", "@", "'"))
        check(m.name == ("'" + name if formula else name),
              "%s: name %r, CHIRP %r" % (label(m.number), name, m.name))

if failures:
    print("\n".join("FAIL: " + str(f) for f in failures))
    sys.exit(1)
print("PASS: CHIRP's generic CSV driver and kestra-cli agree")
