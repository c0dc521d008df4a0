#!/usr/bin/env python3
"""Times OpenCV's distanceTransform (DIST_L2, DIST_MASK_PRECISE) on the mask
that sdf_bench wrote: once for the object (distance of each object pixel to
the nearest background pixel) and, for the same signed map as ours, once
more for the background. Checks that the signed distances agree with
sdf_bench's map and prints the times and the ratios ours / OpenCV.

Usage: sdf_opencv.py FOLDER TIMINGS   (FOLDER holds input.raw and sdf.raw,
TIMINGS the "name milliseconds" line of sdf_bench)."""
import sys
import time

import cv2
import numpy as np

WIDTH, HEIGHT, RUNS = 2000, 600, 15


def best_ms(fn):
    best = float("inf")
    for _ in range(RUNS):
        start = time.perf_counter()
        fn()
        best = min(best, (time.perf_counter() - start) * 1000.0)
    return best


def signed(inside):
    # Pixels beyond the image count as background, as in our map: one
    # pixel of frame around the mask, removed afterwards.
    framed = cv2.copyMakeBorder(inside, 1, 1, 1, 1, cv2.BORDER_CONSTANT, value=0)
    d_in = cv2.distanceTransform(framed, cv2.DIST_L2, cv2.DIST_MASK_PRECISE)
    d_out = cv2.distanceTransform(1 - inside, cv2.DIST_L2, cv2.DIST_MASK_PRECISE)
    return np.where(inside != 0, d_in[1:-1, 1:-1], -d_out)


def main():
    folder, timings = sys.argv[1], sys.argv[2]
    with open(timings) as f:
        ours = {name: float(ms) for name, ms in (line.split() for line in f)}
    mask = np.fromfile(f"{folder}/input.raw", dtype=np.uint8).reshape(HEIGHT, WIDTH)
    our_map = np.fromfile(f"{folder}/sdf.raw", dtype=np.float64).reshape(HEIGHT, WIDTH)
    inside = (mask != 0).astype(np.uint8)
    outside = 1 - inside
    difference = np.abs(signed(inside).astype(np.float64) - our_map)
    exact = np.count_nonzero(difference < 1e-3)
    print(f"signed distance map {WIDTH} x {HEIGHT}: {exact} of {mask.size} pixels agree with "
          f"OpenCV (largest difference {difference.max():.4f} pixels; OpenCV keeps 32-bit floats)")
    ms = ours["sdf_signed"]
    for threads in (1, cv2.getNumThreads()):
        cv2.setNumThreads(threads)
        one = best_ms(lambda: cv2.distanceTransform(inside, cv2.DIST_L2, cv2.DIST_MASK_PRECISE))
        both = best_ms(lambda: (cv2.distanceTransform(inside, cv2.DIST_L2, cv2.DIST_MASK_PRECISE),
                                cv2.distanceTransform(outside, cv2.DIST_L2, cv2.DIST_MASK_PRECISE)))
        print(f"OpenCV {cv2.__version__}, {threads} thread(s):")
        print(f"  ours (signed, both sides) {ms:8.3f} ms")
        print(f"  opencv object side only   {one:8.3f} ms   ratio ours/opencv {ms / one:5.2f}")
        print(f"  opencv both sides         {both:8.3f} ms   ratio ours/opencv {ms / both:5.2f}")
    return 0 if difference.max() < 1e-3 else 1


if __name__ == "__main__":
    sys.exit(main())
