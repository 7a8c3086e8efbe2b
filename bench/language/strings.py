# String building and searching.
import time
start = time.perf_counter()
text = ""
for i in range(1, 20001):
    text += "item" + str(i) + ";"
found = 0
for k in range(1, 2001):
    if text.find("item" + str(k * 7) + ";") + 1 > 0:
        found = found + 1
length = len(text)
print(time.perf_counter() - start)
