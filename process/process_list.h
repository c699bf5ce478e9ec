#pragma once
// The process list: one row per running process and one per 16-bit task inside
// an NTVDM.EXE process, with one current record that rows are built in and that
// a look-up leaves its find in, and the number of the VDM whose tasks are being
// listed.

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/text_widths.h"

namespace quellix {

struct ProcessRow {
  std::int32_t NO = 0;       // position in the enumeration; a task row repeats its host's
  std::int32_t ID = 0;       // process id, or a task's thread id
  std::uint16_t TASK16 = 0;  // 16-bit task handle; 0 on a process row
  Text256 APPPATH;           // executable name, or "<unknown>"
};

class ProcessList {
 public:
  // The current record.
  ProcessRow record;
  // The NO of the NTVDM.EXE row whose 16-bit tasks are being listed: every
  // task row takes it.
  std::int32_t currentVdmNumber = 0;

  const std::vector<ProcessRow>& Rows() const { return rows_; }
  std::size_t Size() const { return rows_.size(); }

  void Empty() { rows_.clear(); }
  // Appends the current record as the new last row.
  void Append() { rows_.push_back(record); }
  // Ascending by NO; rows with equal NO keep their order.
  void SortByNo();
  // The first row whose APPPATH equals name (blank-padded comparison, case-sensitive),
  // also left in the current record; null when there is none.
  const ProcessRow* FindByAppPath(std::string_view name);
  // The NTVDM.EXE row that hosts the task row task: the one whose NO the task
  // row carries. A task handle means something only to that VDM. Null when
  // there is none.
  const ProcessRow* FindVdmHosting(const ProcessRow& task) const;

 private:
  std::vector<ProcessRow> rows_;
};

}  // namespace quellix
