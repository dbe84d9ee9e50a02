#pragma once
// Whether the X display named by DISPLAY accepts a connection, asked before Qt
// tries, so the program can explain instead of aborting.
namespace platform {
bool CanOpenXDisplay();
}
