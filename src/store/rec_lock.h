// Record locking as every editing procedure uses it, and the rule for writing a record.
#pragma once

#include <functional>
#include <string_view>

#include "store/program.h"

namespace kavrina::store {

// Locks the current record of the work area `alias`, giving up that area's other record
// locks. `wait` 0 retries until the lock is had; otherwise each further attempt takes 0.5
// from it while it is above 0. Between attempts pending window events run and the loop
// pauses about a millisecond, so that it neither freezes the window nor burns a core.
bool REC_LOCK(Session& program, double wait, std::string_view alias);

// The record-writing rule: select the table; for a new record append one (releasing the
// other locks); lock it with REC_LOCK(0); assign the fields; unlock; commit. Answers false,
// with nothing written, when the append could not be made (another station holds the
// lock and the error handler let it fail): the fields never go into another record.
bool writeRecord(Session& program, std::string_view alias, bool newRecord,
                 const std::function<void(DbfTable&)>& assign);

}  // namespace kavrina::store
