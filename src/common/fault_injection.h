// Fault injection under the file layer: every write, flush, rename and truncate of the
// program's files passes one checkpoint here, so that a test can make the N-th of them fail
// with an error (a full disk, an I/O error) or end the process on the spot (a kill or a power
// cut between two system calls), and then prove that the next run loses nothing. Nothing is
// armed in the program; an unarmed checkpoint only counts.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace kavrina::faults {

// The file operations that can be made to fail.
enum class Op { Write, Flush, Rename, Truncate };

enum class Effect {
  Fail,  // the operation is not done and reports `error`
  Kill,  // the process ends at once with SIGKILL, before the operation
};

struct Trigger {
  Op op = Op::Write;
  std::uint64_t nth = 1;  // the N-th operation of that kind after arming, counted from 1
  Effect effect = Effect::Fail;
  int error = 5;        // errno for Effect::Fail (EIO)
  bool sticky = false;  // Fail: every later operation of that kind fails too (a full disk)
};

// Arms the trigger and starts counting every kind afresh.
void arm(const Trigger& trigger);
// Disarms; the counts go on.
void disarm();
// Starts counting afresh without arming anything (to learn how many operations a task does).
void resetCounts();
// Operations of the kind seen since the last arm() or resetCounts().
std::uint64_t seen(Op op);

// A function called at every checkpoint with the kind, its count and, for a rename, the
// new name, before the trigger is looked at: for tests that must hold a process at a given
// moment while another one runs. An empty function removes it.
using Observer = std::function<void(Op, std::uint64_t, std::string_view name)>;
void setObserver(Observer observer);

// The checkpoint the file layer passes before each operation: 0 to go on, otherwise the
// errno the operation must fail with. With a Kill trigger due, does not return.
int before(Op op, std::string_view name = {});

// Arms a trigger written as "write:17:kill", "flush:3:fail", "rename:1:enospc" or
// "write:40:enospc:sticky" (kind, N, effect or errno name, optional "sticky"). False for a
// text it cannot read. For test programs started by a test.
bool armFromText(const char* text);

}  // namespace kavrina::faults
