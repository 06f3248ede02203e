// TCursor: the numbers of the screen's cursors and their names, which the
// reader turns into numbers ("Cursor = crHourGlass").
#pragma once

#include <cstdint>
#include <string>

#include "framework/streaming/published_type.h"

using TCursor = std::int16_t;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSize = -5;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// The type "TCursor", a 16-bit integer whose names the reader knows.
const TTypeInfo* TypeInfoCursor();
using TCursorProp = TPublishedAlias<TCursor, TypeInfoCursor>;

bool CursorToIdent(std::int32_t cursor, std::string& ident);
bool IdentToCursor(const std::string& ident, std::int32_t& cursor);
