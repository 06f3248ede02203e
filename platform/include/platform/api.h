// Every platform service the framework and the program use.
#pragma once

#include <platform/codepage.h>
#include <platform/commctrl.h>
#include <platform/gdi.h>
#include <platform/icons.h>
#include <platform/kernel.h>
#include <platform/resources.h>
#include <platform/sound.h>
#include <platform/text.h>
#include <platform/types.h>
#include <platform/windows.h>
