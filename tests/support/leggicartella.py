#!/usr/bin/python3
"""Reads an .xlsx workbook back as a spreadsheet program sees it.

    leggicartella.py WORKBOOK FOLDER [FORMULA...]

Prints, as JSON, the first worksheet of WORKBOOK read with openpyxl as it is
("originale") and after LibreOffice opened it and saved it again
("libreoffice", converted headless with a private profile under FOLDER). Each
FORMULA ("=SUM(C2:C4)") is then written beside the data of LibreOffice's copy,
which LibreOffice opens and saves once more: "formule" holds the values it
calculated; "pagine" is the number of pages LibreOffice prints the workbook
on (converted to PDF). A cell is [type, value, number format]: type "s"
text, "n" number, "d" date (value yyyy-mm-dd); an empty cell is null.
"stampa" is the sheet's print setup: orientation, paper, the pages across
and down it is fitted to, and the rows repeated on every page.
Fails, saying why, when LibreOffice or openpyxl is missing or a conversion
fails.
"""

import json
import os
import re
import shutil
import subprocess
import sys

try:
    import openpyxl
except ImportError:
    sys.exit("openpyxl is missing (Debian package python3-openpyxl)")


def soffice(folder, source, target_folder, target="xlsx:Calc Office Open XML"):
    program = shutil.which("soffice") or shutil.which("libreoffice")
    if not program:
        sys.exit("LibreOffice (soffice) is missing (Debian package libreoffice-calc-nogui)")
    profile = "file://" + os.path.abspath(os.path.join(folder, "profilo"))
    run = subprocess.run(
        [program, "-env:UserInstallation=" + profile, "--headless", "--convert-to",
         target, "--outdir", target_folder, source],
        capture_output=True, text=True, timeout=300)
    converted = os.path.join(target_folder, os.path.splitext(os.path.basename(source))[0] + "."
                             + target.split(":")[0])
    if not os.path.exists(converted):
        sys.exit("LibreOffice did not convert %s: %s %s" % (source, run.stdout, run.stderr))
    return converted


def number(v):
    return format(v, ".15g")


def cell(c):
    if c.value is None:
        return None
    if c.is_date:
        return ["d", c.value.strftime("%Y-%m-%d"), c.number_format]
    if isinstance(c.value, (int, float)) and not isinstance(c.value, bool):
        return ["n", number(c.value), c.number_format]
    return ["s", str(c.value), c.number_format]


def dump(path):
    book = openpyxl.load_workbook(path)
    sheet = book.worksheets[0]
    p = book.properties
    return {
        "fogli": book.sheetnames,
        "bloccato": sheet.freeze_panes,
        "filtro": sheet.auto_filter.ref,
        "larghezze": {k: d.width for k, d in sheet.column_dimensions.items() if d.customWidth},
        "grassetto": [bool(c.font and c.font.b) for c in next(sheet.iter_rows(max_row=1), [])],
        "proprieta": {
            "autore": p.creator,
            "titolo": p.title,
            "oggetto": p.subject,
            "creato": p.created.strftime("%Y-%m-%dT%H:%M:%S") if p.created else None,
        },
        "righe": [[cell(c) for c in row] for row in sheet.iter_rows()],
        "stampa": {
            "orientamento": sheet.page_setup.orientation,
            "carta": sheet.page_setup.paperSize,
            "adatta": bool(sheet.sheet_properties.pageSetUpPr and sheet.sheet_properties.pageSetUpPr.fitToPage),
            # Left out of the file, each is 1, as the format says.
            "larghezza": 1 if sheet.page_setup.fitToWidth is None else int(sheet.page_setup.fitToWidth),
            "altezza": 1 if sheet.page_setup.fitToHeight is None else int(sheet.page_setup.fitToHeight),
            "titoli": sheet.print_title_rows,
        },
    }


def pages(folder, workbook):
    with open(soffice(folder, workbook, os.path.join(folder, "pdf"), "pdf"), "rb") as f:
        return len(re.findall(rb"/Type\s*/Page(?![a-zA-Z])", f.read()))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    workbook, folder, formulas = sys.argv[1], sys.argv[2], sys.argv[3:]
    out = {"originale": dump(workbook)}
    converted = soffice(folder, workbook, os.path.join(folder, "libreoffice"))
    out["libreoffice"] = dump(converted)
    out["pagine"] = pages(folder, workbook)
    if formulas:
        book = openpyxl.load_workbook(converted)
        sheet = book.worksheets[0]
        # Beside the data, in a column of no format of its own.
        column = sheet.max_column + 2
        for i, f in enumerate(formulas):
            sheet.cell(row=1 + i, column=column, value=f)
        os.makedirs(os.path.join(folder, "formule"), exist_ok=True)
        with_formulas = os.path.join(folder, "formule", "formule.xlsx")
        book.save(with_formulas)
        calculated = soffice(folder, with_formulas, os.path.join(folder, "calcolate"))
        sheet = openpyxl.load_workbook(calculated, data_only=True).worksheets[0]
        out["formule"] = [cell(sheet.cell(row=1 + i, column=column)) for i in range(len(formulas))]
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
