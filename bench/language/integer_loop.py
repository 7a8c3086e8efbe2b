# Integer arithmetic in a while loop.
import time
start = time.perf_counter()
total = 0
i = 0
while i < 1000000:
    total = total + i * 3 - i / 2
    i = i + 1
print(time.perf_counter() - start)
