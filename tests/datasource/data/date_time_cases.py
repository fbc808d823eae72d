#!/usr/bin/env python3
"""Expected texts of the Date and Time field formats, computed with Python's
datetime and calendar modules (proleptic Gregorian calendar, English names).

Writes date_time_cases.tsv beside this script: one row per moment, offset and
format: kind (date/time), base moment, unit, offset, format, text, width.
Run it again after changing the moments or formats below."""

import calendar
import datetime
import os

DATE_FORMATS = ["dd/mm/yy", "dd/mm/yyyy", "dd-mm-yy", "dd-mm-yyyy", "dd.mm.yy", "dd.mm.yyyy",
                "dd.mmmm.yyyy", "dd.mmm.yyyy", "dd", "ddd", "mm/dd/yy", "mm/dd/yyyy", "mm-dd-yy",
                "mm-dd-yyyy", "mm.dd.yy", "mm.dd.yyyy", "mmm dd,yyyy", "m-d-yy", "m/d/yy", "m.d.yy",
                "mm.yy", "mm/dd", "mm", "mmm", "mmmm", "yy/mm/dd", "yyyy/mm/dd", "yy-mm-dd",
                "yyyy-mm-dd", "yy.mm.dd", "yyyy.mm.dd", "yy-mmm-dd", "yy", "yyyy", "ww", "www", "wwww"]
TIME_FORMATS = ["hh:mm", "hh12:mm", "h:mm", "hh", "hh12", "mm", "ss"]

# The weekday abbreviations the designer uses; the long names are the calendar's.
SHORT_WEEKDAY = {"Tue": "Tues", "Thu": "Thurs"}


def date_piece(token, t):
    doy = t.timetuple().tm_yday
    return {
        "d": str(t.day), "dd": "%02d" % t.day, "ddd": "%03d" % doy,
        "m": str(t.month), "mm": "%02d" % t.month,
        "mmm": calendar.month_abbr[t.month], "mmmm": calendar.month_name[t.month],
        "yy": "%02d" % (t.year % 100), "yyyy": "%04d" % t.year, "y": str(t.year % 1000),
        "ww": "%02d" % (doy // 7),
        "www": SHORT_WEEKDAY.get(calendar.day_abbr[t.weekday()], calendar.day_abbr[t.weekday()]),
        "wwww": calendar.day_name[t.weekday()],
    }.get(token)


def time_piece(token, t):
    hour12 = int(t.strftime("%I"))
    return {
        "h": str(t.hour), "hh": "%02d" % t.hour, "h12": str(hour12), "hh12": "%02d" % hour12,
        "m": str(t.minute), "mm": "%02d" % t.minute, "s": str(t.second), "ss": "%02d" % t.second,
    }.get(token)


WIDTHS = {"d": 2, "dd": 2, "ddd": 3, "m": 2, "mm": 2, "mmm": 3, "mmmm": 9, "yy": 2, "yyyy": 4, "y": 1,
          "ww": 2, "www": 5, "wwww": 9, "h": 2, "hh": 2, "h12": 2, "hh12": 2, "s": 2, "ss": 2}
TOKENS = sorted(list(WIDTHS) + ["/", "-", " ", ".", ":", ",", ";"], key=len, reverse=True)


def render(fmt, t, is_time):
    out, width, matched, marker, i = "", 0, 0, False, 0
    while i < len(fmt):
        token = next((k for k in TOKENS if fmt.startswith(k, i)), None)
        if token is None:
            out, width, i = out + fmt[i], width + 1, i + 1
            continue
        i += len(token)
        matched += 1
        width += WIDTHS.get(token, len(token))
        piece = (time_piece if is_time else date_piece)(token, t)
        if piece is None:
            piece = date_piece(token, t) if is_time else None
        out += token if piece is None else piece
        marker = marker or token == "hh12"
    if marker and matched > 1:
        out += " " + t.strftime("%p")
        width += 3
    return out, width


def add_months(t, months):
    index = t.month - 1 + months
    year, month = t.year + index // 12, index % 12 + 1
    day = min(t.day, calendar.monthrange(year, month)[1])
    return datetime.datetime(year, month, day)


def moved(t, unit, offset, is_time):
    if is_time:
        seconds = {3: 3600, 4: 60, 5: 1}.get(unit)
        return t + datetime.timedelta(seconds=offset * seconds) if seconds else t
    if unit == 0:
        return t + datetime.timedelta(days=offset)
    if unit in (1, 2):
        return add_months(t, offset * (12 if unit == 2 else 1))
    return t


MOMENTS = [
    "2024-02-29 00:00:00", "2024-02-03 12:05:09", "2100-02-28 23:59:59", "2000-02-29 00:05:00",
    "2023-12-31 13:05:07", "2024-01-06 08:00:00", "2024-01-07 11:59:59", "2105-07-04 09:03:02",
    "1999-03-01 12:00:00", "2024-09-11 21:30:45",
]
# (moment, unit, offset) of the moves: month clamps, leap days, years, crossing midnight.
MOVES = [
    ("2024-01-31 10:20:30", 1, 1), ("2024-01-31 10:20:30", 1, -13), ("2024-01-15 08:00:00", 1, -12),
    ("2100-01-31 07:00:00", 1, 1), ("2024-02-29 06:00:00", 2, 1), ("2024-02-29 06:00:00", 2, -4),
    ("2024-03-15 10:30:00", 0, -15), ("2099-12-31 23:00:00", 0, 1), ("2024-12-31 11:45:00", 1, 2),
    ("2023-03-31 09:00:00", 1, -1), ("2024-02-28 23:30:00", 3, 1), ("2024-01-01 00:10:00", 4, -11),
    ("2024-06-30 23:59:30", 5, 45), ("2024-06-30 12:00:00", 3, 13),
]


def main():
    rows = []
    cases = [(m, 0, 0) for m in MOMENTS] + MOVES
    for base, unit, offset in cases:
        t0 = datetime.datetime.strptime(base, "%Y-%m-%d %H:%M:%S")
        for is_time, formats in ((False, DATE_FORMATS), (True, TIME_FORMATS)):
            if unit >= 3 and not is_time or unit in (1, 2) and is_time:
                continue
            t = moved(t0, unit, offset, is_time)
            for fmt in formats:
                text, width = render(fmt, t, is_time)
                rows.append("\t".join(["time" if is_time else "date", base, str(unit), str(offset), fmt, text,
                                       str(width)]))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "date_time_cases.tsv")
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
