#!/usr/bin/env python3
"""Writes N realistic entries (GBK keywords, Windows paths), CR LF after each, in GBK."""
import sys

WORDS = ["记事本", "计算器", "文档", "浏览器", "工具", "项目", "音乐", "图片"]
count, path = int(sys.argv[1]), sys.argv[2]
with open(path, "wb") as f:
    for i in range(count):
        line = f"{WORDS[i % 8]}{i}:C:\\Program Files\\应用程序\\{WORDS[(i // 8) % 8]}\\tool{i}.exe\r\n"
        f.write(line.encode("gbk"))
