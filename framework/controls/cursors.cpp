#include "framework/controls/cursors.h"

#include <iterator>

#include "framework/streaming/class_registry.h"

namespace {

constexpr TIdentMapEntry kCursors[] = {
    {crDefault, "crDefault"},
    {crArrow, "crArrow"},
    {crCross, "crCross"},
    {crIBeam, "crIBeam"},
    {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},
    {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"},
    {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},
    {crHSplit, "crHSplit"},
    {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},
    {crNo, "crNo"},
    {crAppStart, "crAppStart"},
    {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};
static_assert(std::size(kCursors) == 21);

[[maybe_unused]] const bool kNamesRegistered = [] {
  RegisterIntConst(TypeInfoCursor(), IdentToCursor, CursorToIdent);
  return true;
}();

}  // namespace

bool CursorToIdent(std::int32_t cursor, std::string& ident) {
  return IntToIdent(cursor, ident, kCursors);
}

bool IdentToCursor(const std::string& ident, std::int32_t& cursor) {
  return IdentToInt(ident, cursor, kCursors);
}

const TTypeInfo* TypeInfoCursor() {
  static const TTypeInfo& type =
      *new TTypeInfo(MakeIntegerType("TCursor", otSWord, INT16_MIN, INT16_MAX));
  return &type;
}
