#!/usr/bin/env python3
"""Makes the portable Windows zip: Tallix.exe and tallix-cli.exe stripped, with
a README.txt, and beside it a second zip with their debugging information.

The same executables give the same zips byte for byte: the entries are written
in a fixed order, with fixed attributes and the date of the commit built
(SOURCE_DATE_EPOCH when set)."""
import argparse
import os
import subprocess
import tempfile
import time
import zipfile
from pathlib import Path



def source_date_epoch(source_dir: Path) -> int:
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", str(source_dir), "log", "-1", "--format=%ct"],
                             check=True, capture_output=True, text=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        # Not a git checkout: the earliest time a zip can hold.
        return 315532800


def keyboard_table(keyboard_topic: Path) -> str:
    """The Help window's keyboard topic, which a test holds equal to the one
    the program makes from its key map."""
    rows = []
    for line in keyboard_topic.read_text(encoding="utf-8").removesuffix("\n").split("\n"):
        cells = line.split("\t")
        # Tabs would not line up in Notepad: the first column gets a fixed width.
        rows.append(("  " + (cells[0].ljust(16) + cells[1] if len(cells) == 2 else line)).rstrip())
    return "\n".join(rows)


def readme(template: Path, version: str, keyboard_topic: Path) -> bytes:
    text = template.read_text(encoding="utf-8")
    text = text.replace("@VERSION@", version).replace("@KEYBOARD@", keyboard_table(keyboard_topic))
    # Notepad of every Windows version: CR LF and a byte-order mark for "×" and "÷".
    return b"\xef\xbb\xbf" + text.replace("\n", "\r\n").encode("utf-8")


def split_debug(objcopy: str, exe: Path, work: Path) -> tuple[bytes, bytes]:
    """The stripped executable, linked to its debug file by name, and that file."""
    debug = work / (exe.name + ".debug")
    stripped = work / exe.name
    # objcopy stamps a PE file it writes with the time of day, unless given
    # one: the linker's zero stays.
    env = dict(os.environ, SOURCE_DATE_EPOCH="0")
    subprocess.run([objcopy, "--only-keep-debug", str(exe), str(debug)], check=True, env=env)
    subprocess.run([objcopy, "--strip-all", str(exe), str(stripped)], check=True, env=env)
    # The link names the file alone (and its checksum); objcopy looks it up from cwd.
    subprocess.run([objcopy, f"--add-gnu-debuglink={debug.name}", stripped.name], check=True, cwd=work, env=env)
    return stripped.read_bytes(), debug.read_bytes()


def write_zip(path: Path, entries: list[tuple[str, bytes]], epoch: int) -> None:
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    temporary = path.with_name(path.name + ".tmp")
    with zipfile.ZipFile(temporary, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3
            info.external_attr = 0o644 << 16
            archive.writestr(info, data, compresslevel=9)
    temporary.replace(path)


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tallix", type=Path, required=True)
    parser.add_argument("--cli", type=Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--objcopy", required=True)
    parser.add_argument("--source-dir", type=Path, required=True)
    parser.add_argument("--out-dir", type=Path, required=True)
    args = parser.parse_args()

    epoch = source_date_epoch(args.source_dir)
    text = readme(args.source_dir / "release/README.txt.in", args.version,
                  args.source_dir / "release/keyboard_equivalents.txt")
    args.out_dir.mkdir(parents=True, exist_ok=True)
    base = f"Tallix-{args.version}-win-x64"
    with tempfile.TemporaryDirectory() as work:
        tallix, tallix_debug = split_debug(args.objcopy, args.tallix.resolve(), Path(work))
        cli, cli_debug = split_debug(args.objcopy, args.cli.resolve(), Path(work))
    write_zip(args.out_dir / f"{base}.zip",
              [("Tallix.exe", tallix), ("tallix-cli.exe", cli), ("README.txt", text)], epoch)
    write_zip(args.out_dir / f"{base}-debug.zip",
              [("Tallix.exe.debug", tallix_debug), ("tallix-cli.exe.debug", cli_debug)], epoch)
    print(args.out_dir / f"{base}.zip")


if __name__ == "__main__":
    main()
