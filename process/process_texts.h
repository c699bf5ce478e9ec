#pragma once
// The texts the process list is built with.

namespace quellix {

inline constexpr char kUnknownProcessName[] = "<unknown>";
inline constexpr char kNtvdmName[] = "NTVDM.EXE";
inline constexpr char kEnumProcessesFailedCaption[] = "EnumProcesses Failed";

}  // namespace quellix
