// The Win32 subset on POSIX: the part of the API the system's modules use,
// with the real names, types, constants and message numbers.
#pragma once

#include <win/types.h>
#include <win/kernel.h>
#include <win/rsrc.h>
#include <win/gdi.h>
#include <win/user.h>
#include <win/userctl.h>
