#!/usr/bin/env python3
"""Checks the task rows in a picture of the process list, green on black.

    task_rows_check.py LIST.png BLOCK_SIZES...

LIST.png shows the list's area, scrolled to its end with its last row selected
(black on green); each BLOCK_SIZES is the number of 16-bit tasks of one VDM
expected in view, in any order. A task row is a line with a number in its third
column (Task16); process rows leave that column empty. Checked: the separator
lines of the four columns run over the full height; the task rows come in
blocks of the expected sizes, each directly below its VDM's process row, whose
number (first column) every one of its task rows repeats; those VDM rows show
the same name; and the numbers of the task rows end, right-aligned, about 2
units left of their column's separator. Prints what fails; exit code 1 then.
"""
import subprocess
import sys

INK_LEVEL = 128  # green channel: text on black is brighter, on green darker


def read_picture(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    fields = ppm.split(maxsplit=4)  # P6 width height maxval data
    width, height = int(fields[1]), int(fields[2])
    data = fields[4]
    return width, height, [[tuple(data[3 * (y * width + x):3 * (y * width + x) + 3])
                            for x in range(width)] for y in range(height)]


def is_green(pixel):
    return pixel[1] >= INK_LEVEL and pixel[0] < INK_LEVEL and pixel[2] < INK_LEVEL


def main(path, block_sizes):
    width, height, pixels = read_picture(path)
    failures = []

    # Separators: columns green over (nearly) the full height; the selected
    # row's focus rectangle may cross them.
    green_columns = [x for x in range(width)
                     if sum(is_green(pixels[y][x]) for y in range(height)) >= 0.9 * height]
    separators = []
    for x in green_columns:
        if separators and x == separators[-1][1] + 1:
            separators[-1][1] = x
        else:
            separators.append([x, x])
    if len(separators) != 4:
        return [f"{len(separators)} separator lines over the full height, not 4"]

    # The selected row, the last one shown: a green band that gives the rows'
    # height, and their positions upwards from it.
    band = [y for y in range(height)
            if sum(is_green(p) for p in pixels[y]) >= 0.4 * width]
    if not band or band[-1] - band[0] + 1 != len(band):
        return ["no selected row, one green band, at the end of the list"]
    row_height = len(band)
    tops = list(range(band[0], -1, -row_height))[::-1]

    # Cells between the separators; rows without their edge lines, where the
    # focus rectangle may be drawn.
    edges = [0] + [s[1] + 1 for s in separators]
    cells = [(edges[i] + 1, separators[i][0]) for i in range(4)]

    def ink(top, x):
        return [pixels[y][x][1] >= INK_LEVEL if top != band[0] else pixels[y][x][1] < INK_LEVEL
                for y in range(top + 1, top + row_height - 1)]

    def cell_mask(top, cell):
        left, right = cells[cell]
        return [ink(top, x) for x in range(left, right)]

    def inked_columns(top, cell):
        left, right = cells[cell]
        return [x for x in range(left, right) if any(ink(top, x))]

    def glyph_spans(mask):
        """The runs of inked columns: one a glyph, or a few touching ones. The
        cell's outer two columns are left out: no text reaches them, but the
        selected row's focus rectangle may."""
        spans = []
        for x, column in enumerate(mask):
            if 2 <= x < len(mask) - 2 and any(column):
                if spans and spans[-1][1] == x - 1:
                    spans[-1][1] = x
                else:
                    spans.append([x, x])
        return spans

    def same(mask_a, mask_b):
        # Smoothed text comes out bolder in the selected row's inverse colours,
        # so pixels may differ there; where the glyphs stand may not.
        spans_a, spans_b = glyph_spans(mask_a), glyph_spans(mask_b)
        return len(spans_a) == len(spans_b) and all(
            abs(a[0] - b[0]) <= 1 and abs(a[1] - b[1]) <= 1 for a, b in zip(spans_a, spans_b))

    is_task = [bool(inked_columns(top, 2)) for top in tops]
    blocks = []  # (row of the VDM, rows of its tasks)
    for row, task in enumerate(is_task):
        if not task:
            continue
        if row > 0 and is_task[row - 1]:
            blocks[-1][1].append(row)
        elif row == 0:
            failures.append("a task row at the top of the view: its VDM row is not shown")
        else:
            blocks.append((row - 1, [row]))
    sizes = sorted(len(tasks) for _, tasks in blocks)
    if sizes != sorted(block_sizes):
        failures.append(f"blocks of task rows {sizes}, expected {sorted(block_sizes)}")

    for vdm, tasks in blocks:
        number = cell_mask(tops[vdm], 0)
        if not any(any(column) for column in number):
            failures.append(f"the VDM row {vdm + 1} of the view shows no number")
        for task in tasks:
            if not same(cell_mask(tops[task], 0), number):
                failures.append(f"task row {task + 1} of the view does not repeat the number "
                                f"of its VDM row {vdm + 1}")
    names = [cell_mask(tops[vdm], 3) for vdm, _ in blocks]
    if any(not same(name, names[0]) for name in names):
        failures.append("the VDM rows above the task blocks show different names")
    numbers = [cell_mask(tops[vdm], 0) for vdm, _ in blocks]
    if len(numbers) > 1 and same(numbers[0], numbers[1]):
        failures.append("two VDMs show the same number")

    # Right alignment: the last inked column of each task row's Task16 and ID
    # cells lies about 2 units (3 to 4 pixels) left of the separator; glyphs
    # differ by a pixel in how far they reach.
    for cell in (1, 2):
        gaps = {separators[cell][0] - max(inked_columns(top, cell))
                for row, top in enumerate(tops) if is_task[row] and inked_columns(top, cell)}
        if any(not 2 <= gap <= 6 for gap in gaps):
            failures.append(f"column {cell + 1} of the task rows ends {sorted(gaps)} pixels "
                            "left of its separator, not about 2 units")
    return failures


if __name__ == "__main__":
    problems = main(sys.argv[1], [int(size) for size in sys.argv[2:]])
    for problem in problems:
        print(problem)
    sys.exit(1 if problems else 0)
