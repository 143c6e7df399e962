#pragma once
// Start-up measurement: when the program runs under the start-up benchmark
// (LV_BENCH_MARKER names a file), the moment its window is first painted is
// appended to that file as "painted <CLOCK_MONOTONIC nanoseconds>".

class QWidget;

// Does nothing when LV_BENCH_MARKER is not set.
void MarkFirstPaint(QWidget* window);
