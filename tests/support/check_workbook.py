#!/usr/bin/python3
"""Reads a schedule workbook back with openpyxl and compares it with what the program showed.

check_workbook.py WORKBOOK SHEET GRID.tsv LINES.tsv
  GRID.tsv   the grid's texts, header row first, tab-separated
  LINES.tsv  label<TAB>text of every line the block above the table must hold
Exit 0 when everything matches, 1 with the differences on stdout, 77 when openpyxl is missing.
"""
import sys

try:
    import openpyxl
except ImportError:
    print("python3-openpyxl is not installed")
    sys.exit(77)


def rows_of(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip("\n")]


def shown(cell):
    """The cell as the program's text: numbers in the cell's own mask."""
    if cell.value is None:
        return ""
    if isinstance(cell.value, (int, float)):
        decimals = len(cell.number_format.split(".")[1]) if "." in cell.number_format else 0
        return f"{cell.value:.{decimals}f}"
    return str(cell.value)


def main(path, sheet_name, grid_path, lines_path):
    problems = []
    book = openpyxl.load_workbook(path)
    if book.sheetnames != [sheet_name]:
        problems.append(f"sheets {book.sheetnames}, expected [{sheet_name!r}]")
    ws = book.worksheets[0]
    grid = [row for row in rows_of(grid_path) if any(row)]
    header = grid[0]

    top = next((r for r in range(1, ws.max_row + 1) if ws.cell(r, 1).value == header[0]), None)
    if top is None:
        print(f"no header row starting with {header[0]!r}")
        return 1
    if ws.freeze_panes != f"A{top + 1}":
        problems.append(f"frozen at {ws.freeze_panes}, expected A{top + 1}")
    for c, title in enumerate(header, start=1):
        cell = ws.cell(top, c)
        if cell.value != title or not cell.font.b:
            problems.append(f"header {c}: {cell.value!r} bold={cell.font.b}, expected {title!r}")
        letter = openpyxl.utils.get_column_letter(c)
        if (ws.column_dimensions[letter].width or 0) < len(title) * 2:
            problems.append(f"column {letter} narrower than its title")

    for r, texts in enumerate(grid[1:], start=top + 1):
        for c, text in enumerate(texts, start=1):
            cell = ws.cell(r, c)
            if c == 1:
                ok = cell.value == text and isinstance(cell.value, str)
            elif text == "":
                ok = cell.value is None
            else:
                ok = isinstance(cell.value, float) or isinstance(cell.value, int)
                ok = ok and cell.number_format == "0.00" and shown(cell) == text
            if not ok:
                problems.append(f"{cell.coordinate}: {cell.value!r} ({cell.number_format}), "
                                f"expected {text!r}")
    if ws.max_row != top + len(grid) - 1:
        problems.append(f"{ws.max_row} rows, expected {top + len(grid) - 1}")

    block = [[shown(ws.cell(r, c)) for c in range(1, 9)] for r in range(1, top)]
    for label, text in rows_of(lines_path):
        if not any(row[i] == label and row[i + 1] == text for row in block for i in range(7)):
            problems.append(f"block has no line {label}{text}")

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
