# The list buttons beyond the visible area, reached by Tab: 载入 doubles the
# list and leaves data.txt as it was, 保存 writes the doubled list (CR LF
# after each line), 清空 empties the list alone, and a close with nothing
# changed since does not write the empty list.
. "$(dirname "$0")/../lib.sh"
begin
entries
start
single=$(listed 1)
key Tab Tab space  # 载入
within 5 "载入 lists the entries twice" listed "h * 10 >= $single * 17"
check "载入 leaves data.txt" same data.txt data.orig
key Tab Tab space  # 保存
cat data.orig data.orig >doubled.txt
within 5 "保存 writes the doubled list" same data.txt doubled.txt
key shift+Tab space  # 清空
within 5 "清空 empties the list" listed 'h == 0'
closes_to doubled.txt
