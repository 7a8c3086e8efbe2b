# Recursive functions.
import time
start = time.perf_counter()
def fib(n):
    if n < 2:
        return n
    return fib(n - 1) + fib(n - 2)
result = fib(25)
print(time.perf_counter() - start)
