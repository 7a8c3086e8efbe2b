# Nested for loops over a two-dimensional array: fill it, then add it up.
import time
start = time.perf_counter()
grid = [[0] * 400 for _ in range(400)]
for r in range(0, 400):
    for c in range(0, 400):
        grid[r][c] = r * c
total = 0
for r in range(0, 400):
    for c in range(0, 400):
        total = total + grid[r][c]
print(time.perf_counter() - start)
