#!/usr/bin/env bash
# Builds the portable release from a clean build folder:
#   build/dist/Quillet-VERSION-win64.zip  with Quillet.exe, a sample data.txt and
#   使用说明.txt (a short guide in Chinese); VERSION is the project's version
#   in CMakeLists.txt.
# The same commit gives the same zip, byte for byte: the .exe is linked without
# a time stamp, and every zip entry gets the commit's time, fixed permissions
# and a fixed order. Prints the zip's path and its SHA-256.
set -euo pipefail
cd "$(dirname "$0")/.."

# On Windows itself (MSYS2's MINGW64 shell) the compiler is the system's own;
# on Debian, MinGW-w64 cross-compiles.
case "$(uname -s)" in
  MINGW* | MSYS*) toolchain=() ;;
  *) bash scripts/deps.sh windows && toolchain=(--toolchain cmake/mingw-w64.cmake) ;;
esac

version=$(sed -n 's/^project(Quillet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "dist.sh: no project version in CMakeLists.txt" >&2; exit 1; }
out=build/dist
rm -rf "$out"
cmake -S . -B "$out" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out" --target Quillet -j"$(nproc)" >/dev/null

# The time of the last commit (a constant outside a git work tree) stamps every entry.
stamp=$(git log -1 --format=%ct 2>/dev/null || echo 1704067200)

python3 - "$out/Quillet.exe" "$out/Quillet-$version-win64.zip" "$stamp" "$version" <<'PY'
import hashlib
import sys
import time
import zipfile

exe, zip_path, stamp, version = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]

# The entry file is read in the system's ANSI code page: GBK on Simplified
# Chinese Windows, with CR LF after every line.
sample = ["记事本:notepad.exe", "系统:C:\\Windows", "网站:https://www.example.org/"]
data_txt = "".join(line + "\r\n" for line in sample).encode("gbk")

guide = f"""Vellmar Quillet 关键字启动器 {version}

Quillet 是一个小小的关键字启动器：为常用的程序、文件、文件夹和网址各起一个关键字，输入关键字就能打开它们。无需安装，解压后直接运行 Quillet.exe。

用法
1. 在窗口上方的输入框里输入关键字，按回车即可打开对应的目标；用空格分隔可以一次打开多个。
2. 把文件或文件夹拖放到列表上，即可为它添加一条记录。
3. 在列表上单击左键会弹出菜单：添加、编辑、删除、全部删除。
4. 把窗口拖到屏幕的上边、左边或右边，鼠标移开后窗口会隐藏到该边缘；鼠标碰到那条边时窗口会重新出现。
5. 点击右上角的 × 关闭程序，所做的修改会在关闭时保存。
6. 在任何地方按 Ctrl+Alt+F3 即可唤出窗口，关键字框中的文字已选中，直接输入即可。要换一个组合键，或者不用快捷键，可以在 Quillet.exe 旁放一个 Quillet.ini 文件，写入两行：[Quillet] 和 SummonKey=Ctrl+Shift+F9（或 SummonKey=none）。
7. 只用键盘：Tab 在输入框、列表和隐藏的按钮之间移动；在列表上按菜单键或 Shift+F10 打开菜单；在编辑窗口中用 Tab 移到 OK，按空格确认。
8. 目标是本机上存在的文件或文件夹时，程序在它所在的文件夹中启动；目标中的 %变量名% 会先被展开。

记录文件 data.txt
记录保存在与 Quillet.exe 同一文件夹的 data.txt 中，每行一条，格式为：
    关键字:目标
以第一个英文冒号分隔，后面的冒号都属于目标（例如 系统:C:\\Windows）。目标可以是程序、文件、文件夹或网址。关键字区分大小写，必须完全一致才会匹配；没有冒号的行不会被匹配。
文件使用系统的 ANSI 代码页（简体中文 Windows 上为 GBK），每行以回车换行（CR LF）结尾。也可以用记事本直接编辑，编辑前请先关闭 Quillet。
“全部删除”清空 data.txt 之前，会把它原来的内容保存为同一文件夹中的 data.txt.bak；误删时，关闭 Quillet，把 data.txt.bak 复制为 data.txt 即可恢复。
请把 Quillet 放在您可以写入的文件夹中（不要放在 C:\\Program Files 下），否则修改无法保存。
"""
guide_txt = b"\xef\xbb\xbf" + guide.replace("\n", "\r\n").encode("utf-8")

with open(exe, "rb") as f:
    exe_bytes = f.read()

# Zip times are local DOS times without a zone: take the stamp as UTC so every
# machine writes the same bytes.
when = time.gmtime(max(stamp, 315532800))[:6]  # not before 1980, the format's epoch
entries = sorted([("Quillet.exe", exe_bytes), ("data.txt", data_txt), ("使用说明.txt", guide_txt)])
with zipfile.ZipFile(zip_path, "w") as archive:
    for name, content in entries:
        info = zipfile.ZipInfo(name, date_time=when)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 3  # Unix, so that the permissions below are read
        info.external_attr = 0o100644 << 16
        archive.writestr(info, content, compresslevel=9)

with open(zip_path, "rb") as f:
    digest = hashlib.sha256(f.read()).hexdigest()
print(zip_path)
print(f"SHA-256 {digest}")
PY
