#!/usr/bin/python3
"""Writes the two workbook statements the tests read, with Debian's python3-xlwt and
python3-openpyxl: a title row, then a 交割单 whose code is text, figures are numbers and
one date is a date cell (.xls) or text (.xlsx)."""
import datetime
import os

import openpyxl
import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))
HEADER = ["成交日期", "证券代码", "证券名称", "操作", "成交数量", "成交均价", "成交金额", "发生金额",
          "交易市场"]
ROWS = [
    ["20240105", "000002", "万科A", "证券买入", 1000, 7.5, 7500, -7505.2, "深圳A股"],
    [datetime.date(2024, 1, 8), "600036", "招商银行", "证券买入", 100, 35.2, 3520, -3525, "上海A股"],
]

xls = xlwt.Workbook(encoding="utf-8")
sheet = xls.add_sheet("交割单")
dates = xlwt.easyxf(num_format_str="YYYY-MM-DD")
sheet.write(0, 0, "资金账号：12345678")
for c, text in enumerate(HEADER):
    sheet.write(1, c, text)
for r, row in enumerate(ROWS, start=2):
    for c, value in enumerate(row):
        if isinstance(value, datetime.date):
            sheet.write(r, c, value, dates)
        else:
            sheet.write(r, c, value)
xls.save(os.path.join(HERE, "delivery.xls"))

xlsx = openpyxl.Workbook()
sheet = xlsx.active
sheet.title = "交割单"
sheet.append(["资金账号：12345678"])
sheet.append(HEADER)
for row in ROWS:
    sheet.append([v.strftime("%Y-%m-%d") if isinstance(v, datetime.date) else v for v in row])
xlsx.save(os.path.join(HERE, "delivery.xlsx"))

# Dates as Excel keeps them: serial numbers shown through a date format, counted from 1900
# (a built-in format, a custom one with 年月日 and a date with a time) or, with the workbook's
# date1904 flag, from 1904.
for name, epoch in (("serial-dates.xlsx", None), ("serial-dates-1904.xlsx", "1904")):
    xlsx = openpyxl.Workbook()
    if epoch:
        xlsx.epoch = openpyxl.utils.datetime.CALENDAR_MAC_1904
    sheet = xlsx.active
    sheet.append(HEADER)
    sheet.append([datetime.date(2024, 1, 1)] + ROWS[0][1:])
    sheet.append([datetime.datetime(2024, 1, 8, 9, 31)] + ROWS[1][1:])
    sheet.append([datetime.date(2024, 2, 29)] + ROWS[1][1:])
    sheet["A2"].number_format = "mm-dd-yy"
    sheet["A4"].number_format = 'yyyy"年"m"月"d"日"'
    xlsx.save(os.path.join(HERE, name))
