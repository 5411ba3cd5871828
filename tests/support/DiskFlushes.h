#pragma once

// The flushes to the disk (fsync and fdatasync) that this process has asked
// for. A program that links DiskFlushes.cpp counts them in place of the C
// library's functions, and flushes through the system calls itself; it must
// export its symbols (CMake's ENABLE_EXPORTS) for SQLite's calls to reach it.
long diskFlushes();
