#pragma once
// Resource numbers shared by the resource script and the code.
#define IDI_KALO_DC 1
