# if/elif chains on a value that cycles through 0..6.
import time
start = time.perf_counter()
a = 0
b = 0
c = 0
d = 0
k = 0
for i in range(1, 100001):
    k = k + 1
    if k == 7:
        k = 0
    if k == 0:
        a = a + 1
    elif k == 1 or k == 2:
        b = b + 1
    elif k < 5:
        c = c + 1
    else:
        d = d + 1
    if k == 0:
        a = a + 1
    elif k == 3:
        b = b + 1
    elif k == 5:
        c = c + 1
    else:
        d = d + 1
print(time.perf_counter() - start)
