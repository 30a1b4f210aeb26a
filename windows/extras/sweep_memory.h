// A window's sweep position and count, kept by the program for a window that is closed and
// loaded again (the save/load window), so that they outlive its animation.
#pragma once

#include <QtGlobal>

struct SweepMemory {
    qint16 step = 0;
    qint16 tick = 0;
};
