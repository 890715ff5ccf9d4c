# The loop of do_loop.kfl in Python: n iterations of the same statements.
#   python3 do_loop.py n
import sys

n = int(sys.argv[1]) if len(sys.argv) > 1 else 1000000
s = 0
x = 0.0
i = 1
while i <= n:
    x = x * 0.5 + 1.25
    s = s + i % 7
    if s > 1000:
        s = s - 1000
    else:
        s = s + 1
    i += 1
print(s, x, i)
