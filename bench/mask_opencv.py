#!/usr/bin/env python3
"""Times OpenCV's dilate and erode on the mask that mask_bench wrote, with
the same round element (every offset with dx^2 + dy^2 <= r^2, built here
explicitly), checks that the results equal mask_bench's, and prints the
ratio OpenCV time / our time for each operation.

Usage: mask_opencv.py FOLDER TIMINGS   (FOLDER holds the raw files,
TIMINGS the "name milliseconds" lines of mask_bench)."""
import sys
import time

import cv2
import numpy as np

WIDTH, HEIGHT, RUNS = 2000, 600, 15


def disk(r):
    y, x = np.mgrid[-r:r + 1, -r:r + 1]
    return (x * x + y * y <= r * r).astype(np.uint8)


def best_ms(fn):
    best = float("inf")
    for _ in range(RUNS):
        start = time.perf_counter()
        fn()
        best = min(best, (time.perf_counter() - start) * 1000.0)
    return best


def main():
    folder, timings = sys.argv[1], sys.argv[2]
    ours = {}
    with open(timings) as f:
        for line in f:
            name, ms = line.split()
            ours[name] = float(ms)
    src = np.fromfile(f"{folder}/input.raw", dtype=np.uint8).reshape(HEIGHT, WIDTH)
    failed = 0
    for threads in (1, cv2.getNumThreads()):
        cv2.setNumThreads(threads)
        print(f"OpenCV {cv2.__version__}, {threads} thread(s):")
        for r in (5, 20):
            kernel = disk(r)
            for name, op in (("dilate", cv2.dilate), ("erode", cv2.erode)):
                key = f"{name}_r{r}"
                expected = np.fromfile(f"{folder}/{key}.raw", dtype=np.uint8).reshape(HEIGHT, WIDTH)
                same = np.array_equal(op(src, kernel), expected)
                failed += not same
                cv_ms = best_ms(lambda: op(src, kernel))
                print(f"  {key:10s} ours {ours[key]:8.3f} ms  opencv {cv_ms:8.3f} ms  "
                      f"ratio opencv/ours {cv_ms / ours[key]:5.2f}  "
                      f"{'same result' if same else 'RESULTS DIFFER'}")
    for key in ("softedge_r10", "blur_r2x2"):
        if key in ours:
            print(f"  {key:10s} ours {ours[key]:8.3f} ms")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
